// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include <QApplication>
#include <QLocale>

#include <memory>

#include "app/window_system_guard.h"
#include "game/game.h"
#include "shell/event_dispatcher.h"
#include "sound/sdl_sound_player.h"
#include "ui/form_window.h"
#include "ui/qt_text_measure.h"

int main(int argc, char** argv) {
    runeshot::holdQtMessagesUntilWindowSystemOpens();
    QApplication app(argc, argv);
    runeshot::releaseHeldQtMessages();
    // Wayland desktops find the window's menu entry, and so its name and icon, by this id.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.runeshot.Runeshot"));
    // A blinking caret would repaint the input line twice a second for as long as the
    // window is open; a steady one lets an idle window use no CPU at all.
    QApplication::setCursorFlashTime(0);

    runeshot::Lcg24 random;
    // The player calls its fallback on a thread of its own; the bell rings on the window's.
    runeshot::SdlSoundPlayer sound(
        QCoreApplication::applicationDirPath().toStdString(),
        [&app] { QMetaObject::invokeMethod(&app, [] { QApplication::beep(); }); },
        std::make_shared<runeshot::SteadySoundClock>());
    runeshot::Game game(random, sound);
    game.DecimalSeparator = QLocale().decimalPoint().toStdString();
    const runeshot::QtTextMeasure measure;
    runeshot::EventDispatcher events(game, measure);
    events.load();

    runeshot::FormWindow window(game, events);
    // Loading the sound system takes a core's time for a while; the window comes first.
    QObject::connect(&window, &runeshot::FormWindow::firstFrameShown, [&sound] { sound.open(); });
    window.show();
    // Without a window manager nothing gives the new window the keyboard; ask for it, so
    // the player can type into the input line at once.
    window.activateWindow();
    return QApplication::exec();
}
