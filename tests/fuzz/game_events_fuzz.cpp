// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

// Plays the game with whatever the fuzzer sends (clicks, typed characters, idle time, a busy
// thread catching up, settings, the window minimized) and checks after every handler that
// the player sees the state the game holds.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "game/game.h"
#include "shell/event_dispatcher.h"
#include "shell/number_text.h"
#include "testing/fakes.h"
#include "testing/sound_doubles.h"
#include "tests/core/drive.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/fuzz_input.h"

using namespace runeshot;
using runeshot::fuzz::FuzzInput;
using runeshot::fuzz::require;
using runeshot::testing::FixedTextMeasure;
using runeshot::testing::runClockTo;
using runeshot::testing::RecordingSound;

namespace {

// Draws exact single-precision values in [0, 1) from the input's far end, so the fuzzer can
// reach the edge columns and letters; once the bytes run out the game's own generator goes on.
class InputRandom final : public RandomSource {
public:
    explicit InputRandom(FuzzInput& input) : input_(input) {}
    float next() override {
        if (input_.remaining() < 3) return fallback_.next();
        std::uint32_t bits = input_.takeLastByte();
        bits |= static_cast<std::uint32_t>(input_.takeLastByte()) << 8;
        bits |= static_cast<std::uint32_t>(input_.takeLastByte()) << 16;
        return static_cast<float>(bits) / 16777216.0f;
    }

private:
    FuzzInput& input_;
    Lcg24 fallback_;
};

// Stands between the window's events and the game, so that the rules are checked after
// every handler the window runs, timer ticks included.
class WatchedGame final : public FormEvents {
public:
    WatchedGame(Game& game, const RecordingSound& sounds) : game_(game), sounds_(sounds) {}

    void Form_Load() override { run(&Game::Form_Load); }
    void lblNew_Click() override { run(&Game::lblNew_Click, StartsGame::yes); }
    void Timer1_Timer() override { run(&Game::Timer1_Timer); }
    void Timer2_Timer() override { run(&Game::Timer2_Timer); }
    void Text1_KeyPress(int KeyAscii) override {
        enter();
        game_.Text1_KeyPress(KeyAscii);
        leave(StartsGame::no);
    }
    void Timer3_Timer() override {
        run(&Game::Timer3_Timer);
        require(game_.lbltime.Caption == numberToText(game_.Ttime, game_.DecimalSeparator),
                "each countdown step shows the seconds the game holds");
        if (game_.Ttime == 0) {
            require(game_.lblOver.Visible && !game_.Text1.Enabled && !game_.Label1.Visible,
                    "at zero the banner shows and the letter and input line are off");
            require(!game_.Timer1.Enabled && !game_.Timer2.Enabled && !game_.Timer3.Enabled,
                    "at zero no letter falls, is dealt or counted, and the clock stops");
        }
    }
    void lblPause_Click() override { run(&Game::lblPause_Click); }
    void lblSettings_Click() override { run(&Game::lblSettings_Click); }
    void Label9_Click() override { run(&Game::Label9_Click, StartsGame::yes); }
    void Label10_Click() override { run(&Game::Label10_Click); }
    void lblQuit_Click() override {
        run(&Game::lblQuit_Click);
        require(game_.module1.Letters.empty(), "QUIT empties the letter table");
    }

    void checkRules() {
        require(game_.lblShooted.Caption == std::to_string(game_.Shooted),
                "the status bar shows the hits the game holds");
        require(game_.lblMissed.Caption == numberToText(game_.Missed, game_.DecimalSeparator),
                "the status bar shows the misses the game holds");
        const std::string& letter = game_.Label1.Caption;
        require(letter.size() == 1 && letter != "A" &&
                    ((letter[0] >= 'A' && letter[0] <= 'Z') ||
                     (letter[0] >= 'a' && letter[0] <= 'z')),
                "the letter on screen is one the table deals");
        require(std::isfinite(game_.Label1.Top) && std::isfinite(game_.Label1.Left) &&
                    game_.Label1.Left >= 0 && game_.Label1.Left <= 8000,
                "the letter stands at a finite place within the field's columns");
        require(std::isfinite(game_.Ttime), "the seconds left are a finite number");
        require(game_.Timer1.Interval == 100 || game_.Timer1.Interval == 200,
                "the letter falls at one of the two speeds");
        if (game_.lblOver.Visible) {
            require(!game_.Timer1.Enabled && !game_.Timer2.Enabled && !game_.Timer3.Enabled,
                    "a finished game moves and counts nothing until the next starts");
        }
        if (game_.isUnloaded()) {
            require(!game_.Timer1.Enabled && !game_.Timer2.Enabled && !game_.Timer3.Enabled &&
                        !game_.scheduler.nextDue(),
                    "no timer runs after QUIT");
            if (!soundsAtUnload_) soundsAtUnload_ = sounds_.played.size();
            require(sounds_.played.size() == *soundsAtUnload_, "nothing is heard after QUIT");
        }
    }

private:
    enum class StartsGame { no, yes };

