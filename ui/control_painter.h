// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <vector>

#include <QColor>
#include <QRect>
#include <QRegion>

#include "shell/form1.h"
#include "shell/pixel_rect.h"
#include "shell/text_measure.h"

class QPainter;

namespace runeshot {

// The window's logical pixels to twips (15 to a pixel at 96 dpi), and the core's pixel
// rectangles (shell/pixel_rect.h) as the toolkit's.
Twips twipsFromPixels(qreal pixels);
QRect qtRect(const PixelRect& rect);
QRect pixelRect(const TwipsRect& rect);

QColor qtColour(Colour colour);

// The rectangle a label takes on the screen, auto-sized by its caption where it says so.
QRect labelPixelRect(const Label& label, const TextMeasure& measure);

// The rectangle a label, shape or line covers on its surface.
QRect controlPixelRect(const GraphicalControl& control, const TextMeasure& measure);

// Paints labels, shapes and lines in the order given, the first at the bottom, onto the
// surface that holds them (the window, or the settings panel for its own controls).
// Controls wholly outside `dirty` are passed over.
void paintControls(QPainter& painter, const std::vector<GraphicalControl>& controls,
                   const TextMeasure& measure, const QRegion& dirty);

}  // namespace runeshot
