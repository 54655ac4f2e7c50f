// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <optional>

#include "shell/event_dispatcher.h"
#include "shell/scheduler.h"

namespace runeshot::testing {

// Runs the clock to `until` as the window's timer does when armed right: a wake at each due
// time, so every tick happens at its own time, then one at `until`.
template <typename Wake>
void runClockTo(const Scheduler& scheduler, Millis until, Wake wake) {
    for (std::optional<Millis> due = scheduler.nextDue(); due && *due <= until;) {
        wake(*due);
        const std::optional<Millis> next = scheduler.nextDue();
        // A tick that did not happen when due is a fault for the tests to see, not a hang.
        if (next && *next <= *due) break;
        due = next;
    }
    wake(until);
}

inline void runClockTo(const Form1& form, EventDispatcher& events, Millis until) {
    runClockTo(form.scheduler, until, [&events](Millis t) { events.handle(t, inputs::Wake{}); });
}

struct TwipsPoint {
    Twips x = 0, y = 0;
};

inline TwipsPoint middleOf(const Form1& form, const Label& label, const TextMeasure& measure) {
    const TwipsRect rect = labelInWindow(form, label, measure);
    return {rect.Left + rect.Width / 2, rect.Top + rect.Height / 2};
}

// A press and a release in the middle of the label, now.
inline void click(const Form1& form, EventDispatcher& events, const TextMeasure& measure,
                  const Label& label) {
    const TwipsPoint at = middleOf(form, label, measure);
    events.handle(form.scheduler.now(), inputs::Press{at.x, at.y});
    events.handle(form.scheduler.now(), inputs::Release{at.x, at.y});
}

}  // namespace runeshot::testing
