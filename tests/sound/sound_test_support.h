// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <sys/types.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "sound/sdl_library.h"

namespace runeshot {

using Samples = std::vector<std::int16_t>;
inline constexpr std::size_t notFound = static_cast<std::size_t>(-1);

// A fresh folder of its own under the system's temporary folder, removed afterwards.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    void write(const std::string& name, const std::vector<std::uint8_t>& bytes) const;
    void writeWav(const std::string& name, const Samples& samples, int rate = 44100,
                  int channels = 1) const;

private:
    std::filesystem::path path_;
};

// SDL as a test wants it to behave: its own functions, some replaced by `change`.
template <typename Change>
SdlLibrary sdlChangedBy(Change change) {
    SdlLibrary sdl = *sdlLibrary();
    change(sdl);
    return sdl;
}

// Sets an environment variable for as long as it lives.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
};

std::string readText(const std::filesystem::path& file);

// What `action` wrote to standard error, which goes to a file in `folder` meanwhile.
std::string standardErrorOf(const std::filesystem::path& folder,
                            const std::function<void()>& action);

// Whether `done` holds within ten seconds, asked every 10 ms.
bool eventually(const std::function<bool()>& done);

// Points SDL at its disk driver, which writes what the device plays as raw 16-bit mono
// samples, in real time, into a named pipe that this collects from. SDL starts its file
// over each time the device is opened; the pipe keeps everything every opening played, in
// order. Create it before the player opens the device, and let it outlive the player.
class DiskAudio {
public:
    explicit DiskAudio(const std::filesystem::path& pipe);
    ~DiskAudio();
    DiskAudio(const DiskAudio&) = delete;
    DiskAudio& operator=(const DiskAudio&) = delete;

    Samples samples() const;
    // Polls what has been played until `done` holds; false if it never did within ten
    // seconds.
    bool waitFor(const std::function<bool(const Samples&)>& done) const;

private:
    void collect();

    ScopedEnv driver_;
    ScopedEnv output_;
    int pipe_;
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;
    std::vector<std::uint8_t> bytes_;
    std::thread collector_;
};

// SDL's device thread in this process, if a device is open.
std::optional<pid_t> audioThread();

// The samples of a 16-bit WAV file, read by SDL as the player reads it.
Samples wavSamples(const std::filesystem::path& file);

// Where the output has a run equal to the first `length` samples of `sound`, or
// notFound.
std::size_t findSound(const Samples& output, const Samples& sound, std::size_t length);
std::size_t firstNonSilent(const Samples& output, std::size_t from = 0);
// How many times the whole sound was played, from its first sample to its last.
int timesPlayedWhole(const Samples& output, const Samples& sound);
// Samples at `from` that equal the start of `sound`.
std::size_t matchingRun(const Samples& output, std::size_t from, const Samples& sound);
// Whether the output, after some sound, has fallen silent for a twentieth of a second:
// an open device plays silence between sounds, and SDL's disk driver may hold back up to
// 2048 samples of it.
bool endedInSilence(const Samples& output);

}  // namespace runeshot
