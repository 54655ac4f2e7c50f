// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <cstdint>

namespace runeshot {

// The window's starfield and icon, drawn at build time by make_images and compiled in as
// plain pixels (0xffRRGGBB, row by row), so that the window shows them without decoding
// anything: reading even a small picture file makes Qt look through all its picture
// format plugins first.
inline constexpr int starfieldWidth = 665;
inline constexpr int starfieldHeight = 364;
extern const std::uint32_t starfieldPixels[starfieldWidth * starfieldHeight];

inline constexpr int iconSize = 32;
extern const std::uint32_t iconPixels[iconSize * iconSize];

}  // namespace runeshot
