// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "sound/sound_files.h"
#include "sound/sound_player.h"

namespace runeshot {

struct SdlLibrary;

// Plays the game's WAV files from the program's folder on one SDL audio device. A thread of
// the player's own reads the files, opens the device when there is something to play and
// closes it again after a while of quiet; the caller's thread only hands it file names.
// The player's thread hands each sound to SDL's device thread through one atomic slot, and
// SDL's callback never waits for anything. A quiet device costs the program no CPU: between
// sounds the player's thread holds SDL's device lock, so SDL's device thread sleeps on it,
// and once the device is closed there is no such thread. Without a sound device the game
// is silent, the default sound included.
class SdlSoundPlayer final : public SoundPlayer {
public:
    using Clock = std::chrono::steady_clock;

    // fallback plays the desktop's default sound in place of a file that cannot be played;
    // it is called on the player's thread. closeAfter is how long a quiet device stays
    // open. PulseAudio can take up to two seconds before it plays from a device just
    // opened, so the device outlasts the gaps of a game, a pause and the wait between two
    // games; while it is open the server keeps mixing for it, so a window left alone lets
    // it go.
    SdlSoundPlayer(std::string folder, std::function<void()> fallback,
                   Clock::duration closeAfter = std::chrono::seconds(30));
    ~SdlSoundPlayer() override;
    SdlSoundPlayer(const SdlSoundPlayer&) = delete;
    SdlSoundPlayer& operator=(const SdlSoundPlayer&) = delete;

    // Opens the device now, on the player's thread, so that a missing device is reported
    // at start-up and the first sound finds the sound system loaded. Without this, the
    // first play() does it.
    void open();
    void play(const std::string& fileName) override;

private:
    void run();
    bool openDevice();
    void closeDevice();
    bool playRequest(const std::string& name);
    void handOver(const DeviceSound* sound);
    void restIfQuiet();
    static void fillDevice(void* player, std::uint8_t* out, int length);
    void fill(std::uint8_t* out, std::size_t length);

    const std::string folder_;
    const std::function<void()> fallback_;
    const Clock::duration closeAfter_;

    // Used by the player's thread alone.
    SoundFiles files_;
    void* alsa_ = nullptr;
    const SdlLibrary* sdl_ = nullptr;
    bool sdlStarted_ = false;
    std::uint32_t device_ = 0;
    // Whether the player's thread holds SDL's device lock, which keeps a quiet device
    // asleep.
    bool resting_ = false;
    // When the device should have played all it was handed, its run of silence included.
    Clock::time_point busyUntil_;
    Clock::time_point quietSince_;

    // Used by the owner's thread alone.
    std::thread thread_;

    // Shared by the owner's thread and the player's.
    std::mutex mutex_;
    std::condition_variable work_;
    std::deque<std::string> requests_;
    bool stopping_ = false;
    bool silent_ = false;

    // The next sound for SDL's device thread, taken at the start of its next buffer.
    std::atomic<const DeviceSound*> next_{nullptr};
    // Set by SDL's device thread when it has played the last of its silence. A wake-up it
    // sends may be missed; the player's thread then looks at busyUntil_ all the same.
    std::atomic<bool> drained_{false};

    // Used by SDL's device thread while it runs, and by the player's thread while it holds
    // the device lock or the device is closed.
    const DeviceSound* playing_ = nullptr;
    std::size_t played_ = 0;
    const DeviceSound* fading_ = nullptr;
    std::size_t fadedFrom_ = 0;
    std::size_t fadeStep_ = 0;
    std::size_t tailLeft_ = 0;
};

}  // namespace runeshot
