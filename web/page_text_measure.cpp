// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "web/page_text_measure.h"

#include <string>

#include <emscripten.h>

namespace runeshot {

namespace {

// The page hands these in when it makes the module (js/core.js): they measure on its canvas.
EM_JS(int, pageTextWidth, (const char* text, const char* face, int pixels, int bold), {
    return Module["textWidth"](UTF8ToString(text), UTF8ToString(face), pixels, bold !== 0);
});

EM_JS(int, pageLineHeight, (const char* face, int pixels, int bold), {
    return Module["lineHeight"](UTF8ToString(face), pixels, bold !== 0);
});

}  // namespace

TwipsSize PageTextMeasure::measure(std::string_view text, const Font& font) const {
    const std::string caption(text);
    const char* face = font.Name.c_str();
    const int pixels = pixelsFromPoints(font.Size);
    const int width = pageTextWidth(caption.c_str(), face, pixels, font.Bold);
    const int height = pageLineHeight(face, pixels, font.Bold);
    return {static_cast<Twips>(width) * twipsPerPixel, static_cast<Twips>(height) * twipsPerPixel};
}

}  // namespace runeshot
