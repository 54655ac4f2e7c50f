// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

// A day of play at the fast speed on the virtual clock: random right and wrong keys, pauses,
// new games and settings. The status bar must show the game's own counts throughout, a right
// key must always score, and nothing the game keeps may grow.
#include <malloc.h>

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <random>
#include <string>

#include "game/game.h"
#include "shell/event_dispatcher.h"
#include "shell/number_text.h"
#include "testing/fakes.h"
#include "tests/core/drive.h"

namespace runeshot {
namespace {

::testing::AssertionResult statusBarShowsTheCounts(const Game& game) {
    if (game.lblShooted.Caption != std::to_string(game.Shooted)) {
        return ::testing::AssertionFailure()
               << "hits shown " << game.lblShooted.Caption << ", held " << game.Shooted;
    }
    if (game.lblMissed.Caption != numberToText(game.Missed, game.DecimalSeparator)) {
        return ::testing::AssertionFailure()
               << "misses shown " << game.lblMissed.Caption << ", held " << game.Missed;
    }
    return ::testing::AssertionSuccess();
}

TEST(Soak, ADayAtSpeedKeepsTheStatusBarTrueAndMemoryFlat) {
    Lcg24 random;
    // Records nothing: a day of sounds kept in a list would be the growth this test looks for.
    testing::SilentSound sound;
    Game game(random, sound);
    testing::FixedTextMeasure measure;
    EventDispatcher events(game, measure);
    events.load();
    const auto now = [&game] { return game.scheduler.now(); };
    const auto click = [&](const Label& label) { testing::click(game, events, measure, label); };
    const auto idle = [&](Millis ms) { testing::runClockTo(game, events, now() + ms); };
    const auto type = [&](int KeyAscii) { events.handle(now(), inputs::Key{KeyAscii}); };

    const auto chooseSettings = [&](std::mt19937& chooser) {
        static const std::array<const char*, 5> lengths{"100", "200", "300", "30", "12.5"};
        click(game.lblSettings);
        ASSERT_TRUE(game.Frame1.Visible);
        events.handle(now(), inputs::SpeedChosen{true});
        events.handle(now(), inputs::LengthText{lengths[chooser() % lengths.size()]});
        click(chooser() % 4 == 0 ? game.Label10 : game.Label9);
        ASSERT_FALSE(game.Frame1.Visible);
    };

    std::mt19937 chooser(20240607);
    chooseSettings(chooser);
    ASSERT_EQ(game.Timer1.Interval, 100);
    ASSERT_TRUE(game.Timer1.Enabled);

    constexpr Millis day = 24LL * 60 * 60 * 1000;
    long long hitsScored = 0, stepsWithAMiss = 0, games = 0;
    std::size_t heapAtNoon = 0;
    bool noonPassed = false;
    while (now() < day) {
        if (!noonPassed && now() >= day / 2) {
            noonPassed = true;
            heapAtNoon = mallinfo2().uordblks;
        }
        const unsigned action = chooser() % 21;
        if (action < 10 || action == 20) {
            // Now and then the player looks away for up to two minutes and misses a run.
            const double missedBefore = game.Missed;
            idle(chooser() % (action == 20 ? 120000 : 2000));
            if (game.Missed > missedBefore) stepsWithAMiss += 1;
        } else if (action < 15) {
            if (game.Text1.Enabled) {
                const long long before = game.Shooted;
                type(static_cast<unsigned char>(game.Label1.Caption.at(0)));
                ASSERT_EQ(game.Shooted, before + 1) << "a right key scores, at "
                                                    << now() << " ms";
                ASSERT_TRUE(game.Label1.Visible);
                ASSERT_EQ(game.Label1.Top, 360);
                hitsScored += 1;
            }
        } else if (action < 17) {
            const long long before = game.Shooted;
            const int wrong = 1 + static_cast<int>(chooser() % 255);
            if (std::string(1, static_cast<char>(wrong)) != game.Label1.Caption) {
                type(wrong);
                ASSERT_EQ(game.Shooted, before);
            }
        } else if (action == 17) {
            click(game.lblNew);
            ASSERT_EQ(game.Shooted, 0);
            games += 1;
        } else if (action == 18) {
            chooseSettings(chooser);
        } else if (game.lblPause.Enabled) {
            click(game.lblPause);
            idle(chooser() % 3000);
            click(game.lblPause);
        }
        // A finished game is followed by the next, so the whole day is played.
        if (game.lblOver.Visible) {
            click(game.lblNew);
            ASSERT_FALSE(game.lblOver.Visible);
            games += 1;
        }
        ASSERT_TRUE(statusBarShowsTheCounts(game)) << "at " << now() << " ms";
        ASSERT_EQ(game.module1.Letters.size(), 52u);
        ASSERT_EQ(game.Combo1.List.size(), 3u);
        ASSERT_EQ(game.Timer1.Interval, 100);
    }

    // The day was really played: many games, hits and misses.
    EXPECT_GT(games, 1000);
    EXPECT_GT(hitsScored, 3000);
    EXPECT_GT(stepsWithAMiss, 1000);
    // Generous: the game allocates nothing that lives on between events.
    EXPECT_LT(mallinfo2().uordblks, heapAtNoon + 1024 * 1024);
}

}  // namespace
}  // namespace runeshot
