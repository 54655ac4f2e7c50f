// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "shell/number_text.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace runeshot {

namespace {

constexpr double largest = std::numeric_limits<double>::max();

// 10^exponent as the nearest double, infinity past the largest. std::pow is not
// correctly rounded everywhere (MinGW's is a few units off at large exponents); reading
// the decimal number is.
double powerOfTen(int exponent) {
    const std::string text = "1e" + std::to_string(exponent);
    double value = 0;
    const auto read = std::from_chars(text.data(), text.data() + text.size(), value);
    return read.ec == std::errc::result_out_of_range ? std::numeric_limits<double>::infinity()
                                                     : value;
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

double readDecimal(std::string_view s) {
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';

    // The digits are copied into a plain form that from_chars reads without regard to
    // the locale: digits, a full stop, digits, and an exponent with 'e'.
    std::string plain;
    long long leadingZeroDigits = 0;  // whole part: digits before the first non-zero one
    long long wholeDigits = 0;
    bool seenNonZero = false;
    long long fractionZerosBeforeFirstDigit = 0;
    for (; i < s.size() && isDigit(s[i]); ++i) {
        plain.push_back(s[i]);
        ++wholeDigits;
        if (s[i] != '0') seenNonZero = true;
        if (!seenNonZero) ++leadingZeroDigits;
    }
    bool fractionHasDigits = false;
    if (i < s.size() && s[i] == '.') {
        ++i;
        plain.push_back('.');
        for (; i < s.size() && isDigit(s[i]); ++i) {
            plain.push_back(s[i]);
            fractionHasDigits = true;
            if (s[i] != '0') seenNonZero = true;
            if (!seenNonZero) ++fractionZerosBeforeFirstDigit;
        }
    }
    if (wholeDigits == 0 && !fractionHasDigits) return 0;

    long long exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::size_t j = i + 1;
        bool negativeExponent = false;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) negativeExponent = s[j++] == '-';
        if (j < s.size() && isDigit(s[j])) {
            for (; j < s.size() && isDigit(s[j]); ++j) {
                // Saturates far beyond any exponent a double can hold.
                if (exponent < 1'000'000'000) exponent = exponent * 10 + (s[j] - '0');
            }
            if (negativeExponent) exponent = -exponent;
            plain += 'e';
            plain += std::to_string(exponent);
        }
    }

    double value = 0;
    const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        if (!seenNonZero) {
            value = 0;
        } else {
            // The decimal magnitude tells overflow from underflow.
            const long long wholeSignificant = wholeDigits - leadingZeroDigits;
            const long long magnitude = (wholeSignificant > 0
                                             ? wholeSignificant
                                             : -fractionZerosBeforeFirstDigit) +
                                        exponent;
            value = magnitude > 0 ? largest : 0;
        }
    } else if (result.ec != std::errc()) {
        value = 0;
    }
    return negative ? -value : value;
}

}  // namespace

std::string numberToText(double value, std::string_view decimalSeparator) {
    if (value == 0) return "0";  // also keeps a negative zero from showing as "-0"
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    std::string text(buffer, result.ptr);
    if (const auto point = text.find('.'); point != std::string::npos) {
        text.replace(point, 1, decimalSeparator);
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
