// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <cstdint>
#include <vector>

namespace runeshot {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
};

// The window's starfield, starfieldWidth x starfieldHeight pixels row by row (pictures.h),
// drawn from a fixed seed with no toolkit: the desktop compiles it in, the web page has the
// core draw it, and both show the same pixels.
std::vector<Rgb> drawStarfield();

}  // namespace runeshot
