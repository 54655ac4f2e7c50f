// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "sound/sdl_sound_player.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <memory>
#include <numbers>
#include <vector>
#include <string>

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

// A sound cut off fades out within this, ten milliseconds.
constexpr std::size_t fadeLimit = 441;

// How many samples from `from` on are still mixed with something before the output is
// `sound` alone.
std::size_t mixedRun(const Samples& output, std::size_t from, const Samples& sound) {
    std::size_t n = 0;
    while (from + n < output.size() && n < sound.size() && output[from + n] != sound[n]) ++n;
    return n;
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
    SdlSoundPlayer player(folder.path().string(), [&] { ++fallbacks; },
                          std::make_shared<SteadySoundClock>());
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
    // The long sound goes on under the short one's first milliseconds, ever softer, and then
    // the short one plays on alone to its end.
    const Samples first = longSound();
    const Samples second = shortSound();
    const std::size_t mixed = mixedRun(out, start + cut, second);
    EXPECT_LE(mixed, fadeLimit);
    for (std::size_t i = 0; i < mixed; ++i) {
        const int underneath = out[start + cut + i] - second[i];
        EXPECT_GT(underneath, 0) << "sample " << i;
        EXPECT_LE(underneath, first[cut + i]) << "sample " << i;
    }
    const Samples rest(second.begin() + static_cast<std::ptrdiff_t>(mixed), second.end());
    EXPECT_EQ(matchingRun(out, start + cut + mixed, rest), rest.size());
    EXPECT_EQ(firstNonSilent(out, start + cut + shortSound().size()), notFound);
    EXPECT_EQ(fallbacks, 0);
}

// A steady level reached from silence within a millisecond and left the same way, like
// the loud middle of a real sound.
Samples heldLevel(int level, std::size_t length) {
    constexpr int rampLength = 44;
    Samples s(length);
    for (std::size_t i = 0; i < length; ++i) {
        const auto edge = static_cast<int>(std::min({i + 1, length - i, std::size_t{rampLength}}));
        s[i] = static_cast<std::int16_t>(level * edge / rampLength);
    }
    return s;
}

// The largest difference between neighbouring samples, silence before and after included.
int largestStep(const Samples& samples) {
    int largest = 0;
    std::int16_t before = 0;
    for (const std::int16_t s : samples) {
        largest = std::max(largest, std::abs(s - before));
        before = s;
    }
    return std::max(largest, std::abs(int{before}));
}

TEST(SdlSoundPlayer, aSoundCutByTheNextMakesNoJumpLargerThanTheTwoSoundsOwnSteps) {
    ScratchFolder folder;
    const Samples high = heldLevel(16000, 88200);
    const Samples low = heldLevel(-16000, 4410);
    folder.writeWav("high.wav", high);
    folder.writeWav("low.wav", low);
    DiskAudio disk(folder.path() / "out.raw");
    SdlSoundPlayer player(folder.path().string(), [] {},
                          std::make_shared<SteadySoundClock>());
    player.open();

    player.play("high.wav");
    ASSERT_TRUE(disk.waitFor(longSoundHasBegun));
    player.play("low.wav");
    ASSERT_TRUE(disk.waitFor([&](const Samples& out) {
        return endedInSilence(out) && std::find(out.begin(), out.end(), low[2000]) != out.end();
    }));

    // Mixed, the two sounds' steps may add up; anything beyond is a click.
    EXPECT_LE(largestStep(disk.samples()), largestStep(high) + largestStep(low));
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
    SdlSoundPlayer player(folder.path().string(), [] {},
                          std::make_shared<SteadySoundClock>());

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
    SdlSoundPlayer player(folder.path().string(), [&] { ++fallbacks; },
                          std::make_shared<SteadySoundClock>());

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

    // The long sound stops, fading out, nothing is heard of the broken files, and the next
    // good one plays whole.
    const Samples out = disk.samples();
    const std::size_t start = firstNonSilent(out);
    const std::size_t cut = matchingRun(out, start, longSound());
    EXPECT_LT(cut, longSound().size());
    const std::size_t faded = mixedRun(out, start + cut, Samples(fadeLimit + 1));
    EXPECT_LE(faded, fadeLimit);
    const std::size_t next = firstNonSilent(out, start + cut + faded);
    EXPECT_GT(next, start + cut + faded);
    EXPECT_EQ(matchingRun(out, next, shortSound()), shortSound().size());
    EXPECT_EQ(firstNonSilent(out, next + shortSound().size()), notFound);
    EXPECT_EQ(fallbacks, 4);
}

