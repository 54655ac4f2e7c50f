// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "shell/number_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

namespace runeshot {

namespace {

constexpr double largest = std::numeric_limits<double>::max();

// The C library reads and writes numbers correctly rounded everywhere the game is built
// (from_chars for doubles is missing from some standard libraries), but it reads and writes
// the decimal point of the process's locale, which the window toolkit sets from the player's.
// So numbers are handed to it without a decimal point: digits and a power of ten.
double readScaled(const std::string& digits, long long exponent) {
    const std::string text = digits + "e" + std::to_string(exponent);
    const double value = std::strtod(text.c_str(), nullptr);
    // Too large is the largest finite value; too small stays what strtod made of it (zero or
    // a value below the normal range, the same everywhere).
    return std::isinf(value) ? largest : value;
}

// 10^exponent as the nearest double, infinity past the largest. std::pow is not
// correctly rounded everywhere (MinGW's is a few units off at large exponents); reading
// the decimal number is.
double powerOfTen(int exponent) {
    return std::strtod(("1e" + std::to_string(exponent)).c_str(), nullptr);
}

bool isIgnoredBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string withoutBlanks(std::string_view text) {
    std::string kept;
    kept.reserve(text.size());
    for (char c : text) {
        if (!isIgnoredBlank(c)) kept.push_back(c);
    }
    return kept;
}

int digitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 99;
}

double readRadix(std::string_view digits, int radix) {
    double value = 0;
    for (char c : digits) {
        const int d = digitValue(c);
        if (d >= radix) break;
        value = value * radix + d;
    }
    return std::isinf(value) ? largest : value;
}

// The exponent after E or D, if one follows; 0 if none does.
long long readExponent(std::string_view s, std::size_t i) {
    if (i >= s.size() || (s[i] != 'e' && s[i] != 'E' && s[i] != 'd' && s[i] != 'D')) return 0;
    bool negative = false;
    if (++i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    long long exponent = 0;
    for (; i < s.size() && isDigit(s[i]); ++i) {
        // Saturates far beyond any exponent a double can hold.
        if (exponent < 1'000'000'000) exponent = exponent * 10 + (s[i] - '0');
    }
    return negative ? -exponent : exponent;
}

double readDecimal(std::string_view s) {
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';

    // Whole and fraction digits run together; each fraction digit takes a power of ten off.
    std::string digits;
    for (; i < s.size() && isDigit(s[i]); ++i) digits.push_back(s[i]);
    long long fractionDigits = 0;
    if (i < s.size() && s[i] == '.') {
        for (++i; i < s.size() && isDigit(s[i]); ++i, ++fractionDigits) digits.push_back(s[i]);
    }
    if (digits.empty()) return 0;
    const double value = readScaled(digits, readExponent(s, i) - fractionDigits);
    return negative ? -value : value;
}

// The significant digits and decimal exponent of a value rounded to 15 digits, as
// d.dddddddddddddd x 10^exponent. Whatever stands between the first digit and the others
// is the locale's decimal point, and is skipped.
struct FifteenDigits {
    std::string digits;
    int exponent = 0;
};

FifteenDigits fifteenDigits(double magnitude) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", magnitude);
    FifteenDigits rounded;
    const char* c = buffer;
    for (; *c != '\0' && *c != 'e'; ++c) {
        if (isDigit(*c)) rounded.digits.push_back(*c);
    }
    if (*c == 'e') rounded.exponent = std::atoi(c + 1);
    return rounded;
}

}  // namespace

std::string numberToText(double value, std::string_view decimalSeparator) {
    if (value == 0) return "0";  // also keeps a negative zero from showing as "-0"
    FifteenDigits rounded = fifteenDigits(std::fabs(value));
    rounded.digits.erase(rounded.digits.find_last_not_of('0') + 1);
    std::string text = value < 0 ? "-" : "";
    const int exponent = rounded.exponent;
    const std::string& digits = rounded.digits;
    // As printf's %.15g: plain notation from 10^-5 to below 10^15, powers of ten beyond.
    if (exponent < -4 || exponent >= 15) {
        text += digits.substr(0, 1);
        if (digits.size() > 1) text += std::string(decimalSeparator) + digits.substr(1);
        text += exponent < 0 ? "e-" : "e+";
        const std::string power = std::to_string(std::abs(exponent));
        text += (power.size() < 2 ? "0" : "") + power;
    } else if (exponent < 0) {
        text += "0" + std::string(decimalSeparator) + std::string(-exponent - 1, '0') + digits;
    } else if (digits.size() > std::size_t(exponent) + 1) {
        text += digits.substr(0, exponent + 1) + std::string(decimalSeparator) +
                digits.substr(exponent + 1);
    } else {
        text += digits + std::string(exponent + 1 - digits.size(), '0');
    }
    return text;
}

double textToNumber(std::string_view text) {
    const std::string s = withoutBlanks(text);
    if (s.size() >= 2 && s[0] == '&') {
        if (s[1] == 'H' || s[1] == 'h') return readRadix(std::string_view(s).substr(2), 16);
        if (s[1] == 'O' || s[1] == 'o') return readRadix(std::string_view(s).substr(2), 8);
    }
    return readDecimal(s);
}

double subtractInShownDigits(double from, double amount) {
    const double difference = from - amount;
    const double scale = std::fmax(std::fabs(from), std::fabs(amount));
    if (scale == 0 || !std::isfinite(scale) || !std::isfinite(difference)) return difference;
    // Quantum: one unit in the fifteenth significant digit of the larger operand. The
    // scaled value stays below 10^15, well inside a double's exact integers.
    const int quantumExponent = static_cast<int>(std::floor(std::log10(scale))) - 14;
    if (quantumExponent < 0) {
        const double inverse = powerOfTen(-quantumExponent);
        if (!std::isfinite(inverse)) return difference;
        return std::round(difference * inverse) / inverse;
    }
    const double quantum = powerOfTen(quantumExponent);
    const double rounded = std::round(difference / quantum) * quantum;
    return std::isfinite(rounded) ? rounded : difference;
}

long long roundHalfEven(double value) {
    // nearbyint rounds in the current mode, which is to-nearest-even unless someone
    // changed it; the game never does.
    return static_cast<long long>(std::nearbyint(value));
}

}  // namespace runeshot
