// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include "shell/form1.h"
#include "shell/text_measure.h"

namespace runeshot {

// Whether the label belongs to the settings panel, and so lies and shows with it.
bool inPanel(const Form1& form, const Label& label);

// Whether the label shows: a label of the settings panel only while the panel shows.
bool isShown(const Form1& form, const Label& label);

// Where a label lies in the window, in twips; a label of the settings panel lies within
// the panel. A press and a release in its middle click it.
TwipsRect labelInWindow(const Form1& form, const Label& label, const TextMeasure& measure);

// The label a click at a place in the window reaches, if any: the topmost visible, enabled
// label there. Hidden and disabled labels let a click through, and the open settings panel
// covers the window's own labels. A screen reader asking what lies there is told the same.
const Label* labelAt(const Form1& form, const TextMeasure& measure, Twips x, Twips y);

}  // namespace runeshot
