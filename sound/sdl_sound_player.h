// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "game/sound_player.h"
#include "sound/sound_clock.h"

namespace runeshot {

struct SdlLibrary;
const SdlLibrary* sdlLibrary();

// How long the sound player waits for what; the defaults are the program's.
struct SoundPlayerLimits {
    using duration = SoundClock::duration;
    // How long a quiet device stays open after its last sound. An open device wakes SDL's
    // thread every 6 ms, and the sound server's; one opened again on PulseAudio played its
    // first sound as soon as one kept open. Half a second keeps it open through a run of
    // quick keys and lets what SDL and the server still hold of a sound be heard; between
    // the misses of a game at Normal, about four seconds apart, it is closed.
    duration closeAfter = std::chrono::milliseconds(500);
    // PulseAudio opened a device in about 5 ms here, PipeWire in 6 to 60, and a sound that
    // opened one there was heard 40 to 110 ms after it was asked for, too late. A device on
    // PipeWire, or one that took longer than this to open, stays open for the longer quiet,
    // which spans the misses of a game at Normal.
    duration slowOpen = std::chrono::milliseconds(8);
    duration closeAfterSlowOpen = std::chrono::seconds(5);
    // A device that failed to open is tried again at a later sound, but not more often.
    duration retryAfter = std::chrono::seconds(1);
    // SDL's PipeWire backend never says that its server has gone, it only stops asking for
    // sound: a device there whose callback has not run for this long is taken for lost.
    // Other backends say so, and may ask in bursts (PulseAudio's null sink, seconds apart).
    duration stalledAfter = std::chrono::milliseconds(500);
    // How often the player's thread looks whether an open device has been lost.
    duration lookEvery = std::chrono::milliseconds(250);
    // How long the owner waits for the player's thread to finish when the program ends.
    duration stopWait = std::chrono::milliseconds(250);
};

// Plays the game's WAV files from the program's folder on one SDL audio device. A thread of
// the player's own reads the files, opens the device when a sound needs it and closes it
// after a short quiet; the caller's thread only hands it file names and never waits for
// it. While the device is open SDL's callback plays silence between sounds. A device that
// SDL reports lost, or that could not be opened, is opened again at a later sound, so sound
// returns when a sound server does.
class SdlSoundPlayer final : public SoundPlayer {
public:
    // fallback plays the desktop's default sound in place of a file that cannot be played;
    // it is called on the player's thread. The player's thread keeps the clock for as long
    // as it runs, which may be past the player's end. loadSdl gives the SDL functions the
    // player calls.
    SdlSoundPlayer(std::string folder, std::function<void()> fallback,
                   std::shared_ptr<SoundClock> clock, SoundPlayerLimits limits = {},
                   const SdlLibrary* (*loadSdl)() = sdlLibrary);
    // Waits for the player's thread only a moment: one held up by a hanging sound server is
    // left to end with the program.
    ~SdlSoundPlayer() override;
    SdlSoundPlayer(const SdlSoundPlayer&) = delete;
    SdlSoundPlayer& operator=(const SdlSoundPlayer&) = delete;

    // Loads SDL and opens the device now, on the player's thread, so that a missing device
    // is reported at start-up and the first sound finds SDL ready, or one slow to open is
    // open when a game starts. Without this, the first play() does it.
    void open() override;
    void play(const std::string& fileName) override;

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
    std::thread thread_;
};

}  // namespace runeshot
