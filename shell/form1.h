// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <string>
#include <variant>
#include <vector>

#include "shell/controls.h"
#include "shell/scheduler.h"
#include "shell/timer.h"

namespace runeshot {

using GraphicalControl = std::variant<const Label*, const Shape*, const Line*>;

// How the window is shown, as the window system reports it.
enum class FormWindowState { normal = 0, minimized = 1, maximized = 2 };

// The one window: its controls, by the names the game's rules use, and the game's own
// variables. The game reads and writes these; the window draws whatever they say.
struct Form1 {
    // Creates every control in its design-time state (form1_design.cpp).
    Form1();
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // Declared first: the timers below read its clock.
    Scheduler scheduler;

    // Status bar, the falling letter and the time-over banner.
    Label Label1, lblOver;
    Label Label2, lblShooted, Label4, lblMissed, Label3, lbltime, Label6;
    Label lblSettings, lblNew, lblPause, lblQuit;
    Shape Shape1, Shape2;
    Line Line1, Line2, Line3, Line4, Line5, Line6;
    TextBox Text1;
    // The fall: each tick steps the letter down, and a letter that lands is missed.
    Timer Timer1{scheduler};
    // The miss pause: a missed letter shows red for one tick, then the next is dealt.
    Timer Timer2{scheduler};
    // The countdown: a second of the game's length each tick, to the banner at zero.
    Timer Timer3{scheduler};

    // The settings panel. Its contents are placed relative to the frame; the option
    // buttons and the game-length box belong to the window and only stand over the frame.
    Frame Frame1;
    Label Label5, Label7, Label8, Label11;
    // Ok takes the chosen speed and length and starts a new game; Cancel closes the panel
    // and lets the game go on.
    Label Label9, Label10;
    Shape Shape3, Shape4;
    Line Line7, Line8;
    OptionButton Option1, Option2;
    ComboBox Combo1;

    // The game's variables.
    bool paused = false;
    double Ttime = 0;
    float X = 0;
    float Y = 0;
    double Missed = 0;
    // Counts hits; wide enough that a long game never wraps to negative.
    long long Shooted = 0;

    // Written by the dispatcher when the window reports a change.
    FormWindowState WindowState = FormWindowState::normal;

    // Written into captions that show fractional numbers; the program sets it from the
    // player's locale.
    std::string DecimalSeparator = ".";

    // Closes the window and stops every timer: no handler runs after this.
    void Unload();
    bool isUnloaded() const { return unloaded_; }

    // Graphical controls of the window and of the settings panel, in painting order:
    // the bottom of the stacking order first.
    std::vector<GraphicalControl> windowPaintOrder() const;
    std::vector<GraphicalControl> panelPaintOrder() const;

private:
    bool unloaded_ = false;
};

}  // namespace runeshot
