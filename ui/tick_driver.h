// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include "shell/event_dispatcher.h"

namespace runeshot {

// Feeds the form's timers with monotonic time: one precise Qt timer armed for the next
// due tick, and nothing armed while no game timer runs, so an idle window costs no CPU.
class TickDriver : public QObject {
    Q_OBJECT
public:
    TickDriver(Form1& form, EventDispatcher& events, QObject* parent = nullptr);

    // Brings the form's clock up to now, delivering ticks that fell due. Called before
    // every input event, so that a timer enabled by a click starts its interval then.
    void catchUp();
    // Arms the Qt timer for the next due tick; called after every event.
    void arm();

signals:
    // Ticks were delivered: the window shows what they changed.
    void ticked();

private:
    Millis now() const { return clock_.elapsed(); }

    Form1& form_;
    EventDispatcher& events_;
    QElapsedTimer clock_;
    QTimer timer_;
};

}  // namespace runeshot
