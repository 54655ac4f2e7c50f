// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "game/game.h"
#include "shell/number_text.h"

namespace runeshot {

void Game::Timer3_Timer() {
    Ttime = subtractInShownDigits(Ttime, 1);
    // A length typed as a fraction, as zero or as a negative number steps past zero
    // without landing on it; the game ends there all the same.
    if (Ttime < 0) Ttime = 0;
    lbltime.Caption = numberToText(Ttime, DecimalSeparator);
    if (Ttime == 0) {
        lblOver.Visible = true;
        ShowTimeOver();
        Text1.Enabled = false;
        lblPause.Enabled = false;
        Timer1.Enabled = false;
        Label1.Visible = false;
        Timer3.Enabled = false;
        // A miss pause under way is held as a pause holds it: no letter is dealt after the
        // banner, and whatever goes on from here lets it finish before anything falls.
        holdMissPause();
    }
}

// The banner grows through every size within the one tick, so it is only ever drawn at
// its final 72 points.
void Game::ShowTimeOver() {
    for (int points = 2; points <= 72; ++points) lblOver.Font.Size = points;
    PlaySound("theend.wav");
}

}  // namespace runeshot
