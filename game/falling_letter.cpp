// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "game/game.h"
#include "shell/design_colours.h"
#include "shell/number_text.h"

namespace runeshot {

namespace {
constexpr Twips fallStep = 200;
// A letter whose top reaches this line has touched the bottom of the field.
constexpr Twips bottomLine = 3960;
}  // namespace

// NEW GAME does not deal: the letter comes back with whatever caption, place and colour it
// had, so the first game of a run starts with the design-time "G".
void Game::lblNew_Click() {
    sound_.open();
    Label1.Visible = true;
    Text1.Enabled = true;
    lblOver.Visible = false;
    lbltime.Caption = "100";
    lblShooted.Caption = "0";
    lblMissed.Caption = "0";
    Shooted = 0;
    Missed = 0;
    Ttime = textToNumber(Combo1.Text);
    lblPause.Enabled = true;
    // A new game runs even while "PAUSED" shows, so a miss pause the pause held back
    // finishes, and the fall starts when it ends.
    releaseHeldMissPause();
    if (heldMissPause_ != HeldMissPause::released) Timer1.Enabled = true;
    Timer3.Enabled = true;
}

void Game::Timer1_Timer() {
    Label1.Top = Label1.Top + fallStep;
    if (Label1.Top >= bottomLine) {
        Missed = Missed + 1;
        lblMissed.Caption = numberToText(Missed, DecimalSeparator);
        Label1.ForeColor = colours::red;
        Timer2.Enabled = true;
        Timer1.Enabled = false;
    }
}

void Game::Timer2_Timer() {
    heldMissPause_ = HeldMissPause::none;
    PlaySound("boing.wav");
    NewLetter();
    Timer2.Enabled = false;
    Timer1.Enabled = true;
    // A minimized window is only noticed here, at the end of a miss pause.
    if (WindowState == FormWindowState::minimized) lblPause_Click();
}

}  // namespace runeshot
