// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <string>

namespace runeshot {

// Plays one of the game's WAV files by its file name, without waiting for it to finish.
// A new sound cuts off the one still playing. The caller never learns whether it played.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const std::string& fileName) = 0;
    // Sounds may come soon (a game starts or goes on): a player whose device is slow to
    // open opens it now, so that the first of them is not late. Never waits.
    virtual void open() = 0;

protected:
    SoundPlayer() = default;
    SoundPlayer(const SoundPlayer&) = default;
    SoundPlayer& operator=(const SoundPlayer&) = default;
};

}  // namespace runeshot
