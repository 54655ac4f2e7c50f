// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <variant>
#include <vector>

#include "shell/form1.h"

namespace runeshot {

// A graphical control's value, kept to compare with later.
using ControlValue = std::variant<Label, Shape, Line>;

// The kept value as a control, to measure or read like the live one.
GraphicalControl controlOf(const ControlValue& value);

// A graphical control that differs from the last look: its value then, and the control.
struct ControlChange {
    ControlValue before;
    GraphicalControl now;
};

// What changed on the window and on the settings panel, each in painting order.
struct ControlChanges {
    std::vector<ControlChange> window;
    std::vector<ControlChange> panel;
};

// How the form's graphical controls looked at the last look, compared as values: after an
// input, the one look from which a front end works out both what to repaint and what to
// tell assistive technology.
class FormLook {
public:
    explicit FormLook(const Form1& form);

    // The controls that differ from the last look; takes the new look.
    ControlChanges take();

private:
    struct Surface {
        explicit Surface(std::vector<GraphicalControl> shown);
        std::vector<ControlChange> take();

        std::vector<GraphicalControl> controls;
        std::vector<ControlValue> values;
    };
    Surface window_;
    Surface panel_;
};

}  // namespace runeshot
