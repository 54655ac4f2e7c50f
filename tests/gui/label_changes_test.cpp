// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include <gtest/gtest.h>

#include <vector>

#include "ui/label_changes.h"

namespace runeshot {
namespace {

TEST(LabelWatch, TellsWhichLabelsWereRenamedShownOrHidden) {
    Form1 form;
    LabelWatch watch({&form.Label1, &form.lbltime, &form.lblPause});
    form.Label1.Visible = true;
    form.Label1.Caption = "K";
    form.lbltime.Caption = "30";
    const LabelChanges changes = watch.take();
    EXPECT_EQ(changes.renamed, (std::vector<const Label*>{&form.Label1, &form.lbltime}));
    EXPECT_EQ(changes.shownOrHidden, std::vector<const Label*>{&form.Label1});
    EXPECT_TRUE(changes.enabledOrDisabled.empty());
}

}  // namespace
}  // namespace runeshot
