// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "sound/device_feed.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "tests/sound/sound_test_support.h"

namespace runeshot {
namespace {

// A sound cut off by the next one is heard under it for this long: 5 ms.
constexpr std::size_t fadeFrames = deviceRate / 200;

DeviceSound deviceSound(const Samples& samples) {
    DeviceSound sound(samples.size() * deviceBytesPerFrame);
    std::memcpy(sound.data(), samples.data(), sound.size());
    return sound;
}

// What SDL's callback hands the device for `frames` frames, in buffers of `bufferFrames`.
// Each buffer starts out as noise, as SDL's may.
Samples play(DeviceFeed& feed, std::size_t frames, std::size_t bufferFrames = 512) {
    Samples out;
    while (out.size() < frames) {
        Samples buffer(std::min(bufferFrames, frames - out.size()), 12345);
        feed.fill(reinterpret_cast<std::uint8_t*>(buffer.data()),
                  buffer.size() * deviceBytesPerFrame);
        out.insert(out.end(), buffer.begin(), buffer.end());
    }
    return out;
}

// The output less the sound on top: what is heard of whatever plays under it.
std::vector<int> underneath(const Samples& out, std::size_t from, const Samples& onTop) {
    std::vector<int> rest;
    for (std::size_t i = 0; from + i < out.size(); ++i) {
        rest.push_back(out[from + i] - (i < onTop.size() ? onTop[i] : 0));
    }
    return rest;
}

bool fadesOutOver(const std::vector<int>& rest, std::size_t frames) {
    for (std::size_t i = 0; i < rest.size(); ++i) {
        if (i < frames ? rest[i] <= 0 || (i > 0 && rest[i] >= rest[i - 1]) : rest[i] != 0) {
            return false;
        }
    }
    return true;
}

TEST(DeviceFeed, aSoundPlaysWholeFromTheNextBufferAndSilenceAfterIt) {
    Samples ramp(1000);
    for (std::size_t i = 0; i < ramp.size(); ++i) ramp[i] = static_cast<std::int16_t>(i + 1);
    const DeviceSound sound = deviceSound(ramp);
    DeviceFeed feed;
    EXPECT_EQ(play(feed, 100), Samples(100, 0));

    feed.handOver(&sound);
    EXPECT_EQ(feed.framesLeft(), 1000u);
    const Samples out = play(feed, 1536);

    EXPECT_EQ(Samples(out.begin(), out.begin() + 1000), ramp);
    EXPECT_EQ(Samples(out.begin() + 1000, out.end()), Samples(536, 0));
    EXPECT_EQ(feed.framesLeft(), 0u);
}

TEST(DeviceFeed, aSoundCutByTheNextFadesOutUnderItsFirstFiveMilliseconds) {
    const Samples held(44100, 10000);
    const Samples next(4410, -1000);
    const DeviceSound first = deviceSound(held);
    const DeviceSound second = deviceSound(next);
    // In buffers shorter than the fade, which goes on from one to the next.
    for (const std::size_t buffer : {std::size_t{512}, std::size_t{64}}) {
        SCOPED_TRACE(buffer);
        DeviceFeed feed;
        feed.handOver(&first);
        play(feed, 300, buffer);
        feed.handOver(&second);
        const Samples out = play(feed, next.size() + 100, buffer);

        EXPECT_EQ(underneath(out, 0, next).front(), 10000 * 220 / 221);
        EXPECT_TRUE(fadesOutOver(underneath(out, 0, next), fadeFrames));
    }
}

TEST(DeviceFeed, aSoundEndingOrStoppedWhileItFadesEndsThere) {
    const DeviceSound shortOne = deviceSound(Samples(300, 10000));
    const DeviceSound held = deviceSound(Samples(44100, 10000));
    const DeviceSound nothing;
    const DeviceSound next = deviceSound(Samples(1000, -1000));
    DeviceFeed feed;

    // Ten frames of it were left when it was cut.
    feed.handOver(&shortOne);
    play(feed, 290);
    feed.handOver(&nothing);
    EXPECT_TRUE(fadesOutOver(underneath(play(feed, 512), 0, {}), 10));

    // An empty sound stops the one playing, which fades out, and plays nothing itself.
    feed.handOver(&held);
    play(feed, 100);
    feed.handOver(&nothing);
    EXPECT_TRUE(fadesOutOver(underneath(play(feed, 512), 0, {}), fadeFrames));

    // A device closed takes nothing with it to the next.
    feed.handOver(&held);
    play(feed, 100);
    feed.handOver(&next);
    play(feed, 10);
    feed.clear();
    EXPECT_EQ(feed.framesLeft(), 0u);
    EXPECT_EQ(play(feed, 512), Samples(512, 0));
}

TEST(DeviceFeed, twoLoudSoundsMixedAreClippedNotWrappedAround) {
    for (const std::int16_t level : {std::int16_t{30000}, std::int16_t{-30000}}) {
        SCOPED_TRACE(level);
        const DeviceSound first = deviceSound(Samples(44100, level));
        const DeviceSound second = deviceSound(Samples(4410, level));
        DeviceFeed feed;
        feed.handOver(&first);
        play(feed, 100);
        feed.handOver(&second);

        const Samples out = play(feed, 10);

        EXPECT_EQ(out, Samples(10, level > 0 ? 32767 : -32768));
    }
}

// The player closes a quiet device once nothing is left, so a cut sound's fade must count
// as well as the sound on top: closed sooner, the fade would end in a click.
TEST(DeviceFeed, whatIsLeftToPlayCountsTheFadeOfACutSound) {
    const DeviceSound held = deviceSound(Samples(44100, 10000));
    const DeviceSound blip = deviceSound(Samples(100, 1000));
    DeviceFeed feed;
    feed.handOver(&held);
    play(feed, 100);
    feed.handOver(&blip);

    for (std::size_t frame = 0; frame < 300; ++frame) {
        const std::size_t left = feed.framesLeft();
        const std::int16_t heard = play(feed, 1, 1).front();
        EXPECT_EQ(left > 0, heard != 0) << "frame " << frame;
    }
}

}  // namespace
}  // namespace runeshot
