// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>
#include <thread>

#include "sound/sdl_sound_player.h"
#include "tests/sound/sound_test_support.h"

namespace runeshot {
namespace {

using namespace std::chrono_literals;

// A fiftieth of a second, every sample negative, so that each playing of it stands out.
Samples blip() {
    Samples s(882);
    for (std::size_t i = 0; i < s.size(); ++i) s[i] = static_cast<std::int16_t>(-3000 - int(i));
    return s;
}

std::string readText(const std::filesystem::path& file) {
    std::ifstream in(file);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool sleepsThrough(pid_t thread, std::chrono::milliseconds span) {
    const auto before = contextSwitches(thread);
    std::this_thread::sleep_for(span);
    return before && contextSwitches(thread) == before;
}

class QuietDevice : public ::testing::Test {
protected:
    QuietDevice() { folder.writeWav("blip.wav", blip()); }

    bool heardWhole(int times) const {
        return disk.waitFor([&](const Samples& out) {
            return timesPlayedWhole(out, blip()) == times && endedInSilence(out);
        });
    }

    ScratchFolder folder;
    DiskAudio disk{folder.path() / "out.raw"};
};

TEST_F(QuietDevice, betweenSoundsTheDevicesThreadSleepsAndWritesNothingUntilTheNextSound) {
    SdlSoundPlayer player(folder.path().string(), [] {}, 1h);

    for (int round = 1; round <= 2; ++round) {
        player.play("blip.wav");
        ASSERT_TRUE(heardWhole(round));
        const std::optional<pid_t> thread = audioThread();
        ASSERT_TRUE(thread);
        // After a short run of silence it is switched out no more: no wake-ups at all.
        ASSERT_TRUE(eventually([&] { return sleepsThrough(*thread, 100ms); }));
        const std::size_t written = disk.samples().size();
        EXPECT_TRUE(sleepsThrough(*thread, 500ms));
        EXPECT_EQ(disk.samples().size(), written);
    }
}

TEST_F(QuietDevice, aDeviceQuietForItsWhileIsClosedAndTheNextSoundOpensItAgain) {
    SdlSoundPlayer player(folder.path().string(), [] {}, 200ms);
    player.open();
    // Opened at start, it closes by itself when nothing plays.
    ASSERT_TRUE(eventually([] { return audioThread().has_value(); }));
    ASSERT_TRUE(eventually([] { return !audioThread(); }));

    for (int round = 1; round <= 2; ++round) {
        player.play("blip.wav");
        EXPECT_TRUE(heardWhole(round));
        EXPECT_TRUE(eventually([] { return !audioThread(); }));
    }
}

TEST_F(QuietDevice, soundsAskedForAsTheDeviceClosesStillPlayWholeAndInTurn) {
    // Closed as soon as each sound's run of silence has played; the gaps step across that
    // moment, so that sounds meet the device open, closing and closed.
    SdlSoundPlayer player(folder.path().string(), [] {}, 0ms);
    int asked = 0;
    for (auto gap = 90ms; gap <= 170ms; gap += 6ms) {
        player.play("blip.wav");
        ++asked;
        std::this_thread::sleep_for(gap);
    }
    EXPECT_TRUE(heardWhole(asked));
}

TEST_F(QuietDevice, aDeviceThatCannotBeOpenedAgainLeavesTheGameSilentAfterOneLine) {
    std::atomic<int> fallbacks = 0;
    const std::string said = standardErrorOf(folder.path(), [&] {
        SdlSoundPlayer player(folder.path().string(), [&] { ++fallbacks; }, 0ms);
        player.play("blip.wav");
        ASSERT_TRUE(heardWhole(1));
        ASSERT_TRUE(eventually([] { return !audioThread(); }));
        ScopedEnv nowhere("SDL_DISKAUDIOFILE", (folder.path() / "gone" / "out.raw").string());
        player.play("blip.wav");
        ASSERT_TRUE(eventually([&] {
            return readText(folder.path() / "stderr.txt").find("runeshot:") != std::string::npos;
        }));
        for (const char* name : {"blip.wav", "missing.wav", "blip.wav"}) player.play(name);
    });

    // SDL's disk driver has its own say at each opening; the player speaks once.
    const auto lines = std::count(said.begin(), said.end(), '\n');
    const auto fromSdl = [&] {
        std::size_t n = 0;
        for (auto at = said.find("CRITICAL:"); at != std::string::npos;
             at = said.find("CRITICAL:", at + 1)) {
            ++n;
        }
        return static_cast<long>(n);
    }();
    EXPECT_EQ(lines - fromSdl, 1) << said;
    EXPECT_NE(said.find("runeshot: no sound device"), std::string::npos) << said;
    EXPECT_EQ(timesPlayedWhole(disk.samples(), blip()), 1);
    EXPECT_EQ(fallbacks, 0);
}

}  // namespace
}  // namespace runeshot
