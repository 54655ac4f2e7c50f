// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include <gtest/gtest.h>

#include <QAccessible>

#include "tests/gui/game_window.h"

namespace runeshot {
namespace {

// A screen reader asking what lies at a place of the window is given what a click there
// reaches: the open settings panel covers the falling letter beneath it.
TEST(AccessibleLabels, AtAPlaceAScreenReaderFindsWhatAClickThereReaches) {
    GameWindow w;
    // The first game's letter comes back where the settings panel opens.
    w.click(w.game.lblNew);
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&w.window);
    AccessibleLabels& labels = w.window.accessibleLabels();
    QAccessibleInterface* letter = labels.at(labels.indexOfLabel(w.game.Label1));
    const QPoint middle = letter->rect().center();
    EXPECT_EQ(window->childAt(middle.x(), middle.y()), letter);

    w.click(w.game.lblSettings);
    ASSERT_TRUE(w.game.Frame1.Visible);
    EXPECT_NE(window->childAt(middle.x(), middle.y()), letter);
}

}  // namespace
}  // namespace runeshot
