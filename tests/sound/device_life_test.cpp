// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <utility>

#include "sound/sdl_library.h"
#include "sound/sdl_sound_player.h"
#include "tests/sound/manual_sound_clock.h"
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

// SDL as the player sees it, with the device's misfortunes at the test's command: an
// opening refused, a device reported lost, a device that stops calling for sound as
// PipeWire's do when their server goes, something done as the device is being closed.
struct Misfortunes {
    static inline std::atomic<bool> refuseOpening{false};
    static inline std::atomic<int> openings{0};
    // Openings are counted from 1; 0 for none. SDL gives a closed device's number to the
    // next one, so a device is known by its opening.
    static inline std::atomic<int> lastOpened{0};
    static inline std::atomic<int> lostOpening{0};
    static inline std::array<std::atomic<int>, 64> openingOfDevice{};
    static inline std::atomic<int> stalledOpening{0};
    static inline std::atomic<int> stalledFills{0};
    static inline const char* driverName = "pipewire";
    static inline std::function<void()> whileOpening;
    static inline std::function<void()> whileClosing;
    struct Opening {
        SDL_AudioCallback callback;
        void* player;
        int number;
    };
    static inline std::array<Opening, 16> opened{};

    Misfortunes() {
        refuseOpening = false;
        openings = 0;
        lostOpening = 0;
        stalledOpening = 0;
        stalledFills = 0;
        driverName = "pipewire";
        whileOpening = nullptr;
        whileClosing = nullptr;
    }

    // The player's callback, unless the device has stalled; then silence.
    static void fill(void* opening, Uint8* out, int length) {
        const auto* o = static_cast<const Opening*>(opening);
        if (o->number == stalledOpening) {
            std::fill_n(out, length, Uint8{0});
            ++stalledFills;
        } else {
            o->callback(o->player, out, length);
        }
    }
    static SDL_AudioDeviceID open(const char* name, int capture, const SDL_AudioSpec* wanted,
                                  SDL_AudioSpec* got, int changes) {
        const int number = ++openings;
        if (whileOpening) std::exchange(whileOpening, nullptr)();
        if (refuseOpening) return 0;
        Opening& opening = opened.at(static_cast<std::size_t>(number));
        opening = {wanted->callback, wanted->userdata, number};
        SDL_AudioSpec passed = *wanted;
        passed.callback = fill;
        passed.userdata = &opening;
        const SDL_AudioDeviceID device =
            sdlLibrary()->OpenAudioDevice(name, capture, &passed, got, changes);
        openingOfDevice.at(device) = number;
        lastOpened = number;
        return device;
    }
    static SDL_AudioStatus status(SDL_AudioDeviceID device) {
        return openingOfDevice.at(device) == lostOpening ? SDL_AUDIO_STOPPED
                                                         : sdlLibrary()->GetAudioDeviceStatus(device);
    }
    static const char* driver() { return driverName; }
    static void close(SDL_AudioDeviceID device) {
        if (whileClosing) std::exchange(whileClosing, nullptr)();
        sdlLibrary()->CloseAudioDevice(device);
    }
    static const SdlLibrary* library() {
        static const SdlLibrary troubled = sdlChangedBy([](SdlLibrary& sdl) {
            sdl.OpenAudioDevice = open;
            sdl.GetAudioDeviceStatus = status;
            sdl.CloseAudioDevice = close;
            sdl.GetCurrentAudioDriver = driver;
        });
        return &troubled;
    }
};

// Each player runs on a clock that the test moves: a device closes, is tried again or is
// taken for lost exactly when its time has come, and the test waits on the wall clock only
// for SDL's own threads.
class DeviceLife : public ::testing::Test {
protected:
    DeviceLife() { folder.writeWav("blip.wav", blip()); }

    bool heardWhole(int times) const {
        return disk.waitFor([&](const Samples& out) {
            return timesPlayedWhole(out, blip()) == times && endedInSilence(out);
        });
    }

    static SoundPlayerLimits closingAfter(SoundClock::duration quiet) {
        SoundPlayerLimits limits;
        limits.closeAfter = quiet;
        limits.closeAfterSlowOpen = quiet;
        return limits;
    }

    const SoundPlayerLimits limits;
    const std::shared_ptr<ManualSoundClock> clock = std::make_shared<ManualSoundClock>();
    ScratchFolder folder;
    DiskAudio disk{folder.path() / "out.raw"};
    Misfortunes misfortunes;
};

// A twentieth of a second, more than the blip lasts.
constexpr auto blipLength = 50ms;

TEST_F(DeviceLife, aDeviceQuietForItsWhileIsClosedAndTheNextSoundOpensItAgain) {
    SdlSoundPlayer player(folder.path().string(), [] {}, clock, limits);
    player.open();
    // Opened at start, it closes by itself when nothing plays, and not before.
    ASSERT_TRUE(clock->waitUntilIdle());
    // SDL's thread names itself once it runs.
    ASSERT_TRUE(eventually([] { return audioThread().has_value(); }));
    clock->advance(limits.closeAfter - 1ms);
    ASSERT_TRUE(clock->waitUntilIdle());
    EXPECT_TRUE(audioThread().has_value());
    clock->advance(1ms);
    ASSERT_TRUE(eventually([] { return !audioThread(); }));

    for (int round = 1; round <= 2; ++round) {
        player.play("blip.wav");
        EXPECT_TRUE(heardWhole(round));
        // Quiet for its while counts from the end of the sound.
        clock->advance(limits.closeAfter);
        ASSERT_TRUE(clock->waitUntilIdle());
        EXPECT_TRUE(audioThread().has_value());
        clock->advance(blipLength);
        EXPECT_TRUE(eventually([] { return !audioThread(); }));
    }
}

