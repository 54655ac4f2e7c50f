// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include "shell/form1.h"
#include "shell/text_measure.h"

namespace runeshot {

// A rectangle in the window's logical pixels, on a surface (the window, or the settings
// panel for its own controls).
struct PixelRect {
    int Left = 0, Top = 0, Width = 0, Height = 0;
    bool operator==(const PixelRect&) const = default;
};

// Twips to the window's logical pixels (15 to a pixel at 96 dpi). Letters fall to places
// that are no multiple of 15; they are rounded to the nearest pixel, halves away from zero.
int pixelsFromTwips(Twips twips);
PixelRect pixelsOf(const TwipsRect& rect);

// The rectangle a label, shape or line covers on its surface; a label auto-sized by its
// caption where it says so, a rule with both its ends.
PixelRect pixelsOf(const GraphicalControl& control, const TextMeasure& measure);

}  // namespace runeshot
