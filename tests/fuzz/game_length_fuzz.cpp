// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

// Whatever the player types as the game length, reading it gives a number the countdown can
// use, and showing that number gives text the reader reads back as the same number.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "shell/number_text.h"
#include "tests/fuzz/fuzz_check.h"

using runeshot::numberToText;
using runeshot::textToNumber;
using runeshot::fuzz::require;

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A shown number: an optional minus, digits, a fraction without trailing zeros and an
// exponent of at least two digits, with at most 15 significant digits in all.
bool isShownNumber(std::string_view s) {
    std::size_t i = 0;
    if (i < s.size() && s[i] == '-') ++i;
    std::string mantissa;
    for (; i < s.size() && isDigit(s[i]); ++i) mantissa.push_back(s[i]);
    if (mantissa.empty()) return false;
    if (i < s.size() && s[i] == '.') {
        const std::size_t fractionStart = ++i;
        for (; i < s.size() && isDigit(s[i]); ++i) mantissa.push_back(s[i]);
        if (i == fractionStart || s[i - 1] == '0') return false;
    }
    if (i < s.size() && s[i] == 'e') {
        ++i;
        if (i == s.size() || (s[i] != '+' && s[i] != '-')) return false;
        const std::size_t exponentStart = ++i;
        for (; i < s.size() && isDigit(s[i]); ++i) {
        }
        if (i - exponentStart < 2) return false;
    }
    const std::size_t firstSignificant = mantissa.find_first_not_of('0');
    const std::size_t significant =
        firstSignificant == std::string::npos ? 1 : mantissa.size() - firstSignificant;
    return i == s.size() && significant <= 15;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view typed(reinterpret_cast<const char*>(data), size);
    const double length = textToNumber(typed);
    require(std::isfinite(length),
            "a game length is a finite number, the largest double at most");

    const std::string shown = numberToText(length);
    require(isShownNumber(shown), "a number is shown with at most 15 digits and no padding");
    if (length == std::trunc(length) && std::fabs(length) < 1e15) {
        require(shown == std::to_string(static_cast<long long>(length)),
                "a whole number is shown without a decimal point");
    }

    const double reread = textToNumber(shown);
    const double tolerance = std::max(std::fabs(length) * 1e-14,
                                      std::numeric_limits<double>::denorm_min());
    require(std::fabs(reread - length) <= tolerance,
            "a shown number reads back as the number it shows");

    std::string withComma = shown;
    std::replace(withComma.begin(), withComma.end(), '.', ',');
    require(numberToText(length, ",") == withComma,
            "the locale's decimal separator stands where the full stop would");
    return 0;
}
