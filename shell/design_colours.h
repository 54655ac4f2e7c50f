// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include "shell/colour.h"

namespace runeshot::colours {

// The colours the window is designed in; the rules and the tests use them by these names.
inline constexpr Colour black = rgb(0, 0, 0);
inline constexpr Colour white = rgb(255, 255, 255);
inline constexpr Colour red = rgb(255, 0, 0);
inline constexpr Colour yellow = rgb(255, 255, 0);
inline constexpr Colour paleGreen = rgb(192, 255, 192);
inline constexpr Colour paleYellow = rgb(255, 255, 192);
inline constexpr Colour lightOrange = rgb(255, 192, 128);
inline constexpr Colour lightCyan = rgb(192, 255, 255);
inline constexpr Colour paleAqua = rgb(128, 255, 255);
inline constexpr Colour slateBlue = rgb(115, 136, 170);
inline constexpr Colour hatchGreen = rgb(0, 192, 0);
inline constexpr Colour darkGreen = rgb(0, 128, 0);
inline constexpr Colour deepGreen = rgb(0, 64, 0);
inline constexpr Colour brown = rgb(128, 64, 0);
inline constexpr Colour teal = rgb(0, 64, 64);

}  // namespace runeshot::colours
