// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "ui/window_damage.h"

#include "shell/control_damage.h"
#include "ui/control_painter.h"

namespace runeshot {

QRegion damageOf(const std::vector<ControlChange>& changes, const TextMeasure& measure) {
    QRegion damage;
    for (const PixelRect& rect : damagedRects(changes, measure)) damage += qtRect(rect);
    return damage;
}

}  // namespace runeshot
