// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <concepts>
#include <string>
#include <variant>

#include "shell/form1.h"
#include "shell/form_events.h"
#include "shell/label_places.h"
#include "shell/text_measure.h"

namespace runeshot {

// What the window reports, one at a time.
namespace inputs {
// The main pointer button went down or up at a place in the window, in twips from its
// top-left corner. A press and a release on the same label click it.
struct Press {
    Twips x = 0, y = 0;
};
struct Release {
    Twips x = 0, y = 0;
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
    FormWindowState state = FormWindowState::normal;
};
struct CloseBox {};
}  // namespace inputs

using Input = std::variant<inputs::Press, inputs::Release, inputs::Key, inputs::Wake,
                           inputs::InputLineText, inputs::SpeedChosen, inputs::LengthText,
                           inputs::WindowStateChanged, inputs::CloseBox>;

// Whether the event table holds a Click handler for the label.
bool takesClicks(const Form1& form, const Label& label);

// Delivers the window's inputs to the handlers of the event table, one at a time, each
// running to completion.
class EventDispatcher {
public:
    EventDispatcher(Form1& form, FormEvents& events, const TextMeasure& measure)
        : form_(form), events_(events), measure_(measure) {}
    // For a form that holds its own event table, as the game does.
    template <typename FormWithCode>
        requires std::derived_from<FormWithCode, Form1> &&
                 std::derived_from<FormWithCode, FormEvents>
    EventDispatcher(FormWithCode& form, const TextMeasure& measure)
        : EventDispatcher(form, form, measure) {}

    void load();

    // The one road in, with monotonic time: first the ticks that fell due while the thread
    // was busy, one per timer, so the input meets the game as the player saw it; then the
    // input itself. Nothing happens once the form is unloaded.
    void handle(Millis now, const Input& input);

    // How the labels' sizes are found; the window draws and hit-tests with the same.
    const TextMeasure& textMeasure() const { return measure_; }

private:
    struct Apply;
    void release(Twips x, Twips y);
    void keyPress(int KeyAscii);
    void tick(Timer& timer);

    Form1& form_;
    FormEvents& events_;
    const TextMeasure& measure_;
    // The label the pointer went down on, if any.
    const Label* pressed_ = nullptr;
};

}  // namespace runeshot
