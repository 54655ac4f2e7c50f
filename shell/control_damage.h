// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <vector>

#include "shell/control_look.h"
#include "shell/pixel_rect.h"
#include "shell/text_measure.h"

namespace runeshot {

// Where the changed controls of a surface were and are now, in its pixels: after an input
// only that is painted again, so a falling letter repaints two small patches of the field,
// not the whole starfield and status bar.
std::vector<PixelRect> damagedRects(const std::vector<ControlChange>& changes,
                                    const TextMeasure& measure);

}  // namespace runeshot
