// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include <gtest/gtest.h>

#include "tests/core/session.h"

namespace runeshot::testing {
namespace {

TEST(Countdown, ADefaultGameEndsOnItsHundredthTickWithTheBannerFullyGrown) {
    Session s;
    Game& g = s.game;
    bool bannerReadyForTheEnd = false;
    s.sound.onPlay = [&](const std::string& name) {
        if (name == "theend.wav") {
            bannerReadyForTheEnd = g.lblOver.Visible && g.lblOver.Font.Size == 72 &&
                                   g.lbltime.Caption == "0";
        }
    };
    s.click(g.lblNew);
    s.at(999);
    EXPECT_EQ(g.lbltime.Caption, "100");
    s.at(1000);
    EXPECT_EQ(g.lbltime.Caption, "99");
    s.at(99'999);
    EXPECT_EQ(g.lbltime.Caption, "1");
    EXPECT_FALSE(g.lblOver.Visible);

    s.at(100'000);
    EXPECT_EQ(g.lbltime.Caption, "0");
    EXPECT_TRUE(bannerReadyForTheEnd);
    EXPECT_FALSE(g.Text1.Enabled);
    EXPECT_FALSE(g.lblPause.Enabled);
    s.click(g.lblPause);
    EXPECT_FALSE(g.paused);
    EXPECT_FALSE(g.Label1.Visible);
    EXPECT_TRUE(s.timersStopped());
    // The G is missed at 2.8 s and every later letter 4.1 s after the one before.
    EXPECT_EQ(g.lblMissed.Caption, "24");
    Sounds expected(24, "boing.wav");
    expected.push_back("theend.wav");
    EXPECT_EQ(s.played(), expected);

    s.at(200'000);
    EXPECT_EQ(s.played().size(), expected.size());
}

TEST(Countdown, TheGameEndsAtTheFirstTickThatReachesZeroOrGoesBelow) {
    struct Case {
        const char* length;
        const char* separator;
        int lastTick;
        const char* afterFirstTick;
        const char* beforeLastTick;
    };
    const Case cases[] = {
        {"3", ".", 3, "2", "1"},         {"12.5", ".", 13, "11.5", "0.5"},
        {"12.5", ",", 13, "11,5", "0,5"}, {"0.5", ".", 1, "0", ""},
        {"0", ".", 1, "0", ""},           {"-3", ".", 1, "0", ""},
        {"ten", ".", 1, "0", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "length \"" << c.length << "\"");
        Session s;
        Game& g = s.game;
        s.handle(inputs::LengthText{c.length});
        g.DecimalSeparator = c.separator;
        s.click(g.lblNew);
        for (int tick = 1; tick < c.lastTick; ++tick) {
            s.at(tick * 1000);
            ASSERT_FALSE(g.lblOver.Visible) << "tick " << tick;
            if (tick == 1) {
                EXPECT_EQ(g.lbltime.Caption, c.afterFirstTick);
            }
        }
        if (c.lastTick > 1) {
            EXPECT_EQ(g.lbltime.Caption, c.beforeLastTick);
        }
        s.at(c.lastTick * 1000);
        EXPECT_EQ(g.lbltime.Caption, "0");
        if (c.lastTick == 1) {
            EXPECT_EQ(g.lbltime.Caption, c.afterFirstTick);
        }
        EXPECT_TRUE(g.lblOver.Visible);
        EXPECT_TRUE(s.timersStopped());
        ASSERT_FALSE(s.played().empty());
        EXPECT_EQ(s.played().back(), "theend.wav");
    }
}

// The red letter was counted before the banner; a new game lets its miss pause finish
// before anything falls, and never counts it again.
TEST(TimeOver, InsideAMissPauseLeavesItHeldForTheNextGame) {
    for (bool throughSettings : {false, true}) {
        SCOPED_TRACE(throughSettings ? "SETTINGS, Ok" : "NEW GAME");
        Session s;
        Game& g = s.game;
        s.playGameToItsEnd(3);
        if (throughSettings) {
            s.openSettings();
            s.click(g.Label9);
        } else {
            s.click(g.lblNew);
        }
        s.sound.played.clear();
        s.at(3499);
        EXPECT_EQ(g.Label1.Top, 4120);
        s.expectMissPauseEnds(3500, 3700);
        EXPECT_EQ(g.lblMissed.Caption, "0");
    }
}

// Time over stops a miss pause under way, and the settings panel opens and closes over the
// finished game as often as the player likes: the letter and the clock stay where the
// banner stopped them.
TEST(TimeOver, AFinishedGameStaysFinishedWhateverTheSettingsDo) {
    Session s;
    Game& g = s.game;
    s.playGameToItsEnd(3);
    EXPECT_EQ(s.played(), Sounds{"theend.wav"});
    s.sound.played.clear();
    Millis now = 3000;
    const auto clickAndWait = [&](const Label& label) {
        s.click(label);
        s.at(now += 10'000);
        EXPECT_TRUE(s.timersStopped()) << label.Name << " at " << now << " ms";
        EXPECT_EQ(g.Label1.Top, 4120);
        EXPECT_EQ(g.lblMissed.Caption, "1");
        EXPECT_EQ(g.lbltime.Caption, "0");
        EXPECT_TRUE(s.played().empty());
    };
    for (int round = 0; round < 7; ++round) {
        clickAndWait(g.lblSettings);
        clickAndWait(g.Label10);
        clickAndWait(g.lblSettings);
        clickAndWait(g.lblSettings);
        clickAndWait(g.Label10);
    }
    EXPECT_TRUE(g.lblOver.Visible);
    EXPECT_FALSE(g.Label1.Visible);
    s.click(g.lblNew);
    s.expectMissPauseEnds(now + 500, now + 700);
}

}  // namespace
}  // namespace runeshot::testing
