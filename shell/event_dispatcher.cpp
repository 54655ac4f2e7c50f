// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "shell/event_dispatcher.h"

#include <utility>

namespace runeshot {

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

void EventDispatcher::load() {
    if (!form_.isUnloaded()) events_.Form_Load();
}

void EventDispatcher::release(Twips x, Twips y) {
    const Label* pressed = std::exchange(pressed_, nullptr);
    if (pressed == nullptr || labelAt(form_, measure_, x, y) != pressed) return;
    if (const ClickHandler handler = clickHandlerOf(form_, *pressed)) (events_.*handler)();
}

void EventDispatcher::keyPress(int KeyAscii) {
    if (!form_.Text1.Enabled || !form_.Text1.Visible) return;
    events_.Text1_KeyPress(KeyAscii);
}

void EventDispatcher::tick(Timer& timer) {
    if (form_.isUnloaded()) return;
    if (&timer == &form_.Timer1) events_.Timer1_Timer();
    else if (&timer == &form_.Timer2) events_.Timer2_Timer();
    else if (&timer == &form_.Timer3) events_.Timer3_Timer();
}

struct EventDispatcher::Apply {
    EventDispatcher& d;
    Form1& f;
    void operator()(const inputs::Press& p) const {
        d.pressed_ = labelAt(f, d.measure_, p.x, p.y);
    }
    void operator()(const inputs::Release& r) const { d.release(r.x, r.y); }
    void operator()(const inputs::Key& k) const { d.keyPress(k.KeyAscii); }
    void operator()(const inputs::Wake&) const {}
    void operator()(const inputs::InputLineText& t) const { f.Text1.Text = t.text; }
    void operator()(const inputs::SpeedChosen& s) const {
        f.Option1.Value = !s.speed;
        f.Option2.Value = s.speed;
    }
    void operator()(const inputs::LengthText& t) const { f.Combo1.Text = t.text; }
    void operator()(const inputs::WindowStateChanged& w) const { f.WindowState = w.state; }
    void operator()(const inputs::CloseBox&) const { f.Unload(); }
};

void EventDispatcher::handle(Millis now, const Input& input) {
    form_.scheduler.catchUp(now, [this](Timer& t) { tick(t); });
    if (form_.isUnloaded()) return;
    std::visit(Apply{*this, form_}, input);
}

}  // namespace runeshot
