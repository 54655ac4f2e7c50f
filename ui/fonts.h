// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <QFont>

#include "shell/controls.h"

namespace runeshot {

// The Qt font that draws a control's font: the face named in the form, or its nearest
// stand-in where the desktop lacks it, at its size in pixels.
QFont qtFont(const Font& font);

}  // namespace runeshot
