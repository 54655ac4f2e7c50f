// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "game/random_source.h"
#include "shell/text_measure.h"
#include "testing/sound_doubles.h"

namespace runeshot::testing {

// Hands out the given draws in order, over and over, so that every deal is known.
class FixedDraws final : public RandomSource {
public:
    explicit FixedDraws(std::vector<float> draws) : draws_(std::move(draws)) {}
    float next() override { return draws_[taken_++ % draws_.size()]; }

private:
    std::vector<float> draws_;
    std::size_t taken_ = 0;
};

// Measures a caption by a fixed rule: each character as wide as the font's size in twips,
// times ten, and the line twenty twips to the point.
class FixedTextMeasure final : public TextMeasure {
public:
    TwipsSize measure(std::string_view text, const Font& font) const override {
        return {static_cast<Twips>(text.size() * font.Size * 10),
                static_cast<Twips>(font.Size * 20)};
    }
};

// The draw r for which r x scale comes out as `product` once stored in single precision.
inline float drawGiving(double product, double scale) {
    return static_cast<float>(product / scale);
}

}  // namespace runeshot::testing
