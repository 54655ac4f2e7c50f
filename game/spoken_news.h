// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <string>

#include "shell/form1.h"

namespace runeshot {

// One sentence for a screen reader to speak after an input, the new letter first.
struct Announcement {
    // Empty when nothing worth interrupting the player happened.
    std::string text;
    // Whether it may wait for what is being spoken (only the seconds may).
    bool canWait = true;
};

// What a player who cannot see the window must hear: worked out from the game as it was
// after the last input and as it is now. Every front end says the same words.
class SpokenNews {
public:
    explicit SpokenNews(const Form1& form) : form_(form), last_(lookOf(form)) {}

    // Compares the game with the last look and takes the new look.
    Announcement take();

    // How the falling letter is spoken: the case matters to the judge, so capitals say so.
    static std::string spokenLetter(const std::string& caption);

private:
    struct Look {
        long long hits = 0;
        double misses = 0;
        bool paused = false;
        bool over = false;
        double seconds = 0;
        Label letter;
    };
    static Look lookOf(const Form1& form);

    const Form1& form_;
    Look last_;
};

}  // namespace runeshot
