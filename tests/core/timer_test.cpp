// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "shell/scheduler.h"
#include "shell/timer.h"
#include "tests/core/drive.h"

namespace runeshot {
namespace {

using Ticks = std::vector<std::pair<std::string, Millis>>;

// Two timers on a virtual clock, made in the order a, b, recording each tick's time.
struct Clock {
    Clock() {
        a.Name = "a";
        b.Name = "b";
    }
    void advanceTo(Millis ms) {
        testing::runClockTo(scheduler, ms, [this](Millis t) { scheduler.catchUp(t, record); });
    }
    void catchUp(Millis ms) { scheduler.catchUp(ms, record); }

    Scheduler scheduler;
    Timer a{scheduler}, b{scheduler};
    Ticks ticks;
    std::function<void(Timer&)> onTick;
    Scheduler::TickHandler record = [this](Timer& t) {
        ticks.emplace_back(t.Name, scheduler.now());
        if (onTick) onTick(t);
    };
};

TEST(Timers, EnablingStartsAFreshIntervalAndDisablingStopsAtOnce) {
    Clock c;
    c.a.Interval = 200;
    c.advanceTo(150);
    EXPECT_TRUE(c.ticks.empty());
    c.a.Enabled = true;
    c.advanceTo(600);
    EXPECT_EQ(c.ticks, (Ticks{{"a", 350}, {"a", 550}}));

    // Enabling a running timer again keeps its phase.
    c.a.Enabled = true;
    c.advanceTo(760);
    EXPECT_EQ(c.ticks.back(), (std::pair<std::string, Millis>{"a", 750}));

    c.a.Enabled = false;
    c.ticks.clear();
    c.advanceTo(5000);
    EXPECT_TRUE(c.ticks.empty());
    EXPECT_FALSE(c.scheduler.nextDue());

    // A tick due at the same moment as the handler that stops its timer never comes.
    c.a.Interval = 500;
    c.b.Interval = 500;
    c.a.Enabled = true;
    c.b.Enabled = true;
    c.onTick = [&](Timer& t) { if (&t == &c.a) c.b.Enabled = false; };
    c.advanceTo(5600);
    EXPECT_EQ(c.ticks, (Ticks{{"a", 5500}}));
}

TEST(Timers, TicksComeInTimeOrderAndTiesInWatchOrder) {
    Clock c;
    c.a.Interval = 300;
    c.b.Interval = 200;
    c.a.Enabled = true;
    c.b.Enabled = true;
    EXPECT_EQ(c.scheduler.nextDue(), 200);
    c.advanceTo(600);
    EXPECT_EQ(c.ticks, (Ticks{{"b", 200}, {"a", 300}, {"b", 400}, {"a", 600}, {"b", 600}}));
    EXPECT_EQ(c.scheduler.now(), 600);
}

TEST(Timers, ALateThreadGetsOneTickPerTimerAndThePhaseIsKept) {
    Clock c;
    c.a.Interval = 200;
    c.b.Interval = 300;
    c.a.Enabled = true;
    c.b.Enabled = true;
    c.catchUp(1050);
    EXPECT_EQ(c.ticks, (Ticks{{"a", 1050}, {"b", 1050}}));
    c.ticks.clear();
    c.advanceTo(1250);
    EXPECT_EQ(c.ticks, (Ticks{{"a", 1200}, {"b", 1200}}));

    // A timer a late handler starts runs from the time the thread got back.
    c.ticks.clear();
    c.b.Enabled = false;
    c.onTick = [&](Timer& t) { if (&t == &c.a) c.b.Enabled = true; };
    c.catchUp(1990);
    c.onTick = nullptr;
    c.advanceTo(2300);
    EXPECT_EQ(c.ticks, (Ticks{{"a", 1990}, {"a", 2000}, {"a", 2200}, {"b", 2290}}));
}

TEST(Timers, ANewIntervalCountsFromTheLastTickAndAnOverdueTickComesOnce) {
    Clock c;
    c.a.Interval = 200;
    c.a.Enabled = true;
    c.advanceTo(50);
    c.a.Interval = 500;
    c.advanceTo(600);
    EXPECT_EQ(c.ticks, (Ticks{{"a", 500}}));

    c.ticks.clear();
    c.a.Interval = 20;  // the ticks at 520 to 600 are overdue at once
    c.advanceTo(650);
    EXPECT_EQ(c.ticks, (Ticks{{"a", 600}, {"a", 620}, {"a", 640}}));
}

}  // namespace
}  // namespace runeshot
