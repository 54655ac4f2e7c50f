// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace runeshot {

inline constexpr int gameSoundRate = 44100;

struct GameSound {
    std::string fileName;
    // Mono, at gameSoundRate.
    std::vector<std::int16_t> samples;
};

// The four sounds of the game, the same to the last bit on every run, so that the files
// kept beside the program can always be made again.
std::vector<GameSound> makeGameSounds();

}  // namespace runeshot
