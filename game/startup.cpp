// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "game/game.h"

namespace runeshot {

void Game::Form_Load() {
    module1.FillLetters();
    Ttime = 100;
    Combo1.List.push_back("100");
    Combo1.List.push_back("200");
    Combo1.List.push_back("300");
}

}  // namespace runeshot
