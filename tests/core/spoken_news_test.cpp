// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/spoken_news.h"

namespace runeshot {
namespace {

TEST(SpokenNews, TheSecondsAreToldEveryTenAndEachOfTheLastFiveNeverBeforeTheLetter) {
    Form1 form;
    SpokenNews news(form);
    std::vector<std::string> told;
    for (int left = 22; left >= 1; --left) {
        form.Ttime = left;
        form.lbltime.Caption = std::to_string(left);
        const Announcement now = news.take();
        if (!now.text.empty()) told.push_back(now.text);
        EXPECT_TRUE(now.canWait);
    }
    EXPECT_EQ(told, (std::vector<std::string>{"20 seconds left", "10 seconds left",
                                              "5 seconds left", "4 seconds left",
                                              "3 seconds left", "2 seconds left",
                                              "1 second left"}));

    form.Label1.Visible = true;
    form.Label1.Caption = "K";
    form.Ttime = 30;
    form.lbltime.Caption = "30";
    const Announcement dealt = news.take();
    EXPECT_EQ(dealt.text, "capital K. 30 seconds left");
    EXPECT_FALSE(dealt.canWait);

    // A new game of three seconds: the status bar still shows the old start, the game has 3.
    form.Ttime = 3;
    form.lbltime.Caption = "100";
    EXPECT_EQ(news.take().text, "3 seconds left");
}

}  // namespace
}  // namespace runeshot
