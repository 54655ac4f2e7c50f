// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

namespace runeshot {

// The handlers the window calls, named after the control and the event. No other event of
// any control or of the window reaches the game.
class FormEvents {
public:
    virtual ~FormEvents() = default;

    virtual void Form_Load() = 0;
    virtual void lblNew_Click() = 0;
    virtual void Timer1_Timer() = 0;
    virtual void Timer2_Timer() = 0;
    // KeyAscii: the code, 1 to 255, of the character typed into the input line.
    virtual void Text1_KeyPress(int KeyAscii) = 0;
    virtual void Timer3_Timer() = 0;
    virtual void lblPause_Click() = 0;
    virtual void lblSettings_Click() = 0;
    virtual void Label9_Click() = 0;
    virtual void Label10_Click() = 0;
    virtual void lblQuit_Click() = 0;

protected:
    FormEvents() = default;
    FormEvents(const FormEvents&) = default;
    FormEvents& operator=(const FormEvents&) = default;
};

}  // namespace runeshot
