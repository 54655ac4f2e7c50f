// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include <gtest/gtest.h>

#include "tests/core/session.h"

namespace runeshot::testing {
namespace {

TEST(StartUp, TheProgramWaitsWithTheLetterHiddenAndNoTimerRunning) {
    Session s;
    const Form1& f = s.game;
    EXPECT_EQ(f.lblShooted.Caption, "0");
    EXPECT_EQ(f.lblMissed.Caption, "0");
    EXPECT_EQ(f.lbltime.Caption, "100");
    EXPECT_EQ(f.lblPause.Caption, "PAUSE ");
    EXPECT_FALSE(f.Label1.Visible);
    EXPECT_FALSE(f.lblOver.Visible);
    EXPECT_FALSE(f.Frame1.Visible);
    EXPECT_TRUE(f.Text1.Enabled);
    EXPECT_EQ(f.Ttime, 100);
    EXPECT_EQ(f.Combo1.List, (std::vector<std::string>{"100", "200", "300"}));
    EXPECT_EQ(f.Combo1.Text, "100");
    EXPECT_EQ(s.game.module1.Letters.size(), 52u);
    EXPECT_TRUE(s.timersStopped());

    s.at(60'000);
    EXPECT_EQ(f.Label1.Top, 1320);
    EXPECT_EQ(f.lbltime.Caption, "100");
    EXPECT_TRUE(s.played().empty());
}

}  // namespace
}  // namespace runeshot::testing
