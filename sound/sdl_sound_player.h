#pragma once

#include <string>

#include "sound/sound_player.h"

namespace runeshot {

// Plays the game's WAV files from the program's folder on SDL's audio device.
class SdlSoundPlayer final : public SoundPlayer {
public:
    explicit SdlSoundPlayer(std::string folder);
    void play(const std::string& fileName) override;

private:
    std::string folder_;
};

}  // namespace runeshot
