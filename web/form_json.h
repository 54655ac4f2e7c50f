// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include "shell/form1.h"
#include "shell/text_measure.h"
#include "web/json_writer.h"

namespace runeshot {

// Writes what the page shows of the form, resolved so that the page decides nothing: each
// surface's graphical controls in painting order, in pixels on that surface (the panel's on
// the panel), with desktop colours and auto-sizes worked out; the windowed controls; and
// for each label that takes clicks, where a press in its middle lands, in twips.
void writeForm(JsonWriter& json, const Form1& form, const TextMeasure& measure);

// One graphical control, as an element of an array.
void writeControl(JsonWriter& json, const Form1& form, const GraphicalControl& control,
                  const TextMeasure& measure);

// The settings panel, or a windowed control, under its name.
void writeWindowed(JsonWriter& json, const Frame& frame);
void writeWindowed(JsonWriter& json, const TextBox& textBox);
void writeWindowed(JsonWriter& json, const OptionButton& option);
void writeWindowed(JsonWriter& json, const ComboBox& comboBox);

}  // namespace runeshot
