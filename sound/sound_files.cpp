// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "sound/sound_files.h"

#include <algorithm>

#include "sound/sdl_library.h"

namespace runeshot {

namespace {

std::shared_ptr<const DeviceSound> readSound(const std::string& path) {
    const SdlLibrary* sdl = sdlLibrary();
    if (sdl == nullptr) return nullptr;
    SDL_AudioSpec spec;
    Uint8* rawBuffer = nullptr;
    Uint32 length = 0;
    if (sdl->LoadWAV_RW(sdl->RWFromFile(path.c_str(), "rb"), 1, &spec, &rawBuffer, &length) ==
        nullptr) {
        return nullptr;
    }
    const std::unique_ptr<Uint8, decltype(sdl->FreeWAV)> buffer(rawBuffer, sdl->FreeWAV);

    // SDL 2.26's audio streams keep back the last few milliseconds of a resampled sound;
    // a one-shot conversion delivers all of it.
    SDL_AudioCVT conversion;
    if (sdl->BuildAudioCVT(&conversion, spec.format, spec.channels, spec.freq, AUDIO_S16SYS,
                          deviceChannels, deviceRate) < 0) {
        return nullptr;
    }
    auto sound = std::make_shared<DeviceSound>(static_cast<std::size_t>(length) *
                                               static_cast<std::size_t>(conversion.len_mult));
    std::copy_n(buffer.get(), length, sound->begin());
    if (conversion.needed == 0) {
        sound->resize(length);
        return sound;
    }
    conversion.buf = sound->data();
    conversion.len = static_cast<int>(length);
    if (sdl->ConvertAudio(&conversion) != 0) return nullptr;
    sound->resize(static_cast<std::size_t>(conversion.len_cvt));
    return sound;
}

// A file written again in place keeps its inode but not its change time; one renamed over
// the old keeps neither.
bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
           a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec &&
           a.st_ctim.tv_sec == b.st_ctim.tv_sec && a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
}

}  // namespace

std::shared_ptr<const DeviceSound> SoundFiles::load(const std::string& path) {
    struct stat now;
    if (stat(path.c_str(), &now) != 0) {
        kept_.erase(path);
        return nullptr;
    }
    const auto found = kept_.find(path);
    if (found != kept_.end() && sameFile(found->second.seen, now)) return found->second.sound;
    // A broken file is kept as broken until it changes, so that playing it again costs no
    // second read either.
    auto sound = readSound(path);
    kept_[path] = Kept{now, sound};
    return sound;
}

}  // namespace runeshot
