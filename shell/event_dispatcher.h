// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <string>
#include <variant>

#include "shell/form1.h"
#include "shell/form_events.h"

namespace runeshot {

// What the window reports, one at a time.
namespace inputs {
// A press and release inside the same label; `label` is null where no label took them.
struct Click {
    const Label* label = nullptr;
};
// A character typed into the input line, before the line edits itself.
struct Key {
    int KeyAscii = 0;
};
// The window's timer woke: only the ticks that fell due meanwhile happen.
struct Wake {};
// The player edited a windowed control: its new text or choice.
struct InputLineText {
    std::string text;
};
struct SpeedChosen {
    bool speed = false;
};
struct LengthText {
    std::string text;
};
struct WindowStateChanged {
    int state = Form1::normal;
};
struct CloseBox {};
}  // namespace inputs

using Input = std::variant<inputs::Click, inputs::Key, inputs::Wake, inputs::InputLineText,
                           inputs::SpeedChosen, inputs::LengthText, inputs::WindowStateChanged,
                           inputs::CloseBox>;

// Whether the event table holds a Click handler for the label.
bool takesClicks(const Form1& form, const Label& label);

// Delivers the window's events to the handlers of the event table, one at a time, each
// running to completion. The window hands every input to `handle` with monotonic time;
// tests also use the single doors below, on a virtual clock.
class EventDispatcher {
public:
    EventDispatcher(Form1& form, FormEvents& events) : form_(form), events_(events) {}

    void load();

    // The one road in from the window: first the ticks that fell due while the thread was
    // busy, one per timer, so the input meets the game as the player saw it; then the
    // input itself. Nothing happens once the form is unloaded.
    void handle(Millis now, const Input& input);

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
    void tick(Timer& timer);

    Form1& form_;
    FormEvents& events_;
};

}  // namespace runeshot
