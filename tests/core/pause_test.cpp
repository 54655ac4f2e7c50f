// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include <gtest/gtest.h>

#include "tests/core/session.h"

namespace runeshot::testing {
namespace {

TEST(Pause, FreezesTheFallAndTheCountdownUntilClickedAgain) {
    Session s;
    Game& g = s.game;
    s.click(g.lblNew);
    s.at(2500);
    s.click(g.lblPause);
    EXPECT_EQ(g.lblPause.Caption, "PAUSED");
    EXPECT_EQ(g.lblPause.ForeColor, red);
    EXPECT_TRUE(s.timersStopped());
    s.at(9000);
    EXPECT_EQ(g.Label1.Top, 3720);
    EXPECT_EQ(g.lbltime.Caption, "98");

    s.click(g.lblPause);
    EXPECT_EQ(g.lblPause.Caption, "PAUSE");
    EXPECT_EQ(g.lblPause.ForeColor, paleGreen);
    s.at(9199);
    EXPECT_EQ(g.Label1.Top, 3720);
    s.at(9200);
    EXPECT_EQ(g.Label1.Top, 3920);
    s.at(10'000);
    EXPECT_EQ(g.lbltime.Caption, "97");
}

TEST(Pause, AGameStartedOrGoingOnAgainGetsTheSoundReadyAndAPauseDoesNot) {
    Session s;
    s.click(s.game.lblNew);
    EXPECT_EQ(s.sound.openings, 1);
    s.click(s.game.lblPause);
    EXPECT_EQ(s.sound.openings, 1);
    s.click(s.game.lblPause);
    EXPECT_EQ(s.sound.openings, 2);
}

TEST(Pause, TwiceBeforeAnyGameStartsTheHiddenGFalling) {
    Session s;
    Game& g = s.game;
    s.click(g.lblPause);
    EXPECT_TRUE(s.timersStopped());
    s.click(g.lblPause);
    EXPECT_EQ(g.lblPause.Caption, "PAUSE");
    s.at(1000);
    EXPECT_EQ(g.lbltime.Caption, "99");
    EXPECT_EQ(g.Label1.Top, 2320);
    EXPECT_FALSE(g.Label1.Visible);
    s.at(2800);
    EXPECT_EQ(g.lblMissed.Caption, "1");
    EXPECT_FALSE(g.Label1.Visible);
    s.at(3300);
    EXPECT_EQ(s.played(), Sounds{"boing.wav"});
    EXPECT_TRUE(g.Label1.Visible);
    EXPECT_EQ(g.Label1.Top, 360);
}

// After a miss the red letter waits out its half second; a pause holds that wait, and
// whatever ends the pause lets it finish before anything falls again.
TEST(Pause, HoldsBackAMissPauseAndNoMissIsCountedTwice) {
    {
        SCOPED_TRACE("pause and resume");
        Session s;
        Game& g = s.game;
        s.click(g.lblNew);
        s.at(2900);
        s.click(g.lblPause);
        s.at(9000);
        EXPECT_TRUE(s.played().empty());
        EXPECT_EQ(g.Label1.Top, 4120);
        EXPECT_EQ(g.Label1.ForeColor, red);
        EXPECT_EQ(g.lbltime.Caption, "98");
        s.click(g.lblPause);
        s.at(9499);
        EXPECT_EQ(g.Label1.Top, 4120);
        s.expectMissPauseEnds(9500, 9700);
        s.at(10'000);
        EXPECT_EQ(g.lbltime.Caption, "97");
        EXPECT_EQ(g.lblMissed.Caption, "1");
    }
    for (bool throughSettings : {false, true}) {
        SCOPED_TRACE(throughSettings ? "SETTINGS, then Ok" : "PAUSE, then NEW GAME");
        Session s;
        Game& g = s.game;
        s.click(g.lblNew);
        s.at(2900);
        s.click(throughSettings ? g.lblSettings : g.lblPause);
        s.at(5000);
        s.click(throughSettings ? g.Label9 : g.lblNew);
        s.at(5499);
        EXPECT_EQ(g.Label1.Top, 4120);
        EXPECT_EQ(g.lblMissed.Caption, "0");
        s.expectMissPauseEnds(5500, 5700);
        EXPECT_EQ(g.lblMissed.Caption, "0");
    }
    {
        SCOPED_TRACE("a game started while paused, resumed during its miss pause");
        Session s;
        Game& g = s.game;
        s.click(g.lblPause);
        s.click(g.lblNew);
        s.at(2850);
        EXPECT_EQ(g.lblMissed.Caption, "1");
        s.click(g.lblPause);
        s.at(3299);
        EXPECT_EQ(g.Label1.Top, 4120);
        EXPECT_EQ(g.lblMissed.Caption, "1");
        s.at(3300);
        EXPECT_EQ(g.Label1.Top, 360);
        s.at(3500);
        EXPECT_EQ(g.Label1.Top, 560);
    }
}

}  // namespace
}  // namespace runeshot::testing
