#pragma once

#include "shell/text_measure.h"

namespace runeshot {

// Measures captions with the face the window really draws them in: one line, as wide as
// the text advances and as high as the font's line.
class QtTextMeasure final : public TextMeasure {
public:
    TwipsSize measure(std::string_view text, const Font& font) const override;
};

}  // namespace runeshot
