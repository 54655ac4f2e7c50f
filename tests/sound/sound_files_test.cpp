// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numeric>
#include <set>

#include "assets/sounds/sound_recipes.h"
#include "assets/sounds/wav_file.h"
#include "tests/sound/sound_test_support.h"

namespace runeshot {
namespace {

const std::filesystem::path keptFolder = RUNESHOT_SOUND_SOURCE_DIR;

std::vector<std::uint8_t> fileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(GameSoundFiles, theKeptFilesAreWhatTheirRecipesMake) {
    constexpr std::size_t headerSize = 44;
    for (const GameSound& sound : makeGameSounds()) {
        SCOPED_TRACE(sound.fileName);
        const std::vector<std::uint8_t> kept = fileBytes(keptFolder / sound.fileName);
        const std::vector<std::uint8_t> made = encodeWav(sound.samples, gameSoundRate, 1);
        ASSERT_EQ(kept.size(), made.size());
        EXPECT_TRUE(std::equal(made.begin(), made.begin() + headerSize, kept.begin()));
        // Another maths library may round a last bit differently.
        const Samples keptSamples = wavSamples(keptFolder / sound.fileName);
        for (std::size_t i = 0; i < keptSamples.size(); ++i) {
            ASSERT_LE(std::abs(keptSamples[i] - sound.samples[i]), 1) << "sample " << i;
        }
    }
}

TEST(GameSoundFiles, eachSoundIsShortDistinctUnclippedAndBeginsAndEndsInSilence) {
    constexpr int fullScale = 32768;
    constexpr std::size_t quarterMillisecond = 11;
    std::set<Samples> distinct;
    for (const char* name : {"shooted.wav", "wrong.wav", "boing.wav", "theend.wav"}) {
        SCOPED_TRACE(name);
        SDL_AudioSpec spec;
        Uint8* buffer = nullptr;
        Uint32 length = 0;
        ASSERT_NE(SDL_LoadWAV((keptFolder / name).string().c_str(), &spec, &buffer, &length),
                  nullptr);
        SDL_FreeWAV(buffer);
        EXPECT_EQ(spec.freq, 44100);
        EXPECT_EQ(spec.channels, 1);
        EXPECT_EQ(spec.format, AUDIO_S16LSB);

        const Samples s = wavSamples(keptFolder / name);
        const double seconds = static_cast<double>(s.size()) / spec.freq;
        EXPECT_GE(seconds, 0.1);
        EXPECT_LE(seconds, 1.5);
        const int peak = std::accumulate(
            s.begin(), s.end(), 0, [](int m, std::int16_t v) { return std::max(m, std::abs(v)); });
        EXPECT_LT(peak, fullScale * 9 / 10);
        EXPECT_GT(peak, fullScale / 4);
        const double mean =
            std::accumulate(s.begin(), s.end(), 0.0) / static_cast<double>(s.size());
        EXPECT_LT(std::abs(mean), fullScale / 1000.0);
        // A sound that jumps out of silence or back into it clicks.
        const auto edgePeak = [](auto first, auto last) {
            return std::accumulate(first, last, 0,
                                   [](int m, std::int16_t v) { return std::max(m, std::abs(v)); });
        };
        EXPECT_LT(edgePeak(s.begin(), s.begin() + quarterMillisecond), fullScale / 20);
        EXPECT_LT(edgePeak(s.end() - quarterMillisecond, s.end()), fullScale / 20);
        distinct.insert(s);
    }
    EXPECT_EQ(distinct.size(), 4u);
}

}  // namespace
}  // namespace runeshot
