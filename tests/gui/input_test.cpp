// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QKeyEvent>
#include <QInputMethodEvent>

#include "shell/design_colours.h"
#include "tests/gui/game_window.h"
#include "ui/fonts.h"

namespace runeshot {
namespace {

using Calls = std::vector<std::string>;

TEST(WindowInput, AClickIsAPressAndReleaseOfTheMainButtonOnTheSameLabel) {
    GameWindow w;
    // The gap between "NEW" and "GAME" is transparent, yet it belongs to the label.
    const QRect newGame = labelPixelRect(w.game.lblNew, w.measure);
    const QFontMetrics metrics(qtFont(w.game.lblNew.Font));
    const QPoint gap(newGame.left() + metrics.horizontalAdvance("NEW") + 1, newGame.center().y());
    ASSERT_FALSE(near(w.render().pixel(gap), qtColour(w.game.lblNew.ForeColor), 60));
    w.click(gap);
    EXPECT_EQ(w.events.calls, Calls{"lblNew_Click"});
    EXPECT_TRUE(w.game.Timer1.Enabled);
    EXPECT_TRUE(w.game.Timer3.Enabled);

    QTest::mousePress(&w.window, Qt::LeftButton, {}, w.centreOf(w.game.lblPause));
    QTest::mouseRelease(&w.window, Qt::LeftButton, {}, w.centreOf(w.game.lblQuit));
    QTest::mouseClick(&w.window, Qt::RightButton, {}, w.centreOf(w.game.lblPause));
    EXPECT_EQ(w.events.calls, Calls{"lblNew_Click"});
    EXPECT_FALSE(w.game.paused);
    EXPECT_FALSE(w.game.isUnloaded());
}

TEST(WindowInput, EveryTypedCharacterReachesTheJudgeBeforeTheLineIsEdited) {
    GameWindow w;
    QLineEdit* line = w.text1();
    ASSERT_TRUE(line->hasFocus());
    const std::string start = "PRESS THE RIGHT KEY";

    QTest::keyClick(line, 'G');
    QTest::keyClick(line, 'g');
    QTest::keyClick(line, '7');
    QTest::keyClick(line, Qt::Key_Shift);
    QTest::keyClick(line, Qt::Key_End);
    QTest::keyClick(line, Qt::Key_Backspace);
    QTest::keyClick(line, Qt::Key_Left);
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("\u00e9"));
    QApplication::sendEvent(line, &composed);
    QTest::keyClick(line, 'x');

    EXPECT_EQ(w.events.keys, (std::vector<int>{71, 103, 55, 8, 233, 120}));
    // The line was full when the letters came, and the Backspace was judged before it
    // removed the last character.
    EXPECT_EQ(w.events.textWhenJudged[3], start);
    EXPECT_EQ(w.game.Text1.Text, "PRESS THE RIGHT K\u00e9E");
    EXPECT_EQ(line->text().toStdString(), w.game.Text1.Text);
    EXPECT_EQ(line->text().size(), 19);
    // "G" was the letter waiting at start: the first key scored, the others missed.
    EXPECT_EQ(w.game.lblShooted.Caption, "1");
    EXPECT_EQ(w.sound.played.front(), "shooted.wav");
    EXPECT_EQ(w.sound.played.size(), 6u);
}

TEST(WindowInput, SettingsWidgetsWriteBackAndHandTheFocusBackToTheInputLine) {
    GameWindow w;
    w.click(w.game.lblSettings);
    ASSERT_TRUE(w.combo1()->isVisible());
    QTest::mouseClick(w.option("Option2"), Qt::LeftButton);
    EXPECT_TRUE(w.game.Option2.Value);
    EXPECT_FALSE(w.game.Option1.Value);

    QLineEdit* lengthBox = w.combo1()->lineEdit();
    QTest::mouseClick(lengthBox, Qt::LeftButton);
    ASSERT_TRUE(lengthBox->hasFocus());
    lengthBox->selectAll();
    QTest::keyClicks(lengthBox, "250");
    EXPECT_EQ(w.game.Combo1.Text, "250");
    w.combo1()->setCurrentIndex(2);
    EXPECT_EQ(w.game.Combo1.Text, "300");
    EXPECT_EQ(w.combo1()->count(), 3);

    w.clickOnPanel(w.game.Label9);
    EXPECT_EQ(w.events.calls, (Calls{"lblSettings_Click", "Label9_Click"}));
    EXPECT_EQ(w.game.Timer1.Interval, 100);
    EXPECT_EQ(w.game.Ttime, 300);
    EXPECT_FALSE(w.combo1()->isVisible());
    EXPECT_FALSE(w.option("Option1")->isVisible());
    EXPECT_TRUE(w.text1()->hasFocus());
    // Taken back quietly: the next letter is judged without wiping the line.
    EXPECT_FALSE(w.text1()->hasSelectedText());

    w.window.setWindowState(Qt::WindowMinimized);
    EXPECT_EQ(w.game.WindowState, FormWindowState::minimized);
    w.window.setWindowState(Qt::WindowNoState);
    EXPECT_EQ(w.game.WindowState, FormWindowState::normal);

    w.window.close();
    EXPECT_TRUE(w.game.isUnloaded());
    EXPECT_FALSE(w.game.Timer1.Enabled);
}

// A one-second game: a hit, a wrong key, time over, a new game and QUIT, all through the
// window's own widgets.
TEST(WindowInput, AShortGamePlaysThroughTheWindow) {
    GameWindow w;
    w.click(w.game.lblSettings);
    w.combo1()->lineEdit()->selectAll();
    QTest::keyClicks(w.combo1()->lineEdit(), "1");
    w.clickOnPanel(w.game.Label9);
    ASSERT_TRUE(w.game.Timer3.Enabled);

    QLineEdit* line = w.text1();
    QTest::keyClick(line, w.game.Label1.Caption.at(0));
    EXPECT_EQ(w.game.lblShooted.Caption, "1");
    QTest::keyClick(line, ' ');
    EXPECT_EQ(w.sound.played, (std::vector<std::string>{"shooted.wav", "wrong.wav"}));

    w.wakeAt(1000);
    EXPECT_FALSE(line->isEnabled());
    EXPECT_TRUE(w.game.lblOver.Visible);
    EXPECT_EQ(w.game.lbltime.Caption, "0");
    EXPECT_FALSE(line->hasFocus());
    const QRect banner = labelPixelRect(w.game.lblOver, w.measure);
    EXPECT_GT(countColour(w.render(), banner, qtColour(colours::yellow), 8), 500);

    w.click(w.game.lblNew);
    EXPECT_TRUE(line->isEnabled());
    EXPECT_TRUE(line->hasFocus());

    w.click(w.game.lblQuit);
    EXPECT_TRUE(w.game.isUnloaded());
    EXPECT_TRUE(w.game.module1.Letters.empty());
    EXPECT_FALSE(w.window.isVisible());
}

TEST(WindowInput, TabGoesThroughTheWindowedControlsInTheOrderOfTheirTabIndexes) {
    LoadedGame loaded;
    Game& game = loaded.game;
    game.Combo1.TabIndex = 2;
    FormWindow window{game, loaded.dispatcher};
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::mouseClick(&window, Qt::LeftButton, {},
                      labelPixelRect(game.lblSettings, loaded.measure).center());
    auto* const line = window.findChild<QLineEdit*>("Text1");
    line->setFocus();
    std::vector<std::string> order;
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        const QWidget* at = QApplication::focusWidget();
        order.push_back(at->objectName().isEmpty() ? at->parentWidget()->objectName().toStdString()
                                                   : at->objectName().toStdString());
    }
    // Tab passes over the option not chosen, as it does in any group of option buttons.
    EXPECT_EQ(order, (std::vector<std::string>{"Combo1", "Option1", "Text1"}));
}

