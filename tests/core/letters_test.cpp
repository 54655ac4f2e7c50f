// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>

#include "game/game.h"
#include "tests/core/session.h"

namespace runeshot {
namespace {

using testing::drawGiving;
using testing::FixedDraws;
using testing::RecordingSound;

// The first deals of a run, as the end-to-end tests expect them (tests/e2e/first_deals.txt).
constexpr const char* pinnedFirstDeals =
#include "first_deals.inc"
    ;

TEST(Letters, TheTableHoldsUpperThenLowerCaseLetters) {
    Module1 module;
    module.FillLetters();
    ASSERT_EQ(module.Letters.size(), 52u);
    EXPECT_EQ(module.Letters[0], "A");
    EXPECT_EQ(module.Letters[25], "Z");
    EXPECT_EQ(module.Letters[26], "a");
    EXPECT_EQ(module.Letters[51], "z");
}

// Each case gives the two products the draws make: r x 8500 for the column, r x 51 for the
// letter. No single-precision r gives r x 51 = 3.5 exactly, so that tie is left to the
// rounding test.
TEST(Letters, ADealPlacesTheLetterTheTwoDrawsChoose) {
    struct Case {
        double column, index;
        float left;
        const char* letter;
    };
    const Case cases[] = {
        {0, 0, 0, "F"},       {8200, 10, 5000, "K"},    {8000, 10, 8000, "K"},
        {300, 10, 250, "K"},  {40, 10, 40, "K"},        {55, 10, 55, "K"},
        {500, 10, 500, "K"},  {499, 10, 449, "K"},      {56, 10, 6, "K"},
        {100, 0.7, 50, "G"},  {100, 2.5, 50, "C"},      {100, 50.5, 50, "y"},
        {100, 50.6, 50, "z"}, {100, 1, 50, "B"},        {100, 25.5, 50, "a"},
    };
    for (const Case& c : cases) {
        FixedDraws draws({drawGiving(c.column, 8500), drawGiving(c.index, 51)});
        RecordingSound sound;
        Game game(draws, sound);
        game.Form_Load();
        game.Label1.ForeColor = colours::red;
        game.NewLetter();
        SCOPED_TRACE(::testing::Message() << "r x 8500 = " << c.column << ", r x 51 = " << c.index);
        EXPECT_EQ(game.Label1.Left, c.left);
        EXPECT_EQ(game.X, c.left);
        EXPECT_EQ(game.Label1.Caption, c.letter);
        EXPECT_EQ(game.Label1.Top, 360);
        EXPECT_TRUE(game.Label1.Visible);
        EXPECT_EQ(game.Label1.ForeColor, colours::white);
    }
}

TEST(Letters, EveryRunDealsTheseLettersAndNeverAnA) {
    Lcg24 random;
    RecordingSound sound;
    Game game(random, sound);
    game.Form_Load();
    // The table was worked out from the generator's formula, single-precision rounding
    // included, apart from the program.
    std::istringstream table(pinnedFirstDeals);
    int pinned = 0;
    for (std::string row; std::getline(table, row);) {
        if (row.empty() || row[0] == '#') continue;
        float left = 0;
        std::string letter;
        std::istringstream(row) >> left >> letter;
        game.NewLetter();
        EXPECT_EQ(game.Label1.Left, left) << "deal " << pinned;
        EXPECT_EQ(game.Label1.Caption, letter) << "deal " << pinned;
        ++pinned;
    }
    EXPECT_GT(pinned, 0);
    std::set<std::string> dealt;
    for (int deal = 0; deal < 1'000'000; ++deal) {
        game.NewLetter();
        ASSERT_NE(game.Label1.Caption, "A") << "deal " << deal;
        ASSERT_GE(game.Label1.Left, 0);
        ASSERT_LE(game.Label1.Left, 8000);
        dealt.insert(game.Label1.Caption);
    }
    EXPECT_EQ(dealt.size(), 51u);
    EXPECT_TRUE(sound.played.empty());
}

}  // namespace
}  // namespace runeshot