TEST(SdlSoundPlayer, aFileIsReadOnceAndPlaysTheSameWhenItIsChangedOrRemovedLater) {
    ScratchFolder folder;
    folder.writeWav("shot.wav", shortSound());
    Samples louder = shortSound();
    for (std::int16_t& s : louder) s = static_cast<std::int16_t>(s * 2);
    DiskAudio disk(folder.path() / "out.raw");
    std::atomic<int> fallbacks = 0;
    SdlSoundPlayer player(folder.path().string(), [&] { ++fallbacks; },
                          std::make_shared<SteadySoundClock>());
    const auto heardWhole = [&](int times) {
        return disk.waitFor([&](const Samples& out) {
            return timesPlayedWhole(out, shortSound()) == times && endedInSilence(out);
        });
    };

    player.play("shot.wav");
    ASSERT_TRUE(heardWhole(1));
    // Written again in place at the same length, then gone.
    folder.writeWav("shot.wav", louder);
    player.play("shot.wav");
    EXPECT_TRUE(heardWhole(2));
    std::filesystem::remove(folder.path() / "shot.wav");
    player.play("shot.wav");
    EXPECT_TRUE(heardWhole(3));
    EXPECT_EQ(findSound(disk.samples(), louder, louder.size()), notFound);
    EXPECT_EQ(fallbacks, 0);
}

TEST(SdlSoundPlayer, aSoundDeviceLeavesCtrlCAndTerminationRequestsToTheProgram) {
    ScratchFolder folder;
    folder.writeWav("short.wav", shortSound());
    DiskAudio disk(folder.path() / "out.raw");
    SdlSoundPlayer player(folder.path().string(), [] {},
                          std::make_shared<SteadySoundClock>());
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
        SdlSoundPlayer player(folder.path().string(), [&] { ++fallbacks; },
                              std::make_shared<SteadySoundClock>());
        player.open();
        player.play("short.wav");
        player.play("missing.wav");
        // The player drops what it was asked for once its owner is gone: look before.
        ASSERT_TRUE(eventually(
            [&] { return readText(folder.path() / "stderr.txt").find('\n') != std::string::npos; }));
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

// SDL as started on a desktop whose default driver is PulseAudio, with or without a
// PipeWire that has a sink; it opens no device, and remembers which drivers it was asked for.
struct DriverChoice {
    static inline std::vector<std::string> asked;
    static inline bool pipeWireHasSink = false;
    static inline std::atomic<int> openings{0};

    static int init(Uint32) { return 0; }
    static int audioInit(const char* name) {
        asked.emplace_back(name != nullptr ? name : "default");
        return 0;
    }
    static const char* driver() { return "pulseaudio"; }
    static int defaultSink(char** name, SDL_AudioSpec*, int) {
        *name = nullptr;
        return pipeWireHasSink ? 0 : -1;
    }
    static SDL_AudioDeviceID open(const char*, int, const SDL_AudioSpec*, SDL_AudioSpec*, int) {
        ++openings;
        return 0;
    }
    static const SdlLibrary* library() {
        static const SdlLibrary chosen = sdlChangedBy([](SdlLibrary& sdl) {
            sdl.Init = init;
            sdl.AudioInit = audioInit;
            sdl.GetCurrentAudioDriver = driver;
            sdl.GetDefaultAudioInfo = defaultSink;
            sdl.OpenAudioDevice = open;
        });
        return &chosen;
    }

    static std::vector<std::string> driversAskedFor(bool hasSink) {
        ScratchFolder folder;
        asked.clear();
        pipeWireHasSink = hasSink;
        openings = 0;
        standardErrorOf(folder.path(), [&] {
            SdlSoundPlayer player(folder.path().string(), [] {},
                                  std::make_shared<SteadySoundClock>(), {}, library);
            player.open();
            EXPECT_TRUE(eventually([] { return openings > 0; }));
        });
        return asked;
    }
};

TEST(SdlSoundPlayer, playsToPipeWireItselfWhereItHasASinkUnlessTheUserNamedADriver) {
    unsetenv("SDL_AUDIODRIVER");
    EXPECT_EQ(DriverChoice::driversAskedFor(true), std::vector<std::string>{"pipewire"});
    EXPECT_EQ(DriverChoice::driversAskedFor(false),
              (std::vector<std::string>{"pipewire", "default"}));
    const ScopedEnv named("SDL_AUDIODRIVER", "pulseaudio");
    EXPECT_EQ(DriverChoice::driversAskedFor(true), std::vector<std::string>{});
}

}  // namespace
}  // namespace runeshot
