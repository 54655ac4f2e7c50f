// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <string_view>

#include "shell/controls.h"

namespace runeshot {

struct TwipsSize {
    Twips Width = 0;
    Twips Height = 0;
};

struct TwipsRect {
    Twips Left = 0, Top = 0, Width = 0, Height = 0;
    bool contains(Twips x, Twips y) const {
        return x >= Left && x < Left + Width && y >= Top && y < Top + Height;
    }
};

// Measures a caption in a font. The window measures with the face it really draws;
// tests use a fixed rule.
class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    virtual TwipsSize measure(std::string_view text, const Font& font) const = 0;

protected:
    TextMeasure() = default;
    TextMeasure(const TextMeasure&) = default;
    TextMeasure& operator=(const TextMeasure&) = default;
};

// The rectangle a label takes: an auto-sized label fits its caption on one line and keeps
// its Left and Top; any other label keeps its stored rectangle.
inline TwipsRect labelRect(const Label& label, const TextMeasure& measure) {
    if (!label.AutoSize) return {label.Left, label.Top, label.Width, label.Height};
    const TwipsSize size = measure.measure(label.Caption, label.Font);
    return {label.Left, label.Top, size.Width, size.Height};
}

}  // namespace runeshot
