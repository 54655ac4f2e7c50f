// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "shell/event_dispatcher.h"

namespace runeshot {

void EventDispatcher::load() {
    if (!form_.isUnloaded()) events_.Form_Load();
}

namespace {

using ClickHandler = void (FormEvents::*)();

ClickHandler clickHandlerOf(const Form1& form, const Label& label) {
    if (&label == &form.lblNew) return &FormEvents::lblNew_Click;
    if (&label == &form.lblPause) return &FormEvents::lblPause_Click;
    if (&label == &form.lblSettings) return &FormEvents::lblSettings_Click;
    if (&label == &form.lblQuit) return &FormEvents::lblQuit_Click;
    if (&label == &form.Label9) return &FormEvents::Label9_Click;
    if (&label == &form.Label10) return &FormEvents::Label10_Click;
    return nullptr;
}

}  // namespace

bool takesClicks(const Form1& form, const Label& label) {
    return clickHandlerOf(form, label) != nullptr;
}

bool EventDispatcher::isClickable(const Label& label) const {
    if (form_.isUnloaded() || !takesClicks(form_, label)) return false;
    const bool inPanel = &label == &form_.Label9 || &label == &form_.Label10;
    if (inPanel && !form_.Frame1.Visible) return false;
    return label.Visible && label.Enabled;
}

bool EventDispatcher::click(const Label& label) {
    if (!isClickable(label)) return false;
    (events_.*clickHandlerOf(form_, label))();
    return true;
}

void EventDispatcher::keyPress(int KeyAscii) {
    if (form_.isUnloaded() || !form_.Text1.Enabled || !form_.Text1.Visible) return;
    events_.Text1_KeyPress(KeyAscii);
}

void EventDispatcher::tick(Timer& timer) {
    if (form_.isUnloaded()) return;
    if (&timer == &form_.Timer1) events_.Timer1_Timer();
    else if (&timer == &form_.Timer2) events_.Timer2_Timer();
    else if (&timer == &form_.Timer3) events_.Timer3_Timer();
}

void EventDispatcher::handle(Millis now, const Input& input) {
    catchUp(now);
    if (form_.isUnloaded()) return;
    struct Apply {
        EventDispatcher& d;
        Form1& f;
        void operator()(const inputs::Click& c) const {
            if (c.label != nullptr) d.click(*c.label);
        }
        void operator()(const inputs::Key& k) const { d.keyPress(k.KeyAscii); }
        void operator()(const inputs::Wake&) const {}
        void operator()(const inputs::InputLineText& t) const { f.Text1.Text = t.text; }
        void operator()(const inputs::SpeedChosen& s) const {
            f.Option1.Value = !s.speed;
            f.Option2.Value = s.speed;
        }
        void operator()(const inputs::LengthText& t) const { f.Combo1.Text = t.text; }
        void operator()(const inputs::WindowStateChanged& w) const { f.WindowState = w.state; }
        void operator()(const inputs::CloseBox&) const { d.closeWindow(); }
    };
    std::visit(Apply{*this, form_}, input);
}

void EventDispatcher::advanceTo(Millis time) {
    form_.scheduler.advanceTo(time, [this](Timer& t) { tick(t); });
}

void EventDispatcher::catchUp(Millis time) {
    form_.scheduler.catchUp(time, [this](Timer& t) { tick(t); });
}

}  // namespace runeshot
