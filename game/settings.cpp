// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "game/game.h"
#include "shell/number_text.h"

namespace runeshot {

namespace {
constexpr int normalFall = 200;
constexpr int speedFall = 100;
}  // namespace

// The option buttons and the game-length box belong to the window, not to the panel, so
// each is shown and hidden with it one by one.
static void showSettingsPanel(Form1& form, bool visible) {
    form.Frame1.Visible = visible;
    form.Option1.Visible = visible;
    form.Option2.Visible = visible;
    form.Combo1.Visible = visible;
}

void Game::lblSettings_Click() {
    lblPause_Click();
    showSettingsPanel(*this, true);
}

void Game::Label10_Click() {
    showSettingsPanel(*this, false);
    lblPause_Click();
}

void Game::Label9_Click() {
    if (Option1.Value) {
        Timer1.Interval = normalFall;
    } else if (Option2.Value) {
        Timer1.Interval = speedFall;
    }
    Ttime = textToNumber(Combo1.Text);
    showSettingsPanel(*this, false);
    lblPause_Click();
    lblNew_Click();
}

void Game::lblQuit_Click() {
    module1.Letters.clear();
    Unload();
}

}  // namespace runeshot
