// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <cstdint>

namespace runeshot {

// Uniform single-precision values in [0, 1).
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual float next() = 0;

protected:
    RandomSource() = default;
    RandomSource(const RandomSource&) = default;
    RandomSource& operator=(const RandomSource&) = default;
};

// A 24-bit linear congruential generator from a fixed state, never seeded: every run of
// the program deals the same letters at the same columns. With 24 bits every value is an
// exact single-precision number.
class Lcg24 final : public RandomSource {
public:
    float next() override {
        state_ = (state_ * 16598013u + 12820163u) & 0xFFFFFFu;
        return static_cast<float>(state_) / 16777216.0f;
    }

private:
    std::uint32_t state_ = 327680u;
};

}  // namespace runeshot
