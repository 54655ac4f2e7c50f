// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <cstdint>

namespace runeshot {

// A colour as the form stores it: 0x00BBGGRR, red in the lowest byte. A value with the
// top bit set names a desktop colour by its index in the lowest byte.
using Colour = std::uint32_t;

constexpr Colour rgb(int red, int green, int blue) {
    return static_cast<Colour>(red) | static_cast<Colour>(green) << 8 |
           static_cast<Colour>(blue) << 16;
}

constexpr bool isSystemColour(Colour c) { return (c & 0x80000000u) != 0; }

// Desktop colours are drawn with their values in the standard scheme, so the game looks
// the same whatever theme the player's desktop uses.
constexpr Colour resolveColour(Colour c) {
    if (!isSystemColour(c)) return c & 0x00FFFFFFu;
    switch (c & 0xFFu) {
    case 5: return rgb(255, 255, 255);   // window background
    case 6: return rgb(0, 0, 0);         // window frame
    case 8: return rgb(0, 0, 0);         // window text
    case 10: return rgb(192, 192, 192);  // active border
    case 11: return rgb(192, 192, 192);  // inactive border
    case 14: return rgb(255, 255, 255);  // highlight text
    default: return rgb(0, 0, 0);
    }
}

constexpr int redOf(Colour c) { return static_cast<int>(c & 0xFFu); }
constexpr int greenOf(Colour c) { return static_cast<int>((c >> 8) & 0xFFu); }
constexpr int blueOf(Colour c) { return static_cast<int>((c >> 16) & 0xFFu); }

}  // namespace runeshot
