#include <QApplication>
#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "game/game.h"
#include "shell/event_dispatcher.h"
#include "sound/sdl_sound_player.h"
#include "ui/form_window.h"

namespace {

struct HeldBackMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};
QList<HeldBackMessage> heldBackMessages;

// With no display to open, Qt prints several lines about platform plugins and aborts with
// a core dump. Until the window system is open its messages are held back; if it cannot
// be opened, the program says why in one line and ends with a failure status.
void endWithoutWindowSystem(QtMsgType type, const QMessageLogContext& context,
                            const QString& message) {
    if (type != QtFatalMsg) {
        heldBackMessages.append({type, context.category, message});
        return;
    }
    QString reason = message;
    for (const HeldBackMessage& held : heldBackMessages) {
        const bool complaint = held.type == QtWarningMsg || held.type == QtCriticalMsg;
        if (complaint && held.category.startsWith("qt.qpa")) {
            reason = held.text;
            break;
        }
    }
    std::fprintf(stderr, "runeshot: cannot open the window: %s\n",
                 qPrintable(reason.section(u'\n', 0, 0).trimmed()));
    std::_Exit(EXIT_FAILURE);
}

}  // namespace

int main(int argc, char** argv) {
    const QtMessageHandler qtMessageHandler = qInstallMessageHandler(endWithoutWindowSystem);
    QApplication app(argc, argv);
    qInstallMessageHandler(qtMessageHandler);
    for (const HeldBackMessage& held : std::exchange(heldBackMessages, {})) {
        qtMessageHandler(held.type, QMessageLogContext(nullptr, 0, nullptr, held.category.data()),
                         held.text);
    }
    // A blinking caret would repaint the input line twice a second for as long as the
    // window is open; a steady one lets an idle window use no CPU at all.
    QApplication::setCursorFlashTime(0);

    runeshot::Lcg24 random;
    runeshot::SdlSoundPlayer sound(QCoreApplication::applicationDirPath().toStdString(),
                                   [] { QApplication::beep(); });
    sound.open();
    runeshot::Game game(random, sound);
    runeshot::EventDispatcher events(game, game);
    events.load();

    runeshot::FormWindow window(game, events);
    window.show();
    // Without a window manager nothing gives the new window the keyboard; ask for it, so
    // the player can type into the input line at once.
    window.activateWindow();
    return QApplication::exec();
}
