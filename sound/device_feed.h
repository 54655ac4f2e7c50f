// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <cstddef>
#include <cstdint>

#include "sound/sound_files.h"

namespace runeshot {

// What an open device plays, one buffer at a time: the sound handed over last, the sound it
// cut off fading out under its first milliseconds, and silence. Used under SDL's device
// lock (or with the device closed): SDL's callback fills, the player's thread hands over.
class DeviceFeed {
public:
    // Starts at the next buffer. An empty sound stops the one playing and plays nothing.
    void handOver(const DeviceSound* sound) { next_ = sound; }
    // Frames still to be played of everything handed over; 0 once the device plays silence.
    std::size_t framesLeft() const;
    void fill(std::uint8_t* out, std::size_t length);
    // Forgets everything, as a device closed in the middle of a sound must.
    void clear() { *this = DeviceFeed(); }

private:
    const DeviceSound* next_ = nullptr;
    const DeviceSound* playing_ = nullptr;
    std::size_t played_ = 0;
    const DeviceSound* fading_ = nullptr;
    std::size_t fadedFrom_ = 0;
    std::size_t fadeStep_ = 0;
};

}  // namespace runeshot