TEST_F(DeviceLife, aDeviceSlowToOpenOrOnPipeWireStaysOpenForTheLongerQuiet) {
    // The clock jumps further than a device may stall.
    SoundPlayerLimits neverStalled = limits;
    neverStalled.stalledAfter = SoundClock::duration::max();
    const auto staysOpenForTheLongerQuiet = [&](int round) {
        SdlSoundPlayer player(folder.path().string(), [] {}, clock, neverStalled,
                              Misfortunes::library);
        player.play("blip.wav");
        ASSERT_TRUE(heardWhole(round));
        clock->advance(blipLength + limits.closeAfter);
        ASSERT_TRUE(clock->waitUntilIdle());
        EXPECT_TRUE(audioThread().has_value());
        clock->advance(limits.closeAfterSlowOpen - limits.closeAfter);
        EXPECT_TRUE(eventually([] { return !audioThread(); }));
    };
    Misfortunes::driverName = "pulseaudio";
    Misfortunes::whileOpening = [&] { clock->advance(limits.slowOpen + 1ms); };
    staysOpenForTheLongerQuiet(1);
    Misfortunes::driverName = "pipewire";
    staysOpenForTheLongerQuiet(2);
}

TEST_F(DeviceLife, aSoundAskedForWhileTheDeviceIsBeingClosedPlaysWholeOnTheNextDevice) {
    SdlSoundPlayer player(folder.path().string(), [] {}, clock, closingAfter(0ms),
                          Misfortunes::library);
    Misfortunes::whileClosing = [&] { player.play("blip.wav"); };

    player.play("blip.wav");
    ASSERT_TRUE(heardWhole(1));
    clock->advance(blipLength);

    EXPECT_TRUE(heardWhole(2));
    EXPECT_EQ(Misfortunes::openings, 2);
}

TEST_F(DeviceLife, aDeviceReportedLostIsReplacedAndTheNextSoundIsHeardWhole) {
    std::atomic<int> fallbacks = 0;
    SdlSoundPlayer player(folder.path().string(), [&] { ++fallbacks; }, clock, limits,
                          Misfortunes::library);
    player.play("blip.wav");
    ASSERT_TRUE(heardWhole(1));

    Misfortunes::lostOpening = Misfortunes::lastOpened.load();
    player.play("blip.wav");

    EXPECT_TRUE(heardWhole(2));
    EXPECT_EQ(Misfortunes::openings, 2);
    EXPECT_EQ(fallbacks, 0);
}

TEST_F(DeviceLife, aDeviceThatStopsCallingForSoundIsReplacedAndTheNextSoundIsHeardWhole) {
    SdlSoundPlayer player(folder.path().string(), [] {}, clock, limits, Misfortunes::library);
    player.play("blip.wav");
    ASSERT_TRUE(heardWhole(1));

    Misfortunes::stalledOpening = 1;
    // SDL's thread has stopped calling the player once it has filled a buffer without it.
    ASSERT_TRUE(eventually([] { return Misfortunes::stalledFills > 0; }));
    clock->advance(limits.stalledAfter);
    ASSERT_TRUE(clock->waitUntilIdle());
    EXPECT_EQ(Misfortunes::openings, 1) << "a device taken for lost while it still works";
    clock->advance(1ms);
    player.play("blip.wav");

    EXPECT_TRUE(heardWhole(2));
    EXPECT_EQ(Misfortunes::openings, 2);
}

TEST_F(DeviceLife, aDeviceThatCannotBeOpenedIsTriedAgainAtMostOnceASecondAndSaidOncePerLoss) {
    std::atomic<int> fallbacks = 0;
    Misfortunes::refuseOpening = true;
    const std::string said = standardErrorOf(folder.path(), [&] {
        SdlSoundPlayer player(folder.path().string(), [&] { ++fallbacks; }, clock, limits,
                              Misfortunes::library);
        // Keys every tenth of a second: a second after the first try, the next.
        for (int key = 0; key <= 10; ++key) {
            player.play("blip.wav");
            player.play("missing.wav");
            ASSERT_TRUE(clock->waitUntilIdle());
            EXPECT_EQ(Misfortunes::openings, key < 10 ? 1 : 2) << "key " << key;
            clock->advance(limits.retryAfter / 10);
        }
        EXPECT_EQ(timesPlayedWhole(disk.samples(), blip()), 0);

        Misfortunes::refuseOpening = false;
        clock->advance(limits.retryAfter);
        player.play("blip.wav");
        ASSERT_TRUE(heardWhole(1));
        // Lost again, and not found again: said a second time.
        Misfortunes::refuseOpening = true;
        Misfortunes::lostOpening = Misfortunes::lastOpened.load();
        player.play("blip.wav");
        ASSERT_TRUE(clock->waitUntilIdle());
        EXPECT_EQ(Misfortunes::openings, 4);
    });

    // SDL's disk driver has its own say at each opening; the player speaks once per loss.
    std::size_t lines = 0;
    for (auto at = said.find("runeshot: no sound device"); at != std::string::npos;
         at = said.find("runeshot:", at + 1)) {
        ++lines;
    }
    EXPECT_EQ(lines, 2u) << said;
    // The default sound is a sound too: not played while there is no device.
    EXPECT_EQ(fallbacks, 0);
}

}  // namespace
}  // namespace runeshot
