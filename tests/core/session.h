// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/game.h"
#include "shell/design_colours.h"
#include "shell/event_dispatcher.h"
#include "testing/fakes.h"
#include "tests/core/drive.h"

namespace runeshot::testing {

using colours::paleGreen;
using colours::red;
using colours::white;

using Sounds = std::vector<std::string>;

// A started program on the virtual clock at 0 ms, with known draws (by default every
// letter dealt is "F" at Left 4250) and a recording sound player.
struct Session {
    explicit Session(std::vector<float> draws = {drawGiving(4250, 8500), drawGiving(5.1, 51)})
        : random(std::move(draws)) {
        events.load();
    }

    void click(const Label& label) { testing::click(game, events, measure, label); }
    void type(char c) { handle(inputs::Key{static_cast<unsigned char>(c)}); }
    // Idle until the absolute time `ms`, every tick due by then at its own time.
    void at(Millis ms) { runClockTo(game, events, ms); }
    void handle(const Input& input) { events.handle(game.scheduler.now(), input); }
    // The miss pause ends at `end`, "boing.wav" sounding with a fresh letter at the top,
    // and the letter takes its first step at `firstStep`.
    void expectMissPauseEnds(Millis end, Millis firstStep) {
        SCOPED_TRACE("the miss pause ending at " + std::to_string(end) + " ms");
        at(end);
        EXPECT_EQ(played(), Sounds{"boing.wav"});
        EXPECT_EQ(game.Label1.Top, 360);
        at(firstStep);
        EXPECT_EQ(game.Label1.Top, 560);
    }
    // A game of `seconds` (a whole number) started now and played to its banner.
    void playGameToItsEnd(int seconds) {
        handle(inputs::LengthText{std::to_string(seconds)});
        click(game.lblNew);
        at(game.scheduler.now() + seconds * 1000);
        EXPECT_TRUE(game.lblOver.Visible);
    }
    bool timersStopped() const { return !game.scheduler.nextDue().has_value(); }
    const std::vector<std::string>& played() const { return sound.played; }

    void openSettings() { click(game.lblSettings); }
    void chooseSpeed(bool fast) { handle(inputs::SpeedChosen{fast}); }

    FixedDraws random;
    RecordingSound sound;
    Game game{random, sound};
    FixedTextMeasure measure;
    EventDispatcher events{game, measure};
};

}  // namespace runeshot::testing
