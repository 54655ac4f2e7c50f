// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "shell/pixel_rect.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <variant>

namespace runeshot {

int pixelsFromTwips(Twips twips) {
    return static_cast<int>(std::lround(double(twips) / twipsPerPixel));
}

PixelRect pixelsOf(const TwipsRect& rect) {
    return {pixelsFromTwips(rect.Left), pixelsFromTwips(rect.Top), pixelsFromTwips(rect.Width),
            pixelsFromTwips(rect.Height)};
}

PixelRect pixelsOf(const GraphicalControl& control, const TextMeasure& measure) {
    if (const Label* const* label = std::get_if<const Label*>(&control)) {
        return pixelsOf(labelRect(**label, measure));
    }
    if (const Shape* const* shape = std::get_if<const Shape*>(&control)) {
        const Shape& s = **shape;
        return pixelsOf(TwipsRect{s.Left, s.Top, s.Width, s.Height});
    }
    const Line& line = *std::get<const Line*>(control);
    const int x1 = pixelsFromTwips(line.X1), y1 = pixelsFromTwips(line.Y1);
    const int x2 = pixelsFromTwips(line.X2), y2 = pixelsFromTwips(line.Y2);
    return {std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1) + 1, std::abs(y2 - y1) + 1};
}

}  // namespace runeshot
