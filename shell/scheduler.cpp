// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "shell/scheduler.h"

namespace runeshot {

namespace {
// The last time at or before `time` at which a due timer fell due: the phase it keeps after
// one tick stands in for all the intervals it missed.
Millis lastDueBy(const Timer& t, Millis time) {
    return t.dueAt() + (time - t.dueAt()) / t.Interval * t.Interval;
}
}  // namespace

Timer::Timer(Scheduler& scheduler) : Enabled(*this), clock_(&scheduler) { scheduler.join(*this); }

Timer::EnabledProperty& Timer::EnabledProperty::operator=(bool on) {
    if (on && !on_) owner_.phase_ = owner_.clock_->now();
    on_ = on;
    return *this;
}

Timer* Scheduler::earliestDue(Millis until) const {
    Timer* earliest = nullptr;
    for (Timer* t : timers_) {
        if (!t->isRunning() || t->dueAt() > until) continue;
        if (earliest == nullptr || t->dueAt() < earliest->dueAt()) earliest = t;
    }
    return earliest;
}

void Scheduler::catchUp(Millis until, const TickHandler& onTick) {
    if (until > now_) now_ = until;
    // A timer that just ticked is next due after `until`, so each timer ticks at most once
    // here unless a handler restarts it, which starts a fresh interval from now.
    while (Timer* t = earliestDue(now_)) {
        t->phase_ = lastDueBy(*t, now_);
        onTick(*t);
    }
}

std::optional<Millis> Scheduler::nextDue() const {
    std::optional<Millis> next;
    for (const Timer* t : timers_) {
        if (t->isRunning() && (!next || t->dueAt() < *next)) next = t->dueAt();
    }
    return next;
}

}  // namespace runeshot
