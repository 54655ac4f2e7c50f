// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include <gtest/gtest.h>

#include <atomic>
#include <memory>

#include "game/game.h"
#include "sound/sdl_sound_player.h"
#include "tests/sound/sound_test_support.h"

namespace runeshot {
namespace {

// The WAV files as the build places them beside the program.
const std::filesystem::path programFolder = RUNESHOT_PROGRAM_DIR;
// A twentieth of a second of a sound is enough to know it from the others.
constexpr std::size_t recognisable = 2205;

TEST(GameSound, aHitAndAWrongKeyAreEachHeardFromTheProgramsFolder) {
    ScratchFolder scratch;
    DiskAudio disk(scratch.path() / "out.raw");
    std::atomic<int> fallbacks = 0;
    SdlSoundPlayer player(programFolder.string(), [&] { ++fallbacks; },
                          std::make_shared<SteadySoundClock>());
    Lcg24 random;
    Game game(random, player);
    game.Form_Load();
    const Samples shot = wavSamples(programFolder / "shooted.wav");
    const Samples buzzer = wavSamples(programFolder / "wrong.wav");
    ASSERT_GT(shot.size(), recognisable);
    ASSERT_GT(buzzer.size(), recognisable);

    game.Text1_KeyPress(game.Label1.Caption[0]);
    ASSERT_TRUE(disk.waitFor(
        [&](const Samples& out) { return findSound(out, shot, recognisable) != notFound; }));
    // No letter of the game is a digit. The hit, still playing, fades out under the buzzer's
    // first milliseconds.
    game.Text1_KeyPress('7');
    const Samples buzzerAfterItsStart(buzzer.begin() + 441, buzzer.end());
    ASSERT_TRUE(disk.waitFor([&](const Samples& out) {
        return findSound(out, buzzerAfterItsStart, recognisable) != notFound;
    }));

    EXPECT_EQ(game.Shooted, 1);
    EXPECT_EQ(fallbacks, 0);
}

TEST(GameSound, withTheSoundFilesGoneTheGameCountsAsBeforeAndPlaysTheDefaultSound) {
    ScratchFolder emptyFolder;
    DiskAudio disk(emptyFolder.path() / "out.raw");
    std::atomic<int> fallbacks = 0;
    SdlSoundPlayer player(emptyFolder.path().string(), [&] { ++fallbacks; },
                          std::make_shared<SteadySoundClock>());
    Lcg24 random;
    Game game(random, player);
    game.Form_Load();

    game.Text1_KeyPress(game.Label1.Caption[0]);
    game.Text1_KeyPress('7');

    EXPECT_EQ(game.Shooted, 1);
    EXPECT_EQ(game.lblShooted.Caption, "1");
    EXPECT_EQ(game.Missed, 0);
    EXPECT_TRUE(eventually([&] { return fallbacks == 2; }));
}

}  // namespace
}  // namespace runeshot
