// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "game/game.h"
#include "shell/design_colours.h"

namespace runeshot {

// A toggle, whoever calls it: the PAUSE label, the settings panel and the end of a miss
// pause in a minimized window all flip the same state.
void Game::lblPause_Click() {
    if (paused) {
        paused = false;
        lblPause.ForeColor = colours::paleGreen;
        lblPause.Caption = "PAUSE";
        // A finished game stays finished: only a new game starts the fall and the clock.
        if (lblOver.Visible) return;
        sound_.open();
        releaseHeldMissPause();
        // A miss pause under way ends first; its end deals and restarts the fall.
        if (!Timer2.Enabled) Timer1.Enabled = true;
        Timer3.Enabled = true;
    } else {
        paused = true;
        lblPause.ForeColor = colours::red;
        lblPause.Caption = "PAUSED";
        Timer1.Enabled = false;
        Timer3.Enabled = false;
        holdMissPause();
    }
}

void Game::holdMissPause() {
    if (!Timer2.Enabled) return;
    heldMissPause_ = HeldMissPause::held;
    Timer2.Enabled = false;
}

void Game::releaseHeldMissPause() {
    if (heldMissPause_ != HeldMissPause::held) return;
    heldMissPause_ = HeldMissPause::released;
    Timer2.Enabled = true;
}

}  // namespace runeshot
