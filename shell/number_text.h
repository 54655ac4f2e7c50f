// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <string>
#include <string_view>

namespace runeshot {

// How a number is shown in a caption: at most 15 significant digits, no trailing zeros,
// whole values without a decimal point, and `decimalSeparator` before any fraction.
std::string numberToText(double value, std::string_view decimalSeparator = ".");

// Reads a number the way the game-length box is read: blanks, tabs and line feeds are
// ignored wherever they stand; then a decimal number (sign, digits, a full stop whatever
// the locale, an exponent with E or D) or a number written &H (hexadecimal) or &O (octal)
// is read up to the first character that cannot continue it. Text that does not start
// with a number reads as 0; a value beyond the range of a double reads as the largest
// finite value of its sign.
double textToNumber(std::string_view text);

// from - amount, rounded at the fifteenth significant digit of the larger operand: the digits
// a caption can show. Counting 12.3 down by whole seconds then ends on 0.3, where plain
// binary arithmetic leaves 0.3000000000000007 and a caption would show its tail.
double subtractInShownDigits(double from, double amount);

// Rounds to the nearest whole number, ties to the even one (5.5 -> 6, 6.5 -> 6).
long long roundHalfEven(double value);

}  // namespace runeshot
