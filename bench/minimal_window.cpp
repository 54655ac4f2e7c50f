// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include <QApplication>
#include <QTimer>

#include "bench/minimal_window.h"

// With --steps the window repaints what a game at Normal repaints and nothing more: a
// letter-sized patch at its old and new place five times a second, and a caption-sized
// one once a second. That is the floor for the game's CPU figure while it plays.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const auto window = runeshot::bench::makeMinimalWindow();
    window->show();
    QTimer steps;
    if (QApplication::arguments().contains(QStringLiteral("--steps"))) {
        steps.setTimerType(Qt::PreciseTimer);
        int step = 0;
        QObject::connect(&steps, &QTimer::timeout, window.get(), [&window, &step] {
            const QRect letter(300, 0, 50, 80);
            window->update(letter.translated(0, step * 4 % 240));
            window->update(letter.translated(0, (step + 1) * 4 % 240));
            if (++step % 5 == 0) window->update(QRect(150, 5, 100, 25));
        });
        steps.start(200);
    }
    return QApplication::exec();
}
