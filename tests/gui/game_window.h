// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "game/game.h"
#include "shell/event_dispatcher.h"
#include "testing/sound_doubles.h"
#include "ui/control_painter.h"
#include "ui/form_window.h"
#include "ui/qt_text_measure.h"

namespace runeshot {

using testing::RecordingSound;

// Passes every event to the game and notes what reached it: the handler's name, and for a
// key press its code and the input line's text at that moment.
class RecordingEvents final : public FormEvents {
public:
    explicit RecordingEvents(Game& game) : game_(game) {}

    std::vector<std::string> calls;
    std::vector<int> keys;
    std::vector<std::string> textWhenJudged;

    void Form_Load() override { game_.Form_Load(); }
    void lblNew_Click() override { note("lblNew_Click", &Game::lblNew_Click); }
    void Timer1_Timer() override { game_.Timer1_Timer(); }
    void Timer2_Timer() override { game_.Timer2_Timer(); }
    void Text1_KeyPress(int KeyAscii) override {
        keys.push_back(KeyAscii);
        textWhenJudged.push_back(game_.Text1.Text);
        game_.Text1_KeyPress(KeyAscii);
    }
    void Timer3_Timer() override { game_.Timer3_Timer(); }
    void lblPause_Click() override { note("lblPause_Click", &Game::lblPause_Click); }
    void lblSettings_Click() override { note("lblSettings_Click", &Game::lblSettings_Click); }
    void Label9_Click() override { note("Label9_Click", &Game::Label9_Click); }
    void Label10_Click() override { note("Label10_Click", &Game::Label10_Click); }
    void lblQuit_Click() override { note("lblQuit_Click", &Game::lblQuit_Click); }

private:
    void note(const char* name, void (Game::*handler)()) {
        calls.emplace_back(name);
        (game_.*handler)();
    }
    Game& game_;
};

// A started game with no window yet: for tests that change it before its window is made,
// or watch the window from its very start.
struct LoadedGame {
    LoadedGame() { dispatcher.load(); }

    Lcg24 random;
    RecordingSound sound;
    Game game{random, sound};
    QtTextMeasure measure;
    EventDispatcher dispatcher{game, measure};
};

// The game in its real window, shown and active on the offscreen platform, on a clock that
// moves only when the test moves it.
struct GameWindow {
    GameWindow() {
        dispatcher.load();
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    QImage render() { return window.grab().toImage().convertToFormat(QImage::Format_RGB32); }

    QPoint centreOf(const Label& label) const { return labelPixelRect(label, measure).center(); }
    void click(QPoint point) { QTest::mouseClick(&window, Qt::LeftButton, {}, point); }
    void click(const Label& label) { click(centreOf(label)); }
    // Ok and Cancel lie on the panel: the click lands on the panel's widget first.
    void clickOnPanel(const Label& label) {
        QTest::mouseClick(frame1(), Qt::LeftButton, {}, centreOf(label));
    }

    QTimer* nextTick() { return window.findChild<QTimer*>("nextTick"); }
    // The clock reaches `ms` and the window's timer wakes, as it does when armed right.
    void wakeAt(Millis ms) {
        now = ms;
        QMetaObject::invokeMethod(nextTick(), "timeout");
    }

    QLineEdit* text1() { return window.findChild<QLineEdit*>("Text1"); }
    QWidget* frame1() { return window.findChild<QWidget*>("Frame1"); }
    QRadioButton* option(const char* name) { return window.findChild<QRadioButton*>(name); }
    QComboBox* combo1() { return window.findChild<QComboBox*>("Combo1"); }

    Lcg24 random;
    RecordingSound sound;
    Game game{random, sound};
    RecordingEvents events{game};
    QtTextMeasure measure;
    EventDispatcher dispatcher{game, events, measure};
    Millis now = 0;
    FormWindow window{game, dispatcher, [this] { return now; }};
};

inline bool near(QRgb pixel, QColor colour, int tolerance) {
    return std::abs(qRed(pixel) - colour.red()) <= tolerance &&
           std::abs(qGreen(pixel) - colour.green()) <= tolerance &&
           std::abs(qBlue(pixel) - colour.blue()) <= tolerance;
}

inline int countPixels(const QImage& image, QRect area, const std::function<bool(QRgb)>& test) {
    int count = 0;
    area &= image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) count += test(image.pixel(x, y));
    }
    return count;
}

inline int countColour(const QImage& image, QRect area, QColor colour, int tolerance = 0) {
    return countPixels(image, area, [&](QRgb p) { return near(p, colour, tolerance); });
}

}  // namespace runeshot
