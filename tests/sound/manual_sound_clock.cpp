// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "tests/sound/manual_sound_clock.h"

#include <chrono>
#include <vector>

namespace runeshot {

bool ManualSoundClock::waitUntil(std::condition_variable& wake, std::unique_lock<std::mutex>& lock,
                                 time_point until, const std::function<bool()>& done) {
    std::list<Waiter>::iterator me;
    {
        const std::lock_guard own(mutex_);
        me = waiters_.insert(waiters_.end(), {&wake, lock.mutex(), until, &done});
        ++changes_;
    }
    changed_.notify_all();
    wake.wait(lock, [&] { return done() || now() >= until; });
    {
        const std::lock_guard own(mutex_);
        waiters_.erase(me);
        ++changes_;
    }
    changed_.notify_all();
    return done();
}

void ManualSoundClock::advance(duration by) {
    now_ += by.count();
    std::vector<Waiter> waiting;
    {
        const std::lock_guard own(mutex_);
        waiting.assign(waiters_.begin(), waiters_.end());
    }
    // A waiter looks at the time under its own lock: taking that lock here means it is
    // either asleep and woken, or has yet to look and sees the new time.
    for (const Waiter& waiter : waiting) {
        { const std::lock_guard theirs(*waiter.mutex); }
        waiter.wake->notify_all();
    }
}

bool ManualSoundClock::waitUntilIdle() {
    std::unique_lock own(mutex_);
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (;;) {
        const std::uint64_t seen = changes_;
        if (allAsleep(own)) return true;
        if (!changed_.wait_until(own, giveUp, [&] { return changes_ != seen; })) return false;
    }
}

// Each waiter is looked at under its own lock, which its thread holds whenever it is not
// asleep; the clock's lock is let go meanwhile, as a waiter takes it with its own held.
bool ManualSoundClock::allAsleep(std::unique_lock<std::mutex>& own) {
    if (waiters_.empty()) return false;
    const std::uint64_t seen = changes_;
    const std::vector<Waiter> waiting(waiters_.begin(), waiters_.end());
    own.unlock();
    bool asleep = true;
    for (const Waiter& waiter : waiting) {
        const std::lock_guard theirs(*waiter.mutex);
        const bool unchanged = [&] {
            const std::lock_guard again(mutex_);
            return changes_ == seen;
        }();
        asleep = asleep && unchanged && !(*waiter.done)() && now() < waiter.until;
        if (!asleep) break;
    }
    own.lock();
    return asleep;
}

}  // namespace runeshot
