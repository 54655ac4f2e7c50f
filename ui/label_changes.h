// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "shell/form1.h"

namespace runeshot {

// What a player who cannot see the window must hear after an input: worked out from how
// the form looked before the input and how it looks now.
struct News {
    // The labels whose caption (or the falling letter's red) changed, those shown or
    // hidden, and those enabled or disabled.
    std::vector<const Label*> renamed;
    std::vector<const Label*> shownOrHidden;
    std::vector<const Label*> enabledOrDisabled;
    // One sentence for the screen reader to speak, the new letter first; empty when
    // nothing worth interrupting the player happened.
    std::string announcement;
    // Whether the announcement may wait for what is being spoken (only the seconds may).
    bool canWait = true;
};

// The labels among painted controls, in their order.
std::vector<const Label*> labelsIn(const std::vector<GraphicalControl>& controls);
// Red is what the game paints a landed letter and a pause in.
bool looksRed(const Label& label);

class SpokenNews {
public:
    explicit SpokenNews(const Form1& form);

    // Compares the form with the last look and takes the new look.
    News take();

    // How the falling letter is spoken: the case matters to the judge, so capitals say so.
    static std::string spokenLetter(const std::string& caption);

private:
    struct Look {
        std::string caption;
        bool visible = false;
        bool enabled = false;
        bool red = false;
        Twips left = 0, top = 0;
    };
    Look lookOf(const Label& label) const;

    const Form1& form_;
    std::vector<const Label*> labels_;
    std::unordered_map<const Label*, Look> looks_;
};

}  // namespace runeshot
