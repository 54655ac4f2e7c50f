// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "sound/sound_files.h"

#include <algorithm>
#include <memory>

#include "sound/sdl_library.h"

namespace runeshot {

namespace {

std::optional<DeviceSound> readSound(const SdlLibrary* sdl, const std::string& path) {
    if (sdl == nullptr) return std::nullopt;
    SDL_AudioSpec spec;
    Uint8* rawBuffer = nullptr;
    Uint32 length = 0;
    if (sdl->LoadWAV_RW(sdl->RWFromFile(path.c_str(), "rb"), 1, &spec, &rawBuffer, &length) ==
        nullptr) {
        return std::nullopt;
    }
    const std::unique_ptr<Uint8, decltype(sdl->FreeWAV)> buffer(rawBuffer, sdl->FreeWAV);

    // SDL 2.26's audio streams keep back the last few milliseconds of a resampled sound;
    // a one-shot conversion delivers all of it.
    SDL_AudioCVT conversion;
    if (sdl->BuildAudioCVT(&conversion, spec.format, spec.channels, spec.freq, AUDIO_S16SYS,
                          deviceChannels, deviceRate) < 0) {
        return std::nullopt;
    }
    DeviceSound sound(static_cast<std::size_t>(length) *
                      static_cast<std::size_t>(conversion.len_mult));
    std::copy_n(buffer.get(), length, sound.begin());
    if (conversion.needed == 0) {
        sound.resize(length);
        return sound;
    }
    conversion.buf = sound.data();
    conversion.len = static_cast<int>(length);
    if (sdl->ConvertAudio(&conversion) != 0) return std::nullopt;
    sound.resize(static_cast<std::size_t>(conversion.len_cvt));
    return sound;
}

}  // namespace

const DeviceSound* SoundFiles::load(const std::string& path) {
    auto found = kept_.find(path);
    if (found == kept_.end()) found = kept_.emplace(path, readSound(loadSdl_(), path)).first;
    return found->second ? &*found->second : nullptr;
}

}  // namespace runeshot
