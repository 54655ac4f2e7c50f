// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

// The window's own costs: painting the whole window, and the time from a key reaching the
// input line to the paint that shows the new hit count. Runs on whatever platform Qt is
// given (offscreen when there is no display).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include "bench/figure_rows.h"
#include "bench/minimal_window.h"
#include "game/game.h"
#include "shell/event_dispatcher.h"
#include "testing/sound_doubles.h"
#include "ui/control_painter.h"
#include "ui/form_window.h"
#include "ui/qt_text_measure.h"

namespace runeshot {
namespace {

using Clock = std::chrono::steady_clock;

double microsecondsSince(Clock::time_point start, Clock::time_point end) {
    return std::chrono::duration<double, std::micro>(end - start).count();
}

// The game window, noting when a paint first showed a new hit count; later paints may show
// it again.
class TimedWindow final : public FormWindow {
public:
    TimedWindow(Form1& form, EventDispatcher& events) : FormWindow(form, events), shown_(form) {}

    Clock::time_point paintedAt;
    std::string hitsPainted;

protected:
    void paintEvent(QPaintEvent* event) override {
        FormWindow::paintEvent(event);
        if (shown_.lblShooted.Caption != hitsPainted) {
            paintedAt = Clock::now();
            hitsPainted = shown_.lblShooted.Caption;
        }
    }

private:
    const Form1& shown_;
};

struct Program {
    Program() {
        events.load();
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowExposed(&window)) {
            std::fprintf(stderr, "window_bench: the game window was never shown\n");
            std::exit(1);
        }
    }

    void click(const Label& label) { click(&window, label); }
    // Ok and Cancel lie on the settings panel, which takes the click first.
    void clickOnPanel(const Label& label) {
        click(window.findChild<QWidget*>(QStringLiteral("Frame1")), label);
    }
    void click(QWidget* widget, const Label& label) {
        QTest::mouseClick(widget, Qt::LeftButton, {}, labelPixelRect(label, measure).center());
    }

    Lcg24 random;
    testing::SilentSound sound;
    Game game{random, sound};
    QtTextMeasure measure;
    EventDispatcher events{game, game, measure};
    TimedWindow window{game, events};
};

std::vector<double> renderTimes(QWidget& window, int times) {
    QImage image(window.size() * window.devicePixelRatio(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(window.devicePixelRatio());
    std::vector<double> samples;
    for (int i = -10; i < times; ++i) {
        const auto start = Clock::now();
        window.render(&image);
        const auto end = Clock::now();
        if (i >= 0) samples.push_back(microsecondsSince(start, end));
    }
    return samples;
}

// Each key is the letter on screen, so each one scores and deals the next letter before
// the falling one can land.
std::vector<double> keyToPaintTimes(Program& p, int times) {
    QLineEdit* line = p.window.findChild<QLineEdit*>(QStringLiteral("Text1"));
    std::vector<double> samples;
    for (int i = 0; i < times; ++i) {
        const QString letter = QString::fromStdString(p.game.Label1.Caption);
        const std::string expected = std::to_string(p.game.Shooted + 1);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, letter);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, letter);
        const auto sent = Clock::now();
        QApplication::sendEvent(line, &press);
        while (p.window.hitsPainted != expected) QCoreApplication::processEvents();
        samples.push_back(microsecondsSince(sent, p.window.paintedAt));
        QApplication::sendEvent(line, &release);
        QTest::qWait(5);
    }
    return samples;
}

// A one-second game, played out, leaves the banner at its full size on the field.
void playOneSecondGame(Program& p) {
    p.click(p.game.lblSettings);
    p.window.findChild<QComboBox*>(QStringLiteral("Combo1"))->setEditText(QStringLiteral("1"));
    p.clickOnPanel(p.game.Label9);
    QTest::qWait(1300);
}

}  // namespace
}  // namespace runeshot

int main(int argc, char** argv) {
    using namespace runeshot;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);

    Program p;
    p.click(p.game.lblNew);
    bench::printRow("repaint game", renderTimes(p.window, 300), "us");
    bench::printRow("key to paint", keyToPaintTimes(p, 200), "us");
    playOneSecondGame(p);
    if (!p.game.lblOver.Visible) {
        std::fprintf(stderr, "window_bench: the one-second game did not end\n");
        return 1;
    }
    bench::printRow("repaint banner", renderTimes(p.window, 300), "us");

    const auto minimal = bench::makeMinimalWindow();
    minimal->show();
    if (!QTest::qWaitForWindowExposed(minimal.get())) {
        std::fprintf(stderr, "window_bench: the minimal window was never shown\n");
        return 1;
    }
    bench::printRow("repaint floor", renderTimes(*minimal, 300), "us");
    return 0;
}
