// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QTest>

#include "tests/gui/game_window.h"

namespace runeshot {
namespace {

// Wayland tells a program nothing when its window is minimized, so a miss pause that
// ends then could never pause the game: the game takes a window that the compositor has
// stopped showing for a minimized one.
TEST(WaylandWindow, AWindowTheCompositorStopsShowingCountsAsMinimized) {
    ASSERT_TRUE(QGuiApplication::platformName().startsWith(QLatin1String("wayland")));
    LoadedGame loaded;
    Game& game = loaded.game;
    FormWindow window{game, loaded.dispatcher};
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    QTest::mouseClick(&window, Qt::LeftButton, {},
                      labelPixelRect(game.lblNew, loaded.measure).center());
    ASSERT_TRUE(game.Timer1.Enabled);
    EXPECT_EQ(game.WindowState, FormWindowState::normal);

    // What Qt's own title bar does for its minimize button. Qt soon forgets the state it
    // asked for, since the compositor reports none; the falling letter goes on asking for
    // frames that no longer come.
    window.showMinimized();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !(window.windowState() & Qt::WindowMinimized); }));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return game.WindowState == FormWindowState::minimized; }, 10000));
}

}  // namespace
}  // namespace runeshot
