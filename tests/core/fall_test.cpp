// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include <gtest/gtest.h>

#include "tests/core/session.h"

namespace runeshot::testing {
namespace {

TEST(Fall, TheDesignTimeGIsMissedOnItsFourteenthStepAndADealtLetterOnItsEighteenth) {
    Session s;
    Game& g = s.game;
    s.click(g.lblNew);
    EXPECT_TRUE(g.Label1.Visible);
    EXPECT_EQ(g.Label1.Caption, "G");
    EXPECT_EQ(g.Label1.Left, 4320);

    s.at(13 * 200);
    EXPECT_EQ(g.Label1.Top, 3920);
    EXPECT_EQ(g.lblMissed.Caption, "0");
    s.at(14 * 200);
    EXPECT_EQ(g.Label1.Top, 4120);
    EXPECT_EQ(g.lblMissed.Caption, "1");
    EXPECT_EQ(g.Label1.ForeColor, red);
    EXPECT_TRUE(g.Label1.Visible);

    // The red letter stands still for half a second, then the miss sounds with a new letter.
    s.at(3299);
    EXPECT_EQ(g.Label1.Top, 4120);
    EXPECT_TRUE(s.played().empty());
    s.at(3300);
    EXPECT_EQ(s.played(), Sounds{"boing.wav"});
    EXPECT_EQ(g.Label1.Caption, "F");
    EXPECT_EQ(g.Label1.Left, 4250);
    EXPECT_EQ(g.Label1.Top, 360);
    EXPECT_EQ(g.Label1.ForeColor, white);
    s.at(3500);
    EXPECT_EQ(g.Label1.Top, 560);

    s.at(3300 + 17 * 200);
    EXPECT_EQ(g.Label1.Top, 3760);
    EXPECT_EQ(g.lblMissed.Caption, "1");
    s.at(3300 + 18 * 200);
    EXPECT_EQ(g.lblMissed.Caption, "2");
    EXPECT_EQ(g.Label1.ForeColor, red);
}

TEST(NewGame, DuringAMissPauseTheTimerDueFirstDecides) {
    {
        SCOPED_TRACE("the fall steps first: the red letter is the new game's first miss");
        Session s;
        Game& g = s.game;
        s.click(g.lblNew);
        s.at(2800);
        s.at(2900);
        s.click(g.lblNew);
        EXPECT_EQ(g.lblMissed.Caption, "0");
        s.at(3100);
        EXPECT_EQ(g.Label1.Top, 4320);
        EXPECT_EQ(g.lblMissed.Caption, "1");
        EXPECT_TRUE(s.played().empty());
        s.expectMissPauseEnds(3300, 3500);
        EXPECT_EQ(g.lblMissed.Caption, "1");
    }
    {
        SCOPED_TRACE("the miss pause ends first: a fresh letter and no miss");
        Session s;
        Game& g = s.game;
        s.click(g.lblNew);
        s.at(2800);
        s.at(3200);
        s.click(g.lblNew);
        s.expectMissPauseEnds(3300, 3400);
        EXPECT_EQ(g.lblMissed.Caption, "0");
    }
}

TEST(NewGame, MidFallLeavesTheLetterWhereItIsAndStartsTheCountersAfresh) {
    Session s;
    Game& g = s.game;
    s.click(g.lblNew);
    s.at(500);
    s.type('G');
    s.at(2500);
    EXPECT_EQ(g.lblShooted.Caption, "1");
    EXPECT_EQ(g.lbltime.Caption, "98");
    EXPECT_EQ(g.Label1.Top, 2360);

    s.handle(inputs::LengthText{"30"});
    s.click(g.lblNew);
    EXPECT_EQ(g.lblShooted.Caption, "0");
    EXPECT_EQ(g.lbltime.Caption, "100");
    EXPECT_EQ(g.Ttime, 30);
    EXPECT_EQ(g.Label1.Caption, "F");
    EXPECT_EQ(g.Label1.Top, 2360);
    EXPECT_EQ(g.Label1.ForeColor, white);
    s.at(2600);
    EXPECT_EQ(g.Label1.Top, 2560);
    s.at(3000);
    EXPECT_EQ(g.lbltime.Caption, "29");
}

TEST(Fall, AMinimizedWindowPausesWhenTheNextMissPauseEnds) {
    Session s;
    Game& g = s.game;
    s.click(g.lblNew);
    s.handle(inputs::WindowStateChanged{FormWindowState::minimized});
    s.at(3299);
    EXPECT_EQ(g.lbltime.Caption, "97");
    EXPECT_FALSE(g.paused);
    s.at(3300);
    EXPECT_EQ(s.played(), Sounds{"boing.wav"});
    EXPECT_TRUE(g.paused);
    EXPECT_EQ(g.lblPause.Caption, "PAUSED");
    EXPECT_TRUE(s.timersStopped());
    s.at(20'000);
    EXPECT_EQ(g.Label1.Top, 360);
    EXPECT_EQ(g.lbltime.Caption, "97");
}

}  // namespace
}  // namespace runeshot::testing
