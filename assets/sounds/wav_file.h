// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <cstdint>
#include <vector>

namespace runeshot {

// The bytes of a PCM WAV file with 16-bit samples; a stereo file takes its samples
// interleaved, left first.
std::vector<std::uint8_t> encodeWav(const std::vector<std::int16_t>& samples, int rate,
                                    int channels);

}  // namespace runeshot
