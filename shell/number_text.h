// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <string>
#include <string_view>

namespace runeshot {

// How a number is shown in a caption: at most 15 significant digits, no trailing zeros,
// whole values without a decimal point, and `decimalSeparator` before any fraction.
std::string numberToText(double value, std::string_view decimalSeparator = ".");

// Reads the game-length box: blanks anywhere are ignored, then the leading decimal (full
// stop, E or D exponent), &H or &O number is read. No number reads as 0; too large a
// value as the largest finite one of its sign.
double textToNumber(std::string_view text);

// from - amount, rounded at the fifteenth significant digit of the larger operand: the digits
// a caption can show. Counting 12.3 down by whole seconds then ends on 0.3, where plain
// binary arithmetic leaves 0.3000000000000007 and a caption would show its tail.
double subtractInShownDigits(double from, double amount);

// Rounds to the nearest whole number, ties to the even one (5.5 -> 6, 6.5 -> 6).
long long roundHalfEven(double value);

}  // namespace runeshot
