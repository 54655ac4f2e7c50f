// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

// The starfield uses 32 colours in two interleaved sets of 16 levels: greys (16k, 16k, 16k)
// and faint violets (16k+15, 16k+8, 16k+15). Four pixels in five stay black; the rest are a
// faint speckle spread evenly over the field and about 270 small stars.
#include "assets/images/starfield.h"

#include <algorithm>

#include "assets/images/pictures.h"

namespace runeshot {

namespace {

constexpr int starCount = 270;
constexpr double blackShare = 0.8;
// Share of speckle pixels bright enough to pass a quarter of full intensity; with the
// stars it makes about one pixel in sixty a bright one.
constexpr double brightSpeckleShare = 0.065;

class Rng {
public:
    explicit Rng(std::uint32_t seed) : state_(seed) {}
    double unit() {
        state_ = state_ * 1664525u + 1013904223u;
        return (state_ >> 8) / 16777216.0;
    }
    int below(int n) { return static_cast<int>(unit() * n); }

private:
    std::uint32_t state_;
};

Rgb level(int k, bool violet) {
    const int v = 16 * k;
    if (!violet) return {std::uint8_t(v), std::uint8_t(v), std::uint8_t(v)};
    return {std::uint8_t(v + 15), std::uint8_t(v + 8), std::uint8_t(v + 15)};
}

bool isBlack(const Rgb& c) { return c.r == 0 && c.g == 0 && c.b == 0; }

}  // namespace

std::vector<Rgb> drawStarfield() {
    std::vector<Rgb> field(starfieldWidth * starfieldHeight);
    Rng rng(0x52554E45u);
    auto at = [&](int x, int y) -> Rgb& { return field[y * starfieldWidth + x]; };

    // A star is a bright core with a few dimmer pixels clinging to it; small stars are the
    // most common.
    int starPixels = 0;
    for (int s = 0; s < starCount; ++s) {
        const int cx = 1 + rng.below(starfieldWidth - 2);
        const int cy = 1 + rng.below(starfieldHeight - 2);
        const double u = rng.unit();
        const int size = 1 + static_cast<int>(u * u * 12);
        const bool violet = rng.unit() < 0.5;
        const int core = 10 + rng.below(6);
        int x = cx, y = cy;
        for (int p = 0; p < size; ++p) {
            const int fade = std::min(core - 2, p == 0 ? 0 : 3 + rng.below(5));
            const Rgb colour = level(core - fade, violet);
            Rgb& pixel = at(x, y);
            if (isBlack(pixel)) ++starPixels;
            // A dim pixel never covers a brighter one, the star's own core included.
            if (pixel.r < colour.r) pixel = colour;
            x = std::clamp(cx + rng.below(3) - 1, 0, starfieldWidth - 1);
            y = std::clamp(cy + rng.below(3) - 1, 0, starfieldHeight - 1);
            if (p >= 8) {
                x = std::clamp(x + rng.below(3) - 1, 0, starfieldWidth - 1);
                y = std::clamp(y + rng.below(3) - 1, 0, starfieldHeight - 1);
            }
        }
    }

    // The speckle fills the black that the stars left up to one pixel in five.
    const int total = starfieldWidth * starfieldHeight;
    const double speckleChance =
        ((1.0 - blackShare) * total - starPixels) / (total - starPixels);
    for (Rgb& pixel : field) {
        if (!isBlack(pixel) || rng.unit() >= speckleChance) continue;
        const bool violet = rng.unit() < 0.5;
        // The darkest violet, (15, 8, 15), is not black. Grey 16k passes a quarter of full
        // intensity from k = 5, violet from k = 4.
        int k = violet ? rng.below(4) : 1 + rng.below(3);
        if (rng.unit() < brightSpeckleShare) k = violet ? 4 + rng.below(2) : 5;
        pixel = level(k, violet);
    }

    return field;
}

}  // namespace runeshot
