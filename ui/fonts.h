// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <QFont>

#include "shell/controls.h"

namespace runeshot {

// The pixel size of a font of `points` at 96 dots per inch (8.25 pt is 11 px, 48 pt is
// 64 px): the layout is in twips, so text must not grow with the display's own dpi.
int pixelsFromPoints(double points);

// The Qt font that draws a control's font: the face named in the form, or its nearest
// stand-in where the desktop lacks it, at its size in pixels.
QFont qtFont(const Font& font);

}  // namespace runeshot
