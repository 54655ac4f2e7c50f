// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <map>
#include <string>
#include <tuple>

#include "shell/text_measure.h"

namespace runeshot {

// Measures captions with the face the window really draws them in: one line, as wide as
// the text advances and as high as the font's line.
class QtTextMeasure final : public TextMeasure {
public:
    TwipsSize measure(std::string_view text, const Font& font) const override;

private:
    // Every paint and every click asks for the same few captions again; font metrics are
    // far dearer than a look-up.
    using Key = std::tuple<std::string, std::string, double, bool>;
    mutable std::map<Key, TwipsSize> measured_;
};

}  // namespace runeshot
