// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "game/spoken_news.h"

#include <cctype>
#include <cmath>
#include <utility>

#include "shell/design_colours.h"
#include "shell/number_text.h"

namespace runeshot {

namespace {

void append(std::string& sentence, const std::string& part) {
    if (!sentence.empty()) sentence += ". ";
    sentence += part;
}

bool isRed(const Label& letter) { return letter.ForeColor == colours::red; }

}  // namespace

SpokenNews::Look SpokenNews::lookOf(const Form1& form) {
    return {form.Shooted, form.Missed, form.paused, form.lblOver.Visible, form.Ttime, form.Label1};
}

std::string SpokenNews::spokenLetter(const std::string& caption) {
    const bool capital = caption.size() == 1 && std::isupper(static_cast<unsigned char>(caption[0]));
    return capital ? "capital " + caption : caption;
}

Announcement SpokenNews::take() {
    const Look before = std::exchange(last_, lookOf(form_));
    const Look& now = last_;
    const Label& letter = now.letter;
    const Label& letterBefore = before.letter;

    const bool scored = now.hits != before.hits && now.hits > 0;
    const bool missed = now.misses != before.misses && now.misses > 0;
    // A letter is dealt at the top, or shown again by a new game; a hit always deals one.
    const bool dealt = letter.Visible && !isRed(letter) &&
                       (!letterBefore.Visible || isRed(letterBefore) || scored ||
                        letter.Caption != letterBefore.Caption ||
                        letter.Left != letterBefore.Left || letter.Top < letterBefore.Top);
    const bool over = now.over && !before.over;

    // The counts are said as the status bar shows them.
    std::string sentence;
    if (dealt) append(sentence, spokenLetter(letter.Caption));
    if (scored) append(sentence, "Hit, " + form_.lblShooted.Caption + " shot");
    if (missed) {
        append(sentence, "Missed " + spokenLetter(letter.Caption) + ", " +
                             form_.lblMissed.Caption + " missed");
    }
    if (now.paused != before.paused) append(sentence, now.paused ? "Paused" : "Resumed");
    if (over) {
        append(sentence, form_.lblOver.Caption + " " + form_.lblShooted.Caption + " shot, " +
                             form_.lblMissed.Caption + " missed");
    }
    Announcement announcement{{}, sentence.empty()};

    // The seconds are told every ten, and each of the last five, never in a letter's way. They
    // are the game's own: a new game's first second is said as it is, though the status bar
    // still shows the last game's start.
    const double left = now.seconds;
    if (left != before.seconds && !over && left > 0 && (left <= 5 || std::fmod(left, 10) == 0)) {
        append(sentence, numberToText(left, form_.DecimalSeparator) +
                             (left == 1 ? " second left" : " seconds left"));
    }
    announcement.text = sentence;
    return announcement;
}

}  // namespace runeshot
