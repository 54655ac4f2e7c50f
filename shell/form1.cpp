// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "shell/form1.h"

namespace runeshot {

void Form1::Unload() {
    unloaded_ = true;
    Timer1.Enabled = false;
    Timer2.Enabled = false;
    Timer3.Enabled = false;
}

}  // namespace runeshot
