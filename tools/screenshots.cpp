// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

// Renders the game's real window, as it opens and with the settings panel open, into
// window.png and settings.png in the folder given; on a scaled screen (QT_SCALE_FACTOR=2)
// into window@2x.png and settings@2x.png. Runs on Qt's offscreen platform unless told
// otherwise, so it needs no display.
// Usage: screenshots FOLDER
#include <cstdio>

#include <QApplication>
#include <QDir>
#include <QMouseEvent>

#include "game/game.h"
#include "shell/event_dispatcher.h"
#include "testing/sound_doubles.h"
#include "ui/control_painter.h"
#include "ui/form_window.h"
#include "ui/qt_text_measure.h"

namespace {

void clickAt(QWidget& window, QPoint point) {
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, point, window.mapToGlobal(point), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(&window, &event);
    }
}

bool save(QWidget& window, const QDir& folder, const char* name) {
    const qreal ratio = window.devicePixelRatioF();
    const QString scale = ratio == 1 ? QString() : QStringLiteral("@%1x").arg(ratio);
    const QString path =
        folder.filePath(QStringLiteral("%1%2.png").arg(QLatin1String(name), scale));
    if (window.grab().save(path)) return true;
    std::fprintf(stderr, "screenshots: cannot write %s\n", qPrintable(path));
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QDir folder(QString::fromLocal8Bit(argv[1]));

    runeshot::Lcg24 random;
    runeshot::testing::SilentSound sound;
    runeshot::Game game(random, sound);
    const runeshot::QtTextMeasure measure;
    runeshot::EventDispatcher events(game, game, measure);
    events.load();
    runeshot::FormWindow window(game, events);
    window.show();
    if (!save(window, folder, "window")) return 1;

    clickAt(window, runeshot::labelPixelRect(game.lblSettings, measure).center());
    return save(window, folder, "settings") ? 0 : 1;
}
