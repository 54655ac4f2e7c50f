// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "ui/window_damage.h"

#include <variant>

#include "ui/control_painter.h"

namespace runeshot {

QRegion damageOf(const std::vector<ControlChange>& changes, const TextMeasure& measure) {
    QRegion damage;
    for (const ControlChange& change : changes) {
        for (const GraphicalControl& control : {controlOf(change.before), change.now}) {
            // Where a hidden control would be does not matter, and measuring a hidden
            // caption would load its face for nothing (the banner's, at start).
            if (std::visit([](const auto* c) { return c->Visible; }, control)) {
                damage += controlPixelRect(control, measure);
            }
        }
    }
    return damage;
}

}  // namespace runeshot
