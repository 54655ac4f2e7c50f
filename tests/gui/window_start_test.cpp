// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include <gtest/gtest.h>

#include <QTest>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/gui/game_window.h"

namespace runeshot {
namespace {

// Notes each paint the window is sent, in order with what the test connects to it.
class PaintLog : public QObject {
public:
    std::vector<std::string> entries;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) entries.emplace_back("paint");
        return false;
    }
};

// The program opens its sound device on this signal, so it must come after the first
// frame, and only once however often the window repaints.
TEST(WindowStart, SaysOnceThatTheFirstFrameIsShownAfterPaintingIt) {
    LoadedGame loaded;
    Game& game = loaded.game;
    FormWindow window{game, loaded.dispatcher};
    PaintLog log;
    window.installEventFilter(&log);
    QObject::connect(&window, &FormWindow::firstFrameShown,
                     [&log] { log.entries.emplace_back("shown"); });

    window.show();
    ASSERT_TRUE(QTest::qWaitFor(
        [&log] { return !log.entries.empty() && log.entries.back() == "shown"; }));
    window.repaint();
    window.update();
    QTest::qWait(50);

    ASSERT_GE(log.entries.size(), 3u);
    EXPECT_EQ(log.entries.front(), "paint");
    EXPECT_EQ(std::count(log.entries.begin(), log.entries.end(), "shown"), 1);
}

}  // namespace
}  // namespace runeshot
