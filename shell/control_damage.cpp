// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "shell/control_damage.h"

#include <variant>

namespace runeshot {

std::vector<PixelRect> damagedRects(const std::vector<ControlChange>& changes,
                                    const TextMeasure& measure) {
    std::vector<PixelRect> damage;
    for (const ControlChange& change : changes) {
        for (const GraphicalControl& control : {controlOf(change.before), change.now}) {
            // Where a hidden control would be does not matter, and measuring a hidden
            // caption would load its face for nothing (the banner's, at start).
            if (std::visit([](const auto* c) { return c->Visible; }, control)) {
                damage.push_back(pixelsOf(control, measure));
            }
        }
    }
    return damage;
}

}  // namespace runeshot
