// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <string>

#include "game/module1.h"
#include "game/random_source.h"
#include "game/sound_player.h"
#include "shell/form1.h"
#include "shell/form_events.h"

namespace runeshot {

// The form with its code: every handler and procedure of the game. Each file of game/
// holds one subject: dealing letters, the fall, key judging, the countdown, pause,
// settings.
class Game final : public Form1, public FormEvents {
public:
    Game(RandomSource& random, SoundPlayer& sound) : random_(random), sound_(sound) {}

    Module1 module1;

    void Form_Load() override;
    void lblNew_Click() override;
    void Timer1_Timer() override;
    void Timer2_Timer() override;
    void Text1_KeyPress(int KeyAscii) override;
    void Timer3_Timer() override;
    void lblPause_Click() override;
    void lblSettings_Click() override;
    void Label9_Click() override;
    void Label10_Click() override;
    void lblQuit_Click() override;

    void RandomLeft();
    void RandomLetter();
    void NewLetter();
    void ShowTimeOver();
    void PlaySound(const std::string& name) { sound_.play(name); }

private:
    // A miss pause that a pause or a time over held back. Once released it finishes before
    // the letter falls again, so the red letter is never stepped on and counted a second
    // time.
    enum class HeldMissPause { none, held, released };
    HeldMissPause heldMissPause_ = HeldMissPause::none;
    void holdMissPause();
    void releaseHeldMissPause();
    RandomSource& random_;
    SoundPlayer& sound_;
};

}  // namespace runeshot