    void run(void (Game::*handler)(), StartsGame starts = StartsGame::no) {
        enter();
        (game_.*handler)();
        leave(starts);
    }
    void enter() const { require(!game_.isUnloaded(), "no handler runs after QUIT"); }
    void leave(StartsGame starts) {
        if (starts == StartsGame::yes) {
            require(game_.Shooted == 0 && game_.Missed == 0, "a new game starts from no score");
        } else {
            require(game_.Shooted >= hits_ && game_.Missed >= misses_,
                    "hits and misses never go down within a game");
        }
        hits_ = game_.Shooted;
        misses_ = game_.Missed;
        checkRules();
    }

    Game& game_;
    const RecordingSound& sounds_;
    long long hits_ = 0;
    double misses_ = 0;
    std::optional<std::size_t> soundsAtUnload_;
};

void play(std::uint8_t action, FuzzInput& input, Game& game, EventDispatcher& events,
          const FixedTextMeasure& measure) {
    const Millis now = game.scheduler.now();
    const auto click = [&](const Label& label) { testing::click(game, events, measure, label); };
    switch (action % 16) {
    case 0: click(game.lblNew); break;
    case 1: click(game.lblPause); break;
    case 2: click(game.lblSettings); break;
    case 3: click(game.Label9); break;
    case 4: click(game.Label10); break;
    case 5: click(game.lblQuit); break;
    case 6: events.handle(now, inputs::Key{1 + input.takeByte() % 255}); break;
    case 7: {
        // The right key, which random bytes would seldom type.
        const std::string letter = game.Label1.Caption;
        if (!letter.empty()) events.handle(now, inputs::Key{static_cast<unsigned char>(letter[0])});
        break;
    }
    case 8: runClockTo(game, events, now + input.takeWord()); break;
    case 9: runClockTo(game, events, now + Millis{input.takeByte()} * 1000); break;
    case 10: events.handle(now + input.takeWord(), inputs::Wake{}); break;
    case 11: events.handle(now, inputs::SpeedChosen{input.takeByte() % 2 == 1}); break;
    case 12: events.handle(now, inputs::LengthText{input.takeText(input.takeByte() % 32)}); break;
    case 13: {
        const auto& list = game.Combo1.List;
        if (!list.empty()) {
            events.handle(now, inputs::LengthText{list[input.takeByte() % list.size()]});
        }
        break;
    }
    case 14: {
        const bool minimized = input.takeByte() % 2 != 0;
        events.handle(now, inputs::WindowStateChanged{minimized ? FormWindowState::minimized
                                                                : FormWindowState::normal});
        break;
    }
    case 15: events.handle(now, inputs::CloseBox{}); break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    InputRandom random(input);
    RecordingSound sounds;
    sounds.onPlay = [](const std::string& fileName) {
        require(fileName == "shooted.wav" || fileName == "wrong.wav" || fileName == "boing.wav" ||
                    fileName == "theend.wav",
                "the game plays only its four sounds");
    };
    Game game(random, sounds);
    WatchedGame watched(game, sounds);
    const FixedTextMeasure measure;
    EventDispatcher events(game, watched, measure);
    events.load();
    watched.checkRules();
    while (!input.empty()) {
        play(input.takeByte(), input, game, events, measure);
        watched.checkRules();
    }
    return 0;
}
