// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "app/window_system_guard.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace runeshot {

namespace {

struct HeldBackMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};
QList<HeldBackMessage> heldBackMessages;
QtMessageHandler qtMessageHandler = nullptr;

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

void holdQtMessagesUntilWindowSystemOpens() {
    qtMessageHandler = qInstallMessageHandler(endWithoutWindowSystem);
}

void releaseHeldQtMessages() {
    qInstallMessageHandler(qtMessageHandler);
    for (const HeldBackMessage& held : std::exchange(heldBackMessages, {})) {
        qtMessageHandler(held.type,
                         QMessageLogContext(nullptr, 0, nullptr, held.category.data()),
                         held.text);
    }
}

}  // namespace runeshot
