// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "shell/timer.h"

namespace runeshot {

// Owns the time of the form's timers and decides which tick is delivered next. It never
// reads a clock: tests move it on a virtual clock, the program feeds it monotonic time.
class Scheduler {
public:
    using TickHandler = std::function<void(Timer&)>;

    Millis now() const { return now_; }

    // Brings the clock to `until`: each timer that fell due since, once or several times
    // (the thread was busy), delivers a single tick, and keeps its phase for the ticks after.
    void catchUp(Millis until, const TickHandler& onTick);

    // When the next tick falls due, or nothing when no timer runs.
    std::optional<Millis> nextDue() const;

private:
    friend class Timer;
    // Timers due at the same moment tick in the order they joined.
    void join(Timer& timer) { timers_.push_back(&timer); }
    Timer* earliestDue(Millis until) const;

    Millis now_ = 0;
    std::vector<Timer*> timers_;
};

}  // namespace runeshot
