// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

namespace runeshot {

// The time the sound player goes by, and its waits on that time: when a quiet device closes,
// when a device that failed to open is tried again, when one that stopped asking for sound
// is taken for lost. The program gives it the steady clock; a test moves one itself.
class SoundClock {
public:
    using duration = std::chrono::steady_clock::duration;
    using time_point = std::chrono::steady_clock::time_point;
    // A wait with no time set: until `done` alone.
    static constexpr time_point never = time_point::max();

    virtual ~SoundClock() = default;
    // Read from SDL's device thread too.
    virtual time_point now() const = 0;
    // Waits on `wake`, holding `lock` whenever it looks at `done`, until `done` holds or
    // `until` has come; returns done().
    virtual bool waitUntil(std::condition_variable& wake, std::unique_lock<std::mutex>& lock,
                           time_point until, const std::function<bool()>& done) = 0;

protected:
    SoundClock() = default;
    SoundClock(const SoundClock&) = default;
    SoundClock& operator=(const SoundClock&) = default;
};

class SteadySoundClock final : public SoundClock {
public:
    time_point now() const override { return std::chrono::steady_clock::now(); }
    bool waitUntil(std::condition_variable& wake, std::unique_lock<std::mutex>& lock,
                   time_point until, const std::function<bool()>& done) override {
        // Not every thread library takes the furthest time point as a deadline.
        if (until == never) {
            wake.wait(lock, done);
            return true;
        }
        return wake.wait_until(lock, until, done);
    }
};

}  // namespace runeshot
