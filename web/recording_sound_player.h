// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <string>
#include <utility>
#include <vector>

#include "game/sound_player.h"

namespace runeshot {

// Notes the sounds the game asks for during one input; the page plays them afterwards,
// in order, each cutting the one before as on the desktop.
class RecordingSoundPlayer final : public SoundPlayer {
public:
    void play(const std::string& fileName) override { asked_.push_back(fileName); }
    // The page's sound opens at the player's first key or click, and at once.
    void open() override {}
    std::vector<std::string> take() { return std::exchange(asked_, {}); }

private:
    std::vector<std::string> asked_;
};

}  // namespace runeshot
