// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <string>

#include "shell/form1.h"

namespace runeshot {

// How assistive technology reads the labels the window paints, the same in every front end.

// A label's name: its caption without the blanks around it ("PAUSE " reads "PAUSE"); the
// landed letter is said to be red, which a player otherwise sees only by its colour.
std::string readableName(const Form1& form, const Label& label);

// The caption beside a count of the status bar ("Shooted :" beside the hits), or none.
const Label* captionOf(const Form1& form, const Label& count);

}  // namespace runeshot
