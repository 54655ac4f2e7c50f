// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "game/game.h"

namespace runeshot {

// The judge does not look at the state of the game: a right key scores whenever the input
// line takes keys, paused or not, even before the first game.
void Game::Text1_KeyPress(int KeyAscii) {
    const std::string typed(1, static_cast<char>(KeyAscii));
    if (typed != Label1.Caption) {
        PlaySound("wrong.wav");
        return;
    }
    PlaySound("shooted.wav");
    Shooted = Shooted + 1;
    lblShooted.Caption = std::to_string(Shooted);
    Label1.Visible = false;
    NewLetter();
}

}  // namespace runeshot
