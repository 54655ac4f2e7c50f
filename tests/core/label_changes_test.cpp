// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include <gtest/gtest.h>

#include <vector>

#include "shell/design_colours.h"
#include "shell/label_changes.h"

namespace runeshot {
namespace {

TEST(LabelChanges, TellWhichLabelsOfTheWindowAndThePanelWereRenamedShownOrDisabled) {
    Form1 form;
    FormLook look(form);
    form.Label1.Visible = true;
    form.Label1.Caption = "K";
    form.lbltime.Caption = "30";
    form.lblQuit.Left += 15;
    form.Label9.Enabled = false;
    const LabelChanges changes = labelChanges(look.take());
    EXPECT_EQ(changes.renamed, (std::vector<const Label*>{&form.Label1, &form.lbltime}));
    EXPECT_EQ(changes.shownOrHidden, std::vector<const Label*>{&form.Label1});
    EXPECT_EQ(changes.enabledOrDisabled, std::vector<const Label*>{&form.Label9});

    form.Label1.ForeColor = colours::red;
    EXPECT_EQ(labelChanges(look.take()).renamed, std::vector<const Label*>{&form.Label1});
}

}  // namespace
}  // namespace runeshot
