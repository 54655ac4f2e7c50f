// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "game/sound_player.h"

namespace runeshot {

struct SdlLibrary;
const SdlLibrary* sdlLibrary();

// Plays the game's WAV files from the program's folder on one SDL audio device. A thread of
// the player's own reads the files, opens the device when a sound needs it and closes it
// after a short quiet; the caller's thread only hands it file names and never waits for
// it. While the device is open SDL's callback plays silence between sounds. A device that
// SDL reports lost, or that could not be opened, is opened again at a later sound, so sound
// returns when a sound server does.
class SdlSoundPlayer final : public SoundPlayer {
public:
    using Clock = std::chrono::steady_clock;
    // How long a quiet device stays open: longer than the gaps of a game at Normal, where
    // a letter lands about every four seconds, and short enough that an idle window soon
    // costs nothing.
    static constexpr Clock::duration defaultCloseAfter = std::chrono::seconds(5);

    // fallback plays the desktop's default sound in place of a file that cannot be played;
    // it is called on the player's thread. loadSdl gives the SDL functions the player calls.
    SdlSoundPlayer(std::string folder, std::function<void()> fallback,
                   Clock::duration closeAfter = defaultCloseAfter,
                   const SdlLibrary* (*loadSdl)() = sdlLibrary);
    // Waits for the player's thread only a moment: one held up by a hanging sound server is
    // left to end with the program.
    ~SdlSoundPlayer() override;
    SdlSoundPlayer(const SdlSoundPlayer&) = delete;
    SdlSoundPlayer& operator=(const SdlSoundPlayer&) = delete;

    // Loads SDL and opens the device now, on the player's thread, so that a missing device
    // is reported at start-up and the first sound finds SDL ready. Without this, the first
    // play() does it.
    void open();
    void play(const std::string& fileName) override;

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
    std::thread thread_;
};

}  // namespace runeshot
