// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <string>

#include "sound/sound_player.h"

namespace runeshot::bench {

// The benchmarks time the game and its window, not the sound device.
class SilentSound final : public SoundPlayer {
public:
    void play(const std::string&) override {}
};

}  // namespace runeshot::bench
