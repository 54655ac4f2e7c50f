// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace runeshot {

struct SdlLibrary;

// A sound in the device's format, ready to be handed to it.
using DeviceSound = std::vector<std::uint8_t>;

// The game's WAV files, each read once and kept in the device's format for the life of the
// player. They are installed read-only beside the program, so a file is never looked at
// again once read, and one that could not be read stays unplayable.
class SoundFiles {
public:
    // Reads through the SDL functions that loadSdl gives.
    explicit SoundFiles(const SdlLibrary* (*loadSdl)()) : loadSdl_(loadSdl) {}

    // The whole sound, or nullptr if the file is missing, empty, truncated or not a WAV
    // file that can be converted. The sound stays where it is for as long as this lives.
    const DeviceSound* load(const std::string& path);

private:
    const SdlLibrary* (*const loadSdl_)();
    std::map<std::string, std::optional<DeviceSound>> kept_;
};

// The format every sound is converted to, and the device is opened in: the game's own
// files are made in it, so they reach the device untouched.
inline constexpr int deviceRate = 44100;
inline constexpr int deviceChannels = 1;
inline constexpr int deviceBytesPerFrame = 2;

}  // namespace runeshot
