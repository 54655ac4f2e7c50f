// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <vector>

#include "shell/control_look.h"

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

// The labels among the changed controls, the window's first, sorted by what changed.
LabelChanges labelChanges(const ControlChanges& changes);

}  // namespace runeshot
