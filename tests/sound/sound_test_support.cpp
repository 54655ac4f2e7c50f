// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "tests/sound/sound_test_support.h"

#include <SDL.h>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "assets/sounds/wav_file.h"

namespace runeshot {

namespace {

Samples littleEndianSamples(const std::uint8_t* bytes, std::size_t size) {
    Samples samples(size / 2);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<std::int16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    }
    return samples;
}

std::string firstLine(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

}  // namespace

ScratchFolder::ScratchFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "runeshot-sound-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no scratch folder");
    path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void ScratchFolder::write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
    std::ofstream out(path_ / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

void ScratchFolder::writeWav(const std::string& name, const Samples& samples, int rate,
                             int channels) const {
    write(name, encodeWav(samples, rate, channels));
}

ScopedEnv::ScopedEnv(const char* name, const std::string& value) : name_(name) {
    setenv(name, value.c_str(), 1);
}

ScopedEnv::~ScopedEnv() { unsetenv(name_); }

std::string readText(const std::filesystem::path& file) {
    std::ifstream in(file);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string standardErrorOf(const std::filesystem::path& folder,
                            const std::function<void()>& action) {
    const std::string file = (folder / "stderr.txt").string();
    std::fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    const int redirected = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(redirected, STDERR_FILENO);
    close(redirected);
    action();
    std::fflush(stderr);
    dup2(saved, STDERR_FILENO);
    close(saved);
    return readText(file);
}

bool eventually(const std::function<bool()>& done) {
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < giveUp) {
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

// The collector holds the pipe open for writing too: SDL's opening never waits for a
// reader, and its closing never ends the collection.
DiskAudio::DiskAudio(const std::filesystem::path& pipe)
    : driver_("SDL_AUDIODRIVER", "disk"), output_("SDL_DISKAUDIOFILE", pipe.string()) {
    if (mkfifo(pipe.c_str(), 0600) != 0) throw std::runtime_error("no pipe for the output");
    pipe_ = ::open(pipe.c_str(), O_RDWR | O_CLOEXEC);
    if (pipe_ < 0) throw std::runtime_error("cannot open the output pipe");
    collector_ = std::thread([this] { collect(); });
}

DiskAudio::~DiskAudio() {
    stopping_ = true;
    collector_.join();
    close(pipe_);
}

void DiskAudio::collect() {
    std::uint8_t chunk[65536];
    while (!stopping_) {
        pollfd ready{pipe_, POLLIN, 0};
        if (::poll(&ready, 1, 20) <= 0) continue;
        const ssize_t got = read(pipe_, chunk, sizeof chunk);
        if (got <= 0) continue;
        const std::lock_guard lock(mutex_);
        bytes_.insert(bytes_.end(), chunk, chunk + got);
    }
}

Samples DiskAudio::samples() const {
    const std::lock_guard lock(mutex_);
    return littleEndianSamples(bytes_.data(), bytes_.size());
}

bool DiskAudio::waitFor(const std::function<bool(const Samples&)>& done) const {
    return eventually([&] { return done(samples()); });
}

std::optional<pid_t> audioThread() {
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        // SDL names a playback device's thread SDLAudioP and the device's number.
        if (firstLine(task.path() / "comm").starts_with("SDLAudioP")) {
            return static_cast<pid_t>(std::stol(task.path().filename().string()));
        }
    }
    return std::nullopt;
}

Samples wavSamples(const std::filesystem::path& file) {
    SDL_AudioSpec spec;
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    if (SDL_LoadWAV(file.string().c_str(), &spec, &buffer, &length) == nullptr) return {};
    Samples samples = littleEndianSamples(buffer, length);
    SDL_FreeWAV(buffer);
    return samples;
}

std::size_t findSound(const Samples& output, const Samples& sound, std::size_t length) {
    const auto end = sound.begin() + static_cast<std::ptrdiff_t>(std::min(length, sound.size()));
    const auto found = std::search(output.begin(), output.end(), sound.begin(), end);
    return found == output.end() ? notFound : static_cast<std::size_t>(found - output.begin());
}

std::size_t firstNonSilent(const Samples& output, std::size_t from) {
    for (std::size_t i = from; i < output.size(); ++i) {
        if (output[i] != 0) return i;
    }
    return notFound;
}

int timesPlayedWhole(const Samples& output, const Samples& sound) {
    int times = 0;
    for (auto at = output.begin();
         (at = std::search(at, output.end(), sound.begin(), sound.end())) != output.end();
         at += static_cast<std::ptrdiff_t>(sound.size())) {
        ++times;
    }
    return times;
}

std::size_t matchingRun(const Samples& output, std::size_t from, const Samples& sound) {
    std::size_t n = 0;
    while (from + n < output.size() && n < sound.size() && output[from + n] == sound[n]) ++n;
    return n;
}

bool endedInSilence(const Samples& output) {
    constexpr std::size_t twentiethOfASecond = 2205;
    const auto lastSound =
        std::find_if(output.rbegin(), output.rend(), [](std::int16_t s) { return s != 0; });
    if (lastSound == output.rend()) return false;
    return static_cast<std::size_t>(lastSound - output.rbegin()) >= twentiethOfASecond;
}

}  // namespace runeshot
