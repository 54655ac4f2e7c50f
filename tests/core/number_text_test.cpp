// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <utility>

#include "shell/number_text.h"

namespace runeshot {
namespace {

constexpr double largest = std::numeric_limits<double>::max();

TEST(NumberReader, ReadsTheLeadingNumberOfTheGameLengthText) {
    const std::pair<std::string, double> cases[] = {
        {"12.5", 12.5},      {"300 seconds", 300}, {"seconds", 0},  {" 1 2 . 5 ", 12.5},
        {"1\t0\n0", 100},    {"", 0},              {"-", 0},        {".", 0},
        {"&HFF", 255},       {"&hff", 255},        {"&H", 0},       {"&O17", 15},
        {"&O19", 1},         {"&Hx", 0},           {"-3", -3},      {"+4", 4},
        {"1e3", 1000},       {"1E+3", 1000},       {"2D2", 200},    {"5e-1", 0.5},
        {"1.5e", 1.5},       {"1.5e-", 1.5},       {".5", 0.5},     {"12,5", 12},
        {"3.5.6", 3.5},      {"1e3e4", 1000},      {"\r12", 0},     {"1 e 2", 100},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(textToNumber(text), value) << '"' << text << '"';
}

TEST(NumberReader, SettlesEveryTextOnAFiniteNumber) {
    EXPECT_EQ(textToNumber("1e999999"), largest);
    EXPECT_EQ(textToNumber("-1e999999"), -largest);
    EXPECT_EQ(textToNumber("1e-999999"), 0);
    EXPECT_EQ(textToNumber("1e99999999999999999999"), largest);
    EXPECT_EQ(textToNumber(std::string(400, '9')), largest);
    EXPECT_EQ(textToNumber("0." + std::string(400, '0') + "1"), 0);
    EXPECT_EQ(textToNumber("0." + std::string(400, '0') + "1e401"), 1);
    EXPECT_EQ(textToNumber(std::string(400, '0') + "7"), 7);
    EXPECT_DOUBLE_EQ(textToNumber("&H" + std::string(40, 'F')), std::ldexp(1.0, 160));
    EXPECT_EQ(textToNumber("&H" + std::string(300, 'F')), largest);
    EXPECT_EQ(textToNumber(std::string(1 << 20, '9')), largest);
    EXPECT_EQ(textToNumber(std::string(1 << 20, ' ') + "42"), 42);

    std::mt19937 bytes(7);
    std::string noise(1 << 20, '\0');
    for (char& c : noise) c = static_cast<char>(bytes());
    EXPECT_TRUE(std::isfinite(textToNumber(noise)));
    for (int i = 0; i < 20000; ++i) {
        std::string text(bytes() % 24, '\0');
        for (char& c : text) c = "0123456789+-.eEdD&HhOo \t"[bytes() % 24];
        const double value = textToNumber(text);
        ASSERT_TRUE(std::isfinite(value)) << '"' << text << '"';
    }
}

TEST(NumberShower, ShowsAtMostFifteenDigitsWithoutTrailingZeros) {
    double afterFiveTicks = 12.3;
    for (int tick = 0; tick < 5; ++tick) afterFiveTicks = afterFiveTicks - 1;
    const std::pair<double, std::string> cases[] = {
        {100, "100"},
        {afterFiveTicks, "7.3"},
        {0.1 + 0.2, "0.3"},
        {-1, "-1"},
        {-0.5, "-0.5"},
        {-0.0, "0"},
        {123456789012345, "123456789012345"},
        {largest, "1.79769313486232e+308"},
        {1e-300, "1e-300"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(numberToText(value), text) << value;
    EXPECT_EQ(numberToText(afterFiveTicks, ","), "7,3");
    EXPECT_EQ(numberToText(100, ","), "100");
}

TEST(Countdown, SubtractsWholeSecondsWithoutLeavingBinaryDust) {
    double left = 12.3;
    std::string shown;
    for (int tick = 0; tick < 12; ++tick) {
        left = subtractInShownDigits(left, 1);
        shown += numberToText(left) + ' ';
    }
    EXPECT_EQ(shown, "11.3 10.3 9.3 8.3 7.3 6.3 5.3 4.3 3.3 2.3 1.3 0.3 ");
    EXPECT_EQ(numberToText(subtractInShownDigits(1.00000000001, 1)), "1e-11");
    EXPECT_EQ(subtractInShownDigits(100, 1), 99);
    EXPECT_EQ(subtractInShownDigits(largest, 1), largest);
    EXPECT_EQ(subtractInShownDigits(-largest, 1), -largest);
    EXPECT_EQ(subtractInShownDigits(1e-300, 0), 1e-300);
}

TEST(IndexRounding, RoundsTiesToTheEvenIndex) {
    const std::pair<double, long long> cases[] = {
        {5.5, 6}, {6.5, 6}, {1.5, 2}, {50.5, 50}, {2.5, 2}, {3.5, 4},
        {5.7, 6}, {50.51, 51}, {1.49, 1},
    };
    for (const auto& [value, index] : cases) EXPECT_EQ(roundHalfEven(value), index) << value;
}

}  // namespace
}  // namespace runeshot
