// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "ui/spoken_news.h"

#include <cctype>
#include <cmath>
#include <variant>

#include "shell/design_colours.h"
#include "shell/number_text.h"

namespace runeshot {

std::vector<const Label*> labelsIn(const std::vector<GraphicalControl>& controls) {
    std::vector<const Label*> labels;
    for (const GraphicalControl& control : controls) {
        if (const Label* const* label = std::get_if<const Label*>(&control)) {
            labels.push_back(*label);
        }
    }
    return labels;
}

bool looksRed(const Label& label) { return label.ForeColor == colours::red; }

namespace {

// A count's caption read back as a number, whatever the decimal separator.
double captionValue(const std::string& caption, const std::string& separator) {
    const auto at = caption.find(separator);
    if (separator.empty() || at == std::string::npos) return textToNumber(caption);
    return textToNumber(caption.substr(0, at) + "." + caption.substr(at + separator.size()));
}

void append(std::string& sentence, const std::string& part) {
    if (!sentence.empty()) sentence += ". ";
    sentence += part;
}

}  // namespace

SpokenNews::SpokenNews(const Form1& form) : form_(form), labels_(labelsIn(form.windowPaintOrder())) {
    for (const Label* label : labelsIn(form.panelPaintOrder())) labels_.push_back(label);
    for (const Label* label : labels_) looks_[label] = lookOf(*label);
}

SpokenNews::Look SpokenNews::lookOf(const Label& label) const {
    return {label.Caption, label.Visible, label.Enabled, looksRed(label), label.Left,
            label.Top};
}

std::string SpokenNews::spokenLetter(const std::string& caption) {
    const bool capital = caption.size() == 1 && std::isupper(static_cast<unsigned char>(caption[0]));
    return capital ? "capital " + caption : caption;
}

News SpokenNews::take() {
    News news;
    const std::unordered_map<const Label*, Look> before = looks_;
    for (const Label* label : labels_) {
        const Look& was = before.at(label);
        const Look& now = looks_[label] = lookOf(*label);
        if (now.caption != was.caption || now.red != was.red) news.renamed.push_back(label);
        if (now.visible != was.visible) news.shownOrHidden.push_back(label);
        if (now.enabled != was.enabled) news.enabledOrDisabled.push_back(label);
    }
    const Look& letterBefore = before.at(&form_.Label1);
    const Look& hitsBefore = before.at(&form_.lblShooted);
    const Look& missesBefore = before.at(&form_.lblMissed);
    const Look& pauseBefore = before.at(&form_.lblPause);
    const Look& bannerBefore = before.at(&form_.lblOver);
    const Look& secondsBefore = before.at(&form_.lbltime);

    const Label& letter = form_.Label1;
    const std::string& separator = form_.DecimalSeparator;
    const bool scored = form_.lblShooted.Caption != hitsBefore.caption &&
                        captionValue(form_.lblShooted.Caption, separator) > 0;
    const bool missed = form_.lblMissed.Caption != missesBefore.caption &&
                        captionValue(form_.lblMissed.Caption, separator) > 0;
    // A letter is dealt at the top, or shown again by a new game; a hit always deals one.
    const bool dealt = letter.Visible && !looksRed(letter) &&
                       (!letterBefore.visible || letterBefore.red || scored ||
                        letter.Caption != letterBefore.caption || letter.Left != letterBefore.left ||
                        letter.Top < letterBefore.top);

    std::string sentence;
    if (dealt) append(sentence, spokenLetter(letter.Caption));
    if (scored) append(sentence, "Hit, " + form_.lblShooted.Caption + " shot");
    if (missed) {
        append(sentence, "Missed " + spokenLetter(letter.Caption) + ", " +
                             form_.lblMissed.Caption + " missed");
    }
    if (form_.lblPause.Caption != pauseBefore.caption) {
        append(sentence, form_.lblPause.Caption == "PAUSED" ? "Paused" : "Resumed");
    }
    const bool over = form_.lblOver.Visible && !bannerBefore.visible;
    if (over) {
        append(sentence, form_.lblOver.Caption + " " + form_.lblShooted.Caption + " shot, " +
                             form_.lblMissed.Caption + " missed");
    }
    news.canWait = sentence.empty();

    // The seconds are told every ten, and each of the last five, never in a letter's way.
    const std::string& seconds = form_.lbltime.Caption;
    const double left = captionValue(seconds, separator);
    if (seconds != secondsBefore.caption && !over && left > 0 &&
        (left <= 5 || std::fmod(left, 10) == 0)) {
        append(sentence, seconds + (left == 1 ? " second left" : " seconds left"));
    }
    news.announcement = sentence;
    return news;
}

}  // namespace runeshot
