// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <string>
#include <vector>

#include "shell/form1.h"

namespace runeshot {

// The labels whose caption (or the falling letter's red) changed, those shown or hidden,
// and those enabled or disabled: what assistive technology must be told after an input.
struct LabelChanges {
    std::vector<const Label*> renamed;
    std::vector<const Label*> shownOrHidden;
    std::vector<const Label*> enabledOrDisabled;
};

// The labels among painted controls, in their order.
std::vector<const Label*> labelsIn(const std::vector<GraphicalControl>& controls);
// Red is what the game paints a landed letter and a pause in.
bool looksRed(const Label& label);

// Remembers how each label looked at the last call.
class LabelWatch {
public:
    explicit LabelWatch(std::vector<const Label*> labels);

    // Compares the labels with the last look and takes the new look.
    LabelChanges take();

private:
    struct Look {
        std::string caption;
        bool visible = false;
        bool enabled = false;
        bool red = false;
    };
    static Look lookOf(const Label& label);

    std::vector<const Label*> labels_;
    std::vector<Look> looks_;
};

}  // namespace runeshot
