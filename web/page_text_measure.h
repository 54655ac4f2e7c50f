// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include "shell/text_measure.h"

namespace runeshot {

// Measures a caption with the face the page draws it in: the width is the caption's
// advance and the height the face's ascent plus descent, each rounded to whole pixels as
// the window's toolkit does, so the core's hit test agrees with what the page shows.
class PageTextMeasure final : public TextMeasure {
public:
    TwipsSize measure(std::string_view text, const Font& font) const override;
};

}  // namespace runeshot
