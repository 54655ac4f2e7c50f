// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/spoken_news.h"

namespace runeshot {
namespace {

TEST(SpokenNews, TheSecondsAreToldEveryTenAndEachOfTheLastFiveNeverBeforeTheLetter) {
    Form1 form;
    SpokenNews news(form);
    std::vector<std::string> told;
    for (int left = 22; left >= 1; --left) {
        form.lbltime.Caption = std::to_string(left);
        const News now = news.take();
        if (!now.announcement.empty()) told.push_back(now.announcement);
        EXPECT_TRUE(now.canWait);
    }
    EXPECT_EQ(told, (std::vector<std::string>{"20 seconds left", "10 seconds left",
                                              "5 seconds left", "4 seconds left",
                                              "3 seconds left", "2 seconds left",
                                              "1 second left"}));

    form.Label1.Visible = true;
    form.Label1.Caption = "K";
    form.lbltime.Caption = "30";
    const News dealt = news.take();
    EXPECT_EQ(dealt.announcement, "capital K. 30 seconds left");
    EXPECT_FALSE(dealt.canWait);
    EXPECT_EQ(dealt.renamed, (std::vector<const Label*>{&form.Label1, &form.lbltime}));
    EXPECT_EQ(dealt.shownOrHidden, std::vector<const Label*>{&form.Label1});
}

}  // namespace
}  // namespace runeshot
