// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include <gtest/gtest.h>

#include "tests/core/session.h"

namespace runeshot::testing {
namespace {

// A click is a press and a release on the same label: the topmost visible, enabled label
// at the place, and a label of the settings panel only while the panel shows.
TEST(Clicks, APressAndAReleaseOnTheSameTopmostVisibleLabelClickIt) {
    Session s;
    Game& g = s.game;
    const auto pressAndRelease = [&](const Label& pressed, const Label& released) {
        const TwipsPoint down = middleOf(g, pressed, s.measure);
        const TwipsPoint up = middleOf(g, released, s.measure);
        s.handle(inputs::Press{down.x, down.y});
        s.handle(inputs::Release{up.x, up.y});
    };
    pressAndRelease(g.lblPause, g.lblQuit);
    pressAndRelease(g.lblQuit, g.lblPause);
    EXPECT_FALSE(g.paused);
    EXPECT_FALSE(g.isUnloaded());

    // Where Ok lies while the panel is hidden.
    s.click(g.Label9);
    EXPECT_FALSE(g.Label1.Visible);

    g.Label2.Left = g.lblSettings.Left;
    g.Label2.Top = g.lblSettings.Top;
    s.click(g.lblSettings);
    EXPECT_FALSE(g.Frame1.Visible);
    g.Label2.Visible = false;
    s.click(g.lblSettings);
    EXPECT_TRUE(g.Frame1.Visible);
}

}  // namespace
}  // namespace runeshot::testing
