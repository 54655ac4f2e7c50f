#include "sound/sdl_sound_player.h"

#include <utility>

namespace runeshot {

SdlSoundPlayer::SdlSoundPlayer(std::string folder) : folder_(std::move(folder)) {}

void SdlSoundPlayer::play(const std::string&) {}

}  // namespace runeshot
