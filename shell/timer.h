// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <cstdint>
#include <string>

namespace runeshot {

using Millis = std::int64_t;

class Scheduler;

// A form timer: enabling a stopped one starts a fresh interval, disabling stops it at once,
// and a running one keeps its phase, so a long game does not drift. Timers due together
// tick in the order they were made.
class Timer {
public:
    explicit Timer(Scheduler& scheduler);
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    // Reads and assigns like a plain flag; assigning true to a stopped timer restarts its
    // interval from now, which a plain bool could not notice.
    class EnabledProperty {
    public:
        explicit EnabledProperty(Timer& owner) : owner_(owner) {}
        EnabledProperty(const EnabledProperty&) = delete;
        EnabledProperty& operator=(bool on);
        EnabledProperty& operator=(const EnabledProperty& other) { return *this = bool(other); }
        operator bool() const { return on_; }

    private:
        Timer& owner_;
        bool on_ = false;
    };

    std::string Name;
    EnabledProperty Enabled;
    // Milliseconds between ticks. A new interval applies from the last tick or start, so
    // changing it on a running timer does not restart the current interval; if the new due
    // time has already passed, the timer ticks once at the next delivery.
    int Interval = 0;

    // The time of the next tick, meaningful only while enabled with a positive interval.
    Millis dueAt() const { return phase_ + Interval; }
    bool isRunning() const { return Enabled && Interval > 0; }

private:
    friend class Scheduler;
    const Scheduler* clock_;
    Millis phase_ = 0;  // the time the current interval started
};

}  // namespace runeshot
