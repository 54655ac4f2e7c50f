// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include "shell/form1.h"
#include "shell/form_events.h"

namespace runeshot {

// Delivers the window's events to the handlers of the event table, one at a time, each
// running to completion. Tests call it on a virtual clock; the window calls it with
// monotonic time.
class EventDispatcher {
public:
    EventDispatcher(Form1& form, FormEvents& events);

    void load();

    // Whether a click at this label would reach a handler now: it has one, and it and the
    // panel holding it are visible and it is enabled.
    bool isClickable(const Label& label) const;
    // Returns whether a handler ran.
    bool click(const Label& label);

    // A character typed into the input line; ignored while the input line is disabled.
    void keyPress(int KeyAscii);

    // Idle time passes: every tick due by then is delivered at its own time.
    void advance(Millis ms) { advanceTo(form_.scheduler.now() + ms); }
    void advanceTo(Millis time);
    // The thread was busy until `time`: one tick for each timer that fell due.
    void catchUp(Millis time);

    // The close box: the window unloads and no handler runs.
    void closeWindow() { form_.Unload(); }

private:
    using ClickHandler = void (FormEvents::*)();
    ClickHandler clickHandlerOf(const Label& label) const;
    void tick(Timer& timer);

    Form1& form_;
    FormEvents& events_;
};

}  // namespace runeshot
