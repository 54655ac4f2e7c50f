// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "sound/sdl_sound_player.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <csignal>
#include <numbers>

#include "assets/sounds/wav_file.h"
#include "tests/sound/sound_test_support.h"

namespace runeshot {
namespace {

// Sounds no real recording looks like: every sample of the long one is positive and every
// sample of the short one negative, so the output shows exactly where one gives way to
// the other.
Samples longSound() {
    Samples s(88200);
    for (std::size_t i = 0; i < s.size(); ++i) s[i] = static_cast<std::int16_t>(1000 + i % 700);
    return s;
}

Samples shortSound() {
    Samples s(4410);
    for (std::size_t i = 0; i < s.size(); ++i)
        s[i] = static_cast<std::int16_t>(-1000 - int(i % 300));
    return s;
}

bool longSoundHasBegun(const Samples& output) {
    return std::count_if(output.begin(), output.end(), [](std::int16_t s) { return s > 0; }) >=
           2205;
}

TEST(SdlSoundPlayer, aNewSoundCutsTheOldOneOffAndPlaysWholeFromItsFirstSample) {
    ScratchFolder folder;
    folder.writeWav("long.wav", longSound());
    folder.writeWav("short.wav", shortSound());
    DiskAudio disk(folder.path() / "out.raw");
    std::atomic<int> fallbacks = 0;
    SdlSoundPlayer player(folder.path().string(), [&] { ++fallbacks; });
    player.open();

    player.play("long.wav");
    ASSERT_TRUE(disk.waitFor(longSoundHasBegun));
    player.play("short.wav");
    ASSERT_TRUE(disk.waitFor(endedInSilence));

    const Samples out = disk.samples();
    const std::size_t start = firstNonSilent(out);
    const std::size_t cut = matchingRun(out, start, longSound());
    EXPECT_GT(cut, 0u);
    EXPECT_LT(cut, longSound().size());
    EXPECT_EQ(matchingRun(out, start + cut, shortSound()), shortSound().size());
    EXPECT_EQ(firstNonSilent(out, start + cut + shortSound().size()), notFound);
    EXPECT_EQ(fallbacks, 0);
}

TEST(SdlSoundPlayer, aFileInAnotherFormatIsConvertedToTheDevicesRateAndChannels) {
    ScratchFolder folder;
    // A fifth of a second at 48 kHz, the same tone in both channels.
    Samples stereo;
    for (int i = 0; i < 9600; ++i) {
        const auto value = static_cast<std::int16_t>(
            std::lround(10000 * std::sin(2 * std::numbers::pi * 441 * i / 48000.0)));
        stereo.insert(stereo.end(), {value, value});
    }
    folder.writeWav("stereo48k.wav", stereo, 48000, 2);
    DiskAudio disk(folder.path() / "out.raw");
    SdlSoundPlayer player(folder.path().string(), [] {});

    player.play("stereo48k.wav");
    ASSERT_TRUE(disk.waitFor(endedInSilence));

    const Samples out = disk.samples();
    const std::size_t start = firstNonSilent(out);
    const auto last = std::find_if(out.rbegin(), out.rend(), [](std::int16_t s) { return s != 0; });
    const std::size_t heard = out.size() - static_cast<std::size_t>(last - out.rbegin()) - start;
    EXPECT_NEAR(static_cast<double>(heard), 8820.0, 60.0);
    const auto loudest = *std::max_element(out.begin(), out.end());
    EXPECT_NEAR(loudest, 10000, 500);
}

TEST(SdlSoundPlayer, aFileThatCannotBePlayedGetsTheDefaultSoundAndStillStopsTheOldOne) {
    ScratchFolder folder;
    folder.writeWav("long.wav", longSound());
    folder.writeWav("short.wav", shortSound());
    folder.write("empty.wav", {});
    std::vector<std::uint8_t> truncated = encodeWav(shortSound(), 44100, 1);
    truncated.resize(truncated.size() / 2);
    folder.write("truncated.wav", truncated);
    folder.write("text.wav", {'n', 'o', 't', ' ', 'a', ' ', 's', 'o', 'u', 'n', 'd', '\n'});
    DiskAudio disk(folder.path() / "out.raw");
    std::atomic<int> fallbacks = 0;
    SdlSoundPlayer player(folder.path().string(), [&] { ++fallbacks; });

    player.play("long.wav");
    ASSERT_TRUE(disk.waitFor(longSoundHasBegun));
    player.play("missing.wav");
    EXPECT_TRUE(eventually([&] { return fallbacks == 1; }));
    ASSERT_TRUE(disk.waitFor(endedInSilence));
    for (const char* broken : {"empty.wav", "truncated.wav", "text.wav"}) player.play(broken);
    EXPECT_TRUE(eventually([&] { return fallbacks == 4; }));
    player.play("short.wav");
    ASSERT_TRUE(disk.waitFor([](const Samples& out) {
        return endedInSilence(out) &&
               std::find(out.begin(), out.end(), shortSound()[0]) != out.end();
    }));

    // The long sound stops, nothing is heard of the broken files, and the next good one
    // plays whole.
    const Samples out = disk.samples();
    const std::size_t start = firstNonSilent(out);
    const std::size_t cut = matchingRun(out, start, longSound());
    EXPECT_LT(cut, longSound().size());
    const std::size_t next = firstNonSilent(out, start + cut);
    EXPECT_GT(next, start + cut);
    EXPECT_EQ(matchingRun(out, next, shortSound()), shortSound().size());
    EXPECT_EQ(firstNonSilent(out, next + shortSound().size()), notFound);
    EXPECT_EQ(fallbacks, 4);
}

TEST(SdlSoundPlayer, aFileReplacedOrRemovedWhileTheGameRunsIsNoticedTheNextTimeItIsPlayed) {
    ScratchFolder folder;
    folder.writeWav("shot.wav", shortSound());
    const auto scaled = [](int times, int parts) {
        Samples sound = shortSound();
        for (std::int16_t& s : sound) s = static_cast<std::int16_t>(s * times / parts);
        return sound;
    };
    const Samples louder = scaled(2, 1);
    const Samples softer = scaled(1, 2);
    DiskAudio disk(folder.path() / "out.raw");
    std::atomic<int> fallbacks = 0;
    SdlSoundPlayer player(folder.path().string(), [&] { ++fallbacks; });
    const auto heard = [&](const Samples& sound) {
        return disk.waitFor([&](const Samples& out) {
            return findSound(out, sound, sound.size()) != notFound && endedInSilence(out);
        });
    };

    player.play("shot.wav");
    ASSERT_TRUE(heard(shortSound()));
    // Written again in place at the same length: only the file's times tell the change.
    folder.writeWav("shot.wav", louder);
    player.play("shot.wav");
    EXPECT_TRUE(heard(louder));
    std::filesystem::remove(folder.path() / "shot.wav");
    player.play("shot.wav");
    EXPECT_TRUE(eventually([&] { return fallbacks == 1; }));
    folder.writeWav("shot.wav", softer);
    player.play("shot.wav");
    EXPECT_TRUE(heard(softer));
    EXPECT_EQ(fallbacks, 1);
}

TEST(SdlSoundPlayer, aSoundDeviceLeavesCtrlCAndTerminationRequestsToTheProgram) {
    ScratchFolder folder;
    folder.writeWav("short.wav", shortSound());
    DiskAudio disk(folder.path() / "out.raw");
    SdlSoundPlayer player(folder.path().string(), [] {});
    player.play("short.wav");
    // SDL sets its handlers as it starts, on the player's thread: look once it plays.
    ASSERT_TRUE(disk.waitFor([](const Samples& out) { return firstNonSilent(out) != notFound; }));

    for (const int signal : {SIGINT, SIGTERM}) {
        struct sigaction action {};
        sigaction(signal, nullptr, &action);
        EXPECT_EQ(action.sa_handler, SIG_DFL) << "signal " << signal;
    }
}

TEST(SdlSoundPlayer, withoutASoundDeviceTheGamePlaysOnSilentlyAfterOneLineOnStandardError) {
    ScratchFolder folder;
    folder.writeWav("short.wav", shortSound());
    folder.write("alsa.conf", {});
    int fallbacks = 0;
    const auto playTwice = [&] {
        SdlSoundPlayer player(folder.path().string(), [&] { ++fallbacks; });
        player.open();
        player.play("short.wav");
        player.play("missing.wav");
    };

    {
        ScopedEnv driver("SDL_AUDIODRIVER", "no-such-driver");
        const std::string said = standardErrorOf(folder.path(), playTwice);
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
        EXPECT_TRUE(said.ends_with('\n')) << said;
    }
    {
        // ALSA with no card to play on, as on a machine without sound hardware.
        ScopedEnv driver("SDL_AUDIODRIVER", "alsa");
        ScopedEnv config("ALSA_CONFIG_PATH", (folder.path() / "alsa.conf").string());
        const std::string said = standardErrorOf(folder.path(), playTwice);
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
        EXPECT_TRUE(said.ends_with('\n')) << said;
    }
    EXPECT_EQ(fallbacks, 0);
}

}  // namespace
}  // namespace runeshot