// A click that comes while the thread was busy first gets the ticks that fell due meanwhile,
// one per timer, so PAUSE stops the game where the player saw it.
TEST(WindowInput, AClickComesAfterTheTicksThatFellDueWhileTheThreadWasBusy) {
    GameWindow w;
    w.click(w.game.lblNew);
    w.now = 1100;
    w.click(w.game.lblPause);
    EXPECT_TRUE(w.game.paused);
    EXPECT_EQ(w.game.Label1.Top, 1520);
    EXPECT_EQ(w.game.lbltime.Caption, "99");
}

TEST(WindowInput, AKeyComesAfterTheTicksThatFellDueWhileTheThreadWasBusy) {
    GameWindow w;
    w.click(w.game.lblNew);
    w.now = 1100;
    // The G, one step further down, is shot, and the next letter waits at the top.
    QKeyEvent key(QEvent::KeyPress, Qt::Key_G, Qt::ShiftModifier, QStringLiteral("G"));
    QApplication::sendEvent(w.text1(), &key);
    EXPECT_EQ(w.game.lblShooted.Caption, "1");
    EXPECT_EQ(w.game.Label1.Top, 360);
    EXPECT_EQ(w.game.lbltime.Caption, "99");
}

// A timer that woke later than the next tick would count every step right and show each
// one late; an idle window keeps no timer at all.
TEST(WindowInput, TheWindowsTimerIsArmedForTheNextTickAndNoneWhileNothingRuns) {
    GameWindow w;
    QTimer* timer = w.nextTick();
    EXPECT_FALSE(timer->isActive());
    w.click(w.game.lblNew);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 200);
    w.wakeAt(200);
    EXPECT_EQ(w.game.Label1.Top, 1520);
    EXPECT_EQ(timer->interval(), 200);
    w.now = 330;
    QTest::keyClick(w.text1(), ' ');
    EXPECT_EQ(timer->interval(), 70);
    w.click(w.game.lblPause);
    EXPECT_FALSE(timer->isActive());
}

// Time over disables the input line while the open panel offers the toolkit somewhere else
// to put the focus; the next game gives it back. Focus the player put there stays.
TEST(WindowInput, TheNextGameGivesTheInputLineBackTheFocusThatTimeOverTook) {
    GameWindow w;
    w.click(w.game.lblSettings);
    w.combo1()->lineEdit()->selectAll();
    QTest::keyClicks(w.combo1()->lineEdit(), "0");
    w.clickOnPanel(w.game.Label9);
    w.click(w.game.lblSettings);
    w.click(w.game.lblSettings);
    QLineEdit* line = w.text1();
    ASSERT_TRUE(w.frame1()->isVisible());
    ASSERT_TRUE(line->hasFocus());
    w.wakeAt(1000);
    ASSERT_FALSE(line->isEnabled());
    ASSERT_FALSE(line->hasFocus());

    w.click(w.game.lblNew);
    EXPECT_TRUE(line->hasFocus());

    QTest::mouseClick(w.combo1()->lineEdit(), Qt::LeftButton);
    w.click(w.game.lblNew);
    EXPECT_TRUE(w.combo1()->lineEdit()->hasFocus());
}

}  // namespace
}  // namespace runeshot
