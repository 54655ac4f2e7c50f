// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <functional>
#include <string>
#include <vector>

#include "game/sound_player.h"

// The sound players that stand in for the real one wherever the game runs without a sound
// device: in tests, benchmarks and tools.
namespace runeshot::testing {

// Plays and keeps nothing: for figures that should not include a sound device, and for
// long runs, where a kept list of sounds would grow.
class SilentSound final : public SoundPlayer {
public:
    void play(const std::string&) override {}
    void open() override {}
};

// Remembers every sound the game asked for, in order. `onPlay` lets a test look at the
// window at the moment a sound starts.
class RecordingSound final : public SoundPlayer {
public:
    void play(const std::string& fileName) override {
        played.push_back(fileName);
        if (onPlay) onPlay(fileName);
    }
    void open() override { ++openings; }

    std::vector<std::string> played;
    int openings = 0;
    std::function<void(const std::string&)> onPlay;
};

}  // namespace runeshot::testing
