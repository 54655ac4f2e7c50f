// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace runeshot {

// A sound in the device's format, ready to be handed to it.
using DeviceSound = std::vector<std::uint8_t>;

// The game's WAV files, each read once and kept in the device's format for as long as the
// file stays the same: a file that is replaced, changed or removed while the game runs is
// read again, or found missing, the next time it is asked for. Asking costs one stat of the
// file when it has not changed.
class SoundFiles {
public:
    // The whole sound, or nothing if the file is missing, empty, truncated or not a WAV
    // file that can be converted.
    std::shared_ptr<const DeviceSound> load(const std::string& path);

private:
    struct Kept {
        struct stat seen;
        std::shared_ptr<const DeviceSound> sound;
    };

    std::map<std::string, Kept> kept_;
};

// The format every sound is converted to, and the device is opened in: the game's own
// files are made in it, so they reach the device untouched.
inline constexpr int deviceRate = 44100;
inline constexpr int deviceChannels = 1;
inline constexpr int deviceBytesPerFrame = 2;

}  // namespace runeshot
