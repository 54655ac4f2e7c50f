// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <string>
#include <vector>

#include <QRect>
#include <QRegion>

#include "shell/form1.h"
#include "shell/text_measure.h"

namespace runeshot {

// Remembers how each graphical control of a surface looked when last shown, so that after
// an event only what changed is repainted: a falling letter repaints two small patches
// of the field, not the whole starfield and status bar.
class WindowDamage {
public:
    explicit WindowDamage(const TextMeasure& measure) : measure_(measure) {}

    // Where the controls look different from the last call (their old and new places),
    // and remembers how they look now. The first call reports every visible control.
    QRegion takeChanges(const std::vector<GraphicalControl>& controls);

private:
    struct Look {
        bool visible = false;
        QRect rect;
        std::string caption, fontName;
        Colour fore = 0, back = 0, fill = 0;
        int backStyle = 0, borderStyle = 0, alignment = 0, kind = 0, fillStyle = 0;
        double fontSize = 0;
        bool bold = false;
        bool enabled = true;
        bool operator==(const Look&) const = default;
    };
    Look lookOf(const GraphicalControl& control) const;

    const TextMeasure& measure_;
    std::vector<Look> looks_;
};

}  // namespace runeshot
