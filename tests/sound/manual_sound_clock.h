// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <list>
#include <mutex>

#include "sound/sound_clock.h"

namespace runeshot {

// A clock for the sound player that stands still until the test moves it on. It also knows
// who waits on it, so that a test can tell when the player's thread has done everything it
// was asked and sleeps.
class ManualSoundClock final : public SoundClock {
public:
    time_point now() const override { return time_point(duration(now_.load())); }
    bool waitUntil(std::condition_variable& wake, std::unique_lock<std::mutex>& lock,
                   time_point until, const std::function<bool()>& done) override;

    // Wakes everyone whose wait has ended by the new time.
    void advance(duration by);
    // Whether every wait on the clock stands (nothing to do, its time still to come), and
    // one at least; false if that did not happen within ten seconds.
    bool waitUntilIdle();

private:
    struct Waiter {
        std::condition_variable* wake;
        std::mutex* mutex;
        time_point until;
        const std::function<bool()>* done;
    };
    bool allAsleep(std::unique_lock<std::mutex>& own);

    std::atomic<duration::rep> now_{0};
    std::mutex mutex_;
    std::condition_variable changed_;
    std::list<Waiter> waiters_;
    std::uint64_t changes_ = 0;
};

}  // namespace runeshot
