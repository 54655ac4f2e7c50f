// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

// What the game itself costs per event, apart from drawing: every handler, and one tick of
// each timer delivered by the scheduler on the virtual clock, with no window and no sound.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

#include "bench/aggregate_row_reporter.h"
#include "game/game.h"
#include "shell/event_dispatcher.h"
#include "testing/fakes.h"

namespace runeshot {
namespace {

// A started program: the load handler has run, as in the window. The random source starts
// from its fixed state, so every run deals the same letters.
struct Program {
    explicit Program(bool loaded = true) {
        if (loaded) events.load();
    }
    Lcg24 random;
    testing::SilentSound sound;
    Game game{random, sound};
    testing::FixedTextMeasure measure;
    EventDispatcher events{game, game, measure};
};

using Clock = std::chrono::steady_clock;

// Times `act` alone; `prepare` puts the game back where `act` expects it, untimed, so that
// a handler that changes the state it starts from can be timed again and again. The clock
// is read around each act (Google Benchmark's own pause reads the process's CPU time
// through a system call, which costs more than any handler).
template <class Prepare, class Act>
void timeEach(benchmark::State& state, Prepare prepare, Act act) {
    for (auto _ : state) {
        prepare();
        const auto start = Clock::now();
        act();
        const auto end = Clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
}

void stopAllTimers(Game& g) {
    g.Timer1.Enabled = false;
    g.Timer2.Enabled = false;
    g.Timer3.Enabled = false;
}

// The same clock reads around nothing: how much of each figure is the harness's own.
void timingOverhead(benchmark::State& state) {
    timeEach(state, [] {}, [] {});
}

void formLoad(benchmark::State& state) {
    std::unique_ptr<Program> p;
    timeEach(state, [&] { p = std::make_unique<Program>(false); }, [&] { p->game.Form_Load(); });
}

void newGame(benchmark::State& state) {
    Program p;
    timeEach(state, [&] { stopAllTimers(p.game); }, [&] { p.game.lblNew_Click(); });
}

void fallStep(benchmark::State& state) {
    Program p;
    p.game.lblNew_Click();
    timeEach(state, [&] { p.game.Label1.Top = 360; }, [&] { p.game.Timer1_Timer(); });
}

// The step that reaches the bottom line: the letter is counted missed and turns red.
void missStep(benchmark::State& state) {
    Program p;
    p.game.lblNew_Click();
    timeEach(
        state,
        [&] {
            p.game.Label1.Top = 3760;
            p.game.Timer2.Enabled = false;
            p.game.Timer1.Enabled = true;
        },
        [&] { p.game.Timer1_Timer(); });
}

void missPauseEnd(benchmark::State& state) {
    Program p;
    p.game.lblNew_Click();
    timeEach(
        state,
        [&] {
            p.game.Timer1.Enabled = false;
            p.game.Timer2.Enabled = true;
        },
        [&] { p.game.Timer2_Timer(); });
}

void rightKey(benchmark::State& state) {
    Program p;
    p.game.lblNew_Click();
    int key = 0;
    timeEach(
        state, [&] { key = static_cast<unsigned char>(p.game.Label1.Caption.at(0)); },
        [&] { p.game.Text1_KeyPress(key); });
}

void wrongKey(benchmark::State& state) {
    Program p;
    p.game.lblNew_Click();
    timeEach(state, [] {}, [&] { p.game.Text1_KeyPress('1'); });
}

void countdownSecond(benchmark::State& state) {
    Program p;
    p.game.lblNew_Click();
    timeEach(state, [&] { p.game.Ttime = 100; }, [&] { p.game.Timer3_Timer(); });
}

// The last second: the banner grows to full size and the game stops.
void timeOver(benchmark::State& state) {
    Program p;
    timeEach(
        state,
        [&] {
            p.game.lblNew_Click();
            p.game.Ttime = 1;
        },
        [&] { p.game.Timer3_Timer(); });
}

void pause(benchmark::State& state) {
    Program p;
    p.game.lblNew_Click();
    timeEach(
        state,
        [&] {
            if (p.game.paused) p.game.lblPause_Click();
        },
        [&] { p.game.lblPause_Click(); });
}

void resume(benchmark::State& state) {
    Program p;
    p.game.lblNew_Click();
    timeEach(
        state,
        [&] {
            if (!p.game.paused) p.game.lblPause_Click();
        },
        [&] { p.game.lblPause_Click(); });
}

void openSettings(benchmark::State& state) {
    Program p;
    p.game.lblNew_Click();
    timeEach(
        state,
        [&] {
            if (p.game.Frame1.Visible) p.game.Label10_Click();
        },
        [&] { p.game.lblSettings_Click(); });
}

void cancelSettings(benchmark::State& state) {
    Program p;
    p.game.lblNew_Click();
    timeEach(
        state,
        [&] {
            if (!p.game.Frame1.Visible) p.game.lblSettings_Click();
        },
        [&] { p.game.Label10_Click(); });
}

void applySettings(benchmark::State& state) {
    Program p;
    p.game.lblNew_Click();
    timeEach(
        state,
        [&] {
            p.game.lblSettings_Click();
            p.game.Option1.Value = false;
            p.game.Option2.Value = true;
        },
        [&] { p.game.Label9_Click(); });
}

void quit(benchmark::State& state) {
    std::unique_ptr<Program> p;
    timeEach(state, [&] { p = std::make_unique<Program>(); }, [&] { p->game.lblQuit_Click(); });
}

// One tick as the window delivers it: the scheduler finds the timer due next and runs its
// handler. Only the timer under test runs.
void tickOf(benchmark::State& state, Timer Form1::*timer, void (*prepare)(Game&)) {
    Program p;
    p.game.lblNew_Click();
    Game& g = p.game;
    timeEach(
        state,
        [&] {
            stopAllTimers(g);
            prepare(g);
            (g.*timer).Enabled = true;
        },
        [&] { p.events.handle(*g.scheduler.nextDue(), inputs::Wake{}); });
}

void timer1Tick(benchmark::State& state) {
    tickOf(state, &Form1::Timer1, [](Game& g) { g.Label1.Top = 360; });
}

void timer2Tick(benchmark::State& state) {
    tickOf(state, &Form1::Timer2, [](Game&) {});
}

void timer3Tick(benchmark::State& state) {
    tickOf(state, &Form1::Timer3, [](Game& g) { g.Ttime = 100; });
}

void add(const char* name, void (*fn)(benchmark::State&)) {
    benchmark::RegisterBenchmark(name, fn)
        ->Unit(benchmark::kMicrosecond)
        ->UseManualTime()
        ->Iterations(20000)
        ->Repetitions(15)
        ->ReportAggregatesOnly()
        ->ComputeStatistics("min", bench::smallest)
        ->ComputeStatistics("max", bench::largest);
}

}  // namespace
}  // namespace runeshot

int main(int argc, char** argv) {
    using namespace runeshot;
    add("handler Form_Load", formLoad);
    add("handler lblNew_Click", newGame);
    add("handler Timer1_Timer (a step)", fallStep);
    add("handler Timer1_Timer (the miss)", missStep);
    add("handler Timer2_Timer", missPauseEnd);
    add("handler Text1_KeyPress (right key)", rightKey);
    add("handler Text1_KeyPress (wrong key)", wrongKey);
    add("handler Timer3_Timer (a second)", countdownSecond);
    add("handler Timer3_Timer (time over)", timeOver);
    add("handler lblPause_Click (pause)", pause);
    add("handler lblPause_Click (resume)", resume);
    add("handler lblSettings_Click", openSettings);
    add("handler Label10_Click (Cancel)", cancelSettings);
    add("handler Label9_Click (Ok)", applySettings);
    add("handler lblQuit_Click", quit);
    add("tick of Timer1 (fall)", timer1Tick);
    add("tick of Timer2 (miss pause)", timer2Tick);
    add("tick of Timer3 (countdown)", timer3Tick);
    add("harness overhead (empty act)", timingOverhead);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    bench::AggregateRowReporter rows;
    benchmark::RunSpecifiedBenchmarks(&rows);
    benchmark::Shutdown();
    return 0;
}
