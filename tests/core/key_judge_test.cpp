// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include <gtest/gtest.h>

#include "tests/core/session.h"

namespace runeshot::testing {
namespace {

TEST(KeyJudge, OnlyTheExactCharacterOnScreenShootsTheLetterDown) {
    Session s;
    Game& g = s.game;
    s.click(g.lblNew);
    s.at(1050);
    g.Label1.Caption = "q";
    for (char wrong : {'Q', 'p', '1', '.', ' ', '\b', '\r', '\x1b', '\xF1'}) s.type(wrong);
    EXPECT_EQ(s.played(), Sounds(9, "wrong.wav"));
    EXPECT_EQ(g.lblShooted.Caption, "0");
    EXPECT_EQ(g.Label1.Caption, "q");
    EXPECT_EQ(g.Label1.Top, 2320);

    s.type('q');
    EXPECT_EQ(s.played().back(), "shooted.wav");
    EXPECT_EQ(g.lblShooted.Caption, "1");
    EXPECT_EQ(g.Label1.Caption, "F");
    EXPECT_EQ(g.Label1.Top, 360);
    EXPECT_TRUE(g.Label1.Visible);
    // The fall keeps its phase: the new letter's first step comes with the next tick.
    s.at(1199);
    EXPECT_EQ(g.Label1.Top, 360);
    s.at(1200);
    EXPECT_EQ(g.Label1.Top, 560);
}

TEST(KeyJudge, ScoresBeforeTheFirstGameAndWhilePaused) {
    Session s;
    Game& g = s.game;
    s.type('G');
    EXPECT_EQ(s.played(), Sounds{"shooted.wav"});
    EXPECT_EQ(g.lblShooted.Caption, "1");
    EXPECT_TRUE(g.Label1.Visible);
    EXPECT_EQ(g.Label1.Top, 360);
    EXPECT_TRUE(s.timersStopped());

    s.click(g.lblNew);
    s.at(400);
    s.click(g.lblPause);
    s.type('F');
    EXPECT_EQ(g.lblShooted.Caption, "1");
    EXPECT_EQ(g.Label1.Top, 360);
    s.at(5000);
    EXPECT_EQ(g.Label1.Top, 360);
    s.click(g.lblPause);
    s.at(5200);
    EXPECT_EQ(g.Label1.Top, 560);
}

TEST(KeyJudge, AHitInTheMissPauseIsFollowedByTheMissPausesOwnDeal) {
    Session s({drawGiving(1000, 8500), drawGiving(10, 51), drawGiving(2000, 8500),
               drawGiving(20, 51)});
    Game& g = s.game;
    s.click(g.lblNew);
    s.at(3000);
    s.type('G');
    EXPECT_EQ(g.lblShooted.Caption, "1");
    EXPECT_EQ(g.Label1.Caption, "K");
    EXPECT_EQ(g.Label1.Left, 1000);
    EXPECT_EQ(g.Label1.ForeColor, white);
    s.at(3299);
    EXPECT_EQ(g.Label1.Top, 360);
    s.at(3300);
    EXPECT_EQ(s.played(), (Sounds{"shooted.wav", "boing.wav"}));
    EXPECT_EQ(g.Label1.Caption, "U");
    EXPECT_EQ(g.Label1.Left, 2000);
    s.at(3500);
    EXPECT_EQ(g.Label1.Top, 560);
    EXPECT_EQ(g.lblMissed.Caption, "1");
}

TEST(KeyJudge, NoKeyIsJudgedFromTimeOverUntilTheNextGame) {
    Session s;
    Game& g = s.game;
    s.playGameToItsEnd(1);
    s.type('G');
    s.type('x');
    EXPECT_EQ(s.played(), Sounds{"theend.wav"});
    EXPECT_EQ(g.lblShooted.Caption, "0");
    s.click(g.lblNew);
    s.type('G');
    EXPECT_EQ(g.lblShooted.Caption, "1");
}

TEST(KeyJudge, HitsGoOnCountingPast32767) {
    Session s;
    s.game.Shooted = 32767;
    s.type('G');
    EXPECT_EQ(s.game.lblShooted.Caption, "32768");
    s.type('F');
    EXPECT_EQ(s.game.lblShooted.Caption, "32769");
}

}  // namespace
}  // namespace runeshot::testing
