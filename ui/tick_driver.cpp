// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "ui/tick_driver.h"

namespace runeshot {

TickDriver::TickDriver(Form1& form, EventDispatcher& events, QObject* parent)
    : QObject(parent), form_(form), events_(events) {
    clock_.start();
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] {
        catchUp();
        emit ticked();
        arm();
    });
}

void TickDriver::catchUp() { events_.catchUp(now()); }

void TickDriver::arm() {
    const auto due = form_.scheduler.nextDue();
    if (!due) {
        timer_.stop();
        return;
    }
    const Millis wait = *due - now();
    timer_.start(static_cast<int>(wait > 0 ? wait : 0));
}

}  // namespace runeshot
