#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <thread>

#include "sound/sound_player.h"

namespace runeshot {

// Plays the game's WAV files from the program's folder on one SDL audio device, opened
// once. Each file is read when it is played, so a sound replaced or removed while the
// game runs is noticed the next time it is played. Without a sound device the game is
// silent, the default sound included.
class SdlSoundPlayer final : public SoundPlayer {
public:
    // fallback plays the desktop's default sound in place of a file that cannot be played.
    SdlSoundPlayer(std::string folder, std::function<void()> fallback);
    ~SdlSoundPlayer() override;
    SdlSoundPlayer(const SdlSoundPlayer&) = delete;
    SdlSoundPlayer& operator=(const SdlSoundPlayer&) = delete;

    // Opens the device on a thread of its own, so that the window does not wait for the
    // sound server. Call it at start-up: a sound server can take a second or two before
    // it plays from a new device. Without this, the first play() opens it.
    void open();
    void play(const std::string& fileName) override;

private:
    void openDevice();
    void waitForDevice();

    std::string folder_;
    std::function<void()> fallback_;
    std::thread opener_;
    bool opening_ = false;
    void* alsa_ = nullptr;
    std::uint32_t device_ = 0;
};

}  // namespace runeshot
