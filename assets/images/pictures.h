#pragma once

#include <cstdint>

namespace runeshot {

// The window's starfield, drawn at build time by make_images and compiled in as plain
// pixels (0xffRRGGBB, row by row), so that the window shows it without decoding anything.
inline constexpr int starfieldWidth = 665;
inline constexpr int starfieldHeight = 364;
extern const std::uint32_t starfieldPixels[starfieldWidth * starfieldHeight];

}  // namespace runeshot
