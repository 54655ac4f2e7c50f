// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "sound/device_feed.h"

#include <algorithm>
#include <cstring>

namespace runeshot {

namespace {

// A sound cut off by the next one fades out under it for 5 ms: stopped dead, it would
// leave the speaker with a jump as large as the sound itself, heard as a click.
constexpr std::size_t fadeFrames = deviceRate / 200;

std::size_t framesOf(const DeviceSound& sound) { return sound.size() / deviceBytesPerFrame; }

int sampleAt(const DeviceSound& sound, std::size_t frame) {
    std::int16_t sample;
    std::memcpy(&sample, sound.data() + frame * deviceBytesPerFrame, sizeof sample);
    return sample;
}

}  // namespace

std::size_t DeviceFeed::framesLeft() const {
    std::size_t left = 0;
    if (next_ != nullptr) left += framesOf(*next_);
    if (playing_ != nullptr) left += framesOf(*playing_) - played_;
    if (fading_ != nullptr) left += fadeFrames - fadeStep_;
    return left;
}

void DeviceFeed::fill(std::uint8_t* out, std::size_t length) {
    if (next_ != nullptr) {
        if (playing_ != nullptr) {
            fading_ = playing_;
            fadedFrom_ = played_;
            fadeStep_ = 0;
        }
        playing_ = next_->empty() ? nullptr : next_;
        played_ = 0;
        next_ = nullptr;
    }
    const std::size_t frames = length / deviceBytesPerFrame;
    std::size_t copied = 0;
    if (playing_ != nullptr) {
        copied = std::min(frames, framesOf(*playing_) - played_);
        std::memcpy(out, playing_->data() + played_ * deviceBytesPerFrame,
                    copied * deviceBytesPerFrame);
        played_ += copied;
        if (played_ == framesOf(*playing_)) playing_ = nullptr;
    }
    std::memset(out + copied * deviceBytesPerFrame, 0, (frames - copied) * deviceBytesPerFrame);
    for (std::size_t frame = 0; fading_ != nullptr && frame < frames; ++frame) {
        std::uint8_t* at = out + frame * deviceBytesPerFrame;
        std::int16_t sample;
        std::memcpy(&sample, at, sizeof sample);
        const int mixed = sample + sampleAt(*fading_, fadedFrom_ + fadeStep_) *
                                       static_cast<int>(fadeFrames - fadeStep_) /
                                       static_cast<int>(fadeFrames + 1);
        sample = static_cast<std::int16_t>(std::clamp(mixed, -32768, 32767));
        std::memcpy(at, &sample, sizeof sample);
        ++fadeStep_;
        if (fadeStep_ == fadeFrames || fadedFrom_ + fadeStep_ == framesOf(*fading_)) {
            fading_ = nullptr;
        }
    }
}

}  // namespace runeshot
