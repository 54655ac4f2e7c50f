// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

// How long after PlaySound the sound's first sample leaves SDL, and how long the call holds
// the window's thread. SDL's disk driver writes the mixed output to a file in real time,
// so the moment a sample appears in the file is the moment a sound card would get it.
// With --server, the same on a sound server that the bench starts itself: with the device
// open, four seconds after a sound, just after a game started following a quiet long
// enough for any device to have been closed, and after the server was killed and started
// again.
#include <SDL.h>
#include <dlfcn.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "bench/figure_rows.h"
#include "sound/sdl_sound_player.h"

namespace {

const char* outputPath = nullptr;

using FileOpener = FILE* (*)(const char*, const char*);

// SDL writes the disk driver's output through stdio, which holds back four device buffers
// at a time; unbuffered, each buffer reaches the file the moment SDL hands it on.
FILE* openUnbufferedOutput(const char* opener, const char* path, const char* mode) {
    const auto open = reinterpret_cast<FileOpener>(dlsym(RTLD_NEXT, opener));
    FILE* file = open(path, mode);
    if (file != nullptr && outputPath != nullptr && std::strcmp(path, outputPath) == 0) {
        std::setvbuf(file, nullptr, _IONBF, 0);
    }
    return file;
}

}  // namespace

// SDL's own calls land here: a program's definitions come before its libraries'.
extern "C" FILE* fopen(const char* path, const char* mode) {
    return openUnbufferedOutput("fopen", path, mode);
}
extern "C" FILE* fopen64(const char* path, const char* mode) {
    return openUnbufferedOutput("fopen64", path, mode);
}

namespace runeshot {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr double samplesPerMillisecond = 44.1;

std::vector<std::int16_t> samplesOf(const std::string& path) {
    SDL_AudioSpec spec;
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    if (SDL_LoadWAV(path.c_str(), &spec, &buffer, &length) == nullptr) return {};
    std::vector<std::int16_t> samples(length / 2);
    std::memcpy(samples.data(), buffer, samples.size() * 2);
    SDL_FreeWAV(buffer);
    return samples;
}

// Where the first sound sample lies in a recording: its leading zeros are part of the
// sound, not of the delay.
std::size_t leadingSilence(const std::vector<std::int16_t>& samples) {
    std::size_t i = 0;
    while (i < samples.size() && samples[i] == 0) ++i;
    return i;
}

// Reads what the disk driver has appended since the last call.
class OutputReader {
public:
    explicit OutputReader(const std::string& path) : file_(path, std::ios::binary) {}

    std::vector<std::int16_t> fresh() {
        file_.clear();
        file_.seekg(0, std::ios::end);
        const std::streamoff end = file_.tellg();
        // The driver starts its file over when the player opens the device again.
        if (end < read_) read_ = 0;
        // Whole samples only: the driver may be half-way through a write.
        const std::streamoff available = (end - read_) / 2 * 2;
        std::vector<std::int16_t> samples(static_cast<std::size_t>(available / 2));
        if (available <= 0) return samples;
        file_.seekg(read_);
        file_.read(reinterpret_cast<char*>(samples.data()), available);
        read_ += available;
        return samples;
    }

    bool open() const { return file_.is_open(); }

private:
    std::ifstream file_;
    std::streamoff read_ = 0;
};

bool allSilent(const std::vector<std::int16_t>& samples) {
    for (std::int16_t s : samples) {
        if (s != 0) return false;
    }
    return true;
}

// Records a PulseAudio source with parec and notes when each chunk arrived. With a latency
// of 10 ms a chunk comes about every 3 ms, so a sample's arrival is known to a few
// milliseconds.
class ServerRecording {
public:
    explicit ServerRecording(const std::string& source) {
        int ends[2];
        if (pipe(ends) != 0) return;
        recorder_ = fork();
        if (recorder_ == 0) {
            dup2(ends[1], STDOUT_FILENO);
            close(ends[0]);
            close(ends[1]);
            execlp("parec", "parec", "-d", source.c_str(), "--raw", "--format=s16le",
                   "--rate=44100", "--channels=1", "--latency-msec=10", nullptr);
            _exit(127);
        }
        close(ends[1]);
        output_ = ends[0];
        reader_ = std::thread([this] { read(); });
    }

    ~ServerRecording() {
        if (recorder_ > 0) kill(recorder_, SIGTERM);
        if (reader_.joinable()) reader_.join();
        if (recorder_ > 0) waitpid(recorder_, nullptr, 0);
        if (output_ >= 0) close(output_);
    }

    std::size_t size() {
        const std::lock_guard lock(mutex_);
        return samples_.size();
    }

    // When the first sound sample from `from` on reached the recorder, if one has.
    std::optional<Clock::time_point> firstSoundAfter(std::size_t from) {
        const std::lock_guard lock(mutex_);
        for (std::size_t i = from; i < samples_.size(); ++i) {
            if (samples_[i] == 0) continue;
            for (const auto& [end, arrived] : chunks_) {
                if (end <= i) continue;
                const auto early = std::chrono::duration<double, std::milli>(
                    static_cast<double>(end - i) / samplesPerMillisecond);
                return arrived - std::chrono::duration_cast<Clock::duration>(early);
            }
        }
        return std::nullopt;
    }

private:
    void read() {
        std::vector<std::int16_t> chunk(4096);
        for (;;) {
            const ssize_t got = ::read(output_, chunk.data(), chunk.size() * 2);
            if (got <= 0) return;
            const auto arrived = Clock::now();
            const std::lock_guard lock(mutex_);
            // parec hands over whole samples unless stopped half-way.
            samples_.insert(samples_.end(), chunk.begin(), chunk.begin() + got / 2);
            chunks_.emplace_back(samples_.size(), arrived);
        }
    }

    pid_t recorder_ = -1;
    int output_ = -1;
    std::thread reader_;
    std::mutex mutex_;
    std::vector<std::int16_t> samples_;
    std::vector<std::pair<std::size_t, Clock::time_point>> chunks_;
};

// Milliseconds from play() to the sound's first sample at the server's monitor, less the
// silence the recording starts with; nothing if it was not heard within three seconds.
std::optional<double> serverOnset(SdlSoundPlayer& player, ServerRecording& recording,
                                  const std::string& folder, const std::string& name) {
    const double lead = leadingSilence(samplesOf(folder + "/" + name)) / samplesPerMillisecond;
    const std::size_t from = recording.size();
    const auto asked = Clock::now();
    player.play(name);
    while (Clock::now() - asked < 3s) {
        if (const auto heard = recording.firstSoundAfter(from)) {
            return std::chrono::duration<double, std::milli>(*heard - asked).count() - lead;
        }
        std::this_thread::sleep_for(1ms);
    }
    return std::nullopt;
}

// A sound server that the bench starts, kills and starts again: `command` runs under
// /bin/sh in a process group of its own, starts the server and returns only with it.
class SoundServer {
public:
    explicit SoundServer(std::string command) : command_(std::move(command)) { start(); }
    ~SoundServer() { kill(); }
    SoundServer(const SoundServer&) = delete;
    SoundServer& operator=(const SoundServer&) = delete;

    void start() {
        group_ = fork();
        if (group_ == 0) {
            setpgid(0, 0);
            execl("/bin/sh", "sh", "-c", command_.c_str(), nullptr);
            _exit(127);
        }
        setpgid(group_, group_);
    }

    // As a crash would: nothing is closed in order.
    void kill() {
        if (group_ <= 0) return;
        ::kill(-group_, SIGKILL);
        waitpid(group_, nullptr, 0);
        // The server itself is the shell's child: until it is gone too, its socket still
        // answers, and a server started now finds the address in use and serves no one.
        for (int tries = 0; tries < 500 && ::kill(-group_, 0) == 0; ++tries) {
            std::this_thread::sleep_for(10ms);
        }
        group_ = -1;
    }

private:
    std::string command_;
    pid_t group_ = -1;
};

// A recording of `source` once the server delivers its first data, or nothing after 20 s.
std::unique_ptr<ServerRecording> recordingOnceReady(const std::string& source) {
    const auto began = Clock::now();
    while (Clock::now() - began < 20s) {
        auto recording = std::make_unique<ServerRecording>(source);
        const auto started = Clock::now();
        while (recording->size() == 0 && Clock::now() - started < 2s) {
            std::this_thread::sleep_for(10ms);
        }
        if (recording->size() > 0) return recording;
        std::this_thread::sleep_for(100ms);
    }
    return nullptr;
}

// The program's player heard through the server's monitor `source`: five sounds each while
// the device is still open from the one before, four seconds after a sound (as the misses
// of a game at Normal come: the player has closed a device that opens quickly), a third of
// a second after a game started following a quiet that outlasts the player's longer one by
// 8 s (every device closed; the game gets the player ready as it starts), and just after
// the server was killed and started again while the player's device was open.
int measureOnServer(const std::string& folder, const std::string& source,
                    const std::string& serverCommand) {
    SoundServer server(serverCommand);
    std::unique_ptr<ServerRecording> recording = recordingOnceReady(source);
    if (recording == nullptr) {
        std::fprintf(stderr, "sound_onset_bench: nothing recorded from %s\n", source.c_str());
        return 1;
    }
    const SoundPlayerLimits limits;
    SdlSoundPlayer player(folder, [] { std::fprintf(stderr, "sound_onset_bench: fallback\n"); },
                          std::make_shared<SteadySoundClock>(), limits);
    player.open();
    std::vector<double> open, afterMiss, longQuiet, afterRestart;
    int unheardAfterRestart = 0;
    const auto measure = [&](std::vector<double>& onsets, SoundClock::duration quiet) {
        std::this_thread::sleep_for(quiet);
        const auto onset = serverOnset(player, *recording, folder, "shooted.wav");
        if (onset) onsets.push_back(*onset);
        return onset.has_value();
    };
    const auto gameStartedAfterLongQuiet = [&] {
        std::this_thread::sleep_for(std::max(limits.closeAfter, limits.closeAfterSlowOpen) + 8s);
        player.open();
        return measure(longQuiet, 300ms);
    };
    // Half the quiet the player allows, counted from a sound's start: its device is open.
    const auto whileOpen = limits.closeAfter / 2;
    // The first sound of all opens the stream; the figures are for a running game.
    if (!measure(open, whileOpen)) {
        std::fprintf(stderr, "sound_onset_bench: nothing heard from the server\n");
        return 1;
    }
    open.clear();
    for (int round = 0; round < 5; ++round) {
        if (!measure(open, whileOpen) || !measure(afterMiss, 4s) ||
            !gameStartedAfterLongQuiet()) {
            std::fprintf(stderr, "sound_onset_bench: a sound was not heard within 3 s\n");
            return 1;
        }
    }
    // A player that never finds the server again hears none of these.
    for (int round = 0; round < 5; ++round) {
        // The device is open when the server goes.
        if (!measure(open, whileOpen)) ++unheardAfterRestart;
        recording.reset();
        server.kill();
        server.start();
        recording = recordingOnceReady(source);
        if (recording == nullptr) {
            std::fprintf(stderr, "sound_onset_bench: the server did not come back\n");
            return 1;
        }
        if (!measure(afterRestart, 0ms)) ++unheardAfterRestart;
    }
    bench::printRow("server onset device open", open, "ms");
    bench::printRow("server onset 4 s after a sound", afterMiss, "ms");
    bench::printRow("server onset long quiet", longQuiet, "ms");
    bench::printRow("server onset after restart", afterRestart, "ms");
    bench::printRow("server unheard after restart", unheardAfterRestart, unheardAfterRestart,
                    unheardAfterRestart, "sounds");
    return 0;
}

}  // namespace
}  // namespace runeshot

int main(int argc, char** argv) {
    using namespace runeshot;
    if (argc == 5 && std::strcmp(argv[1], "--server") == 0) {
        return measureOnServer(argv[2], argv[3], argv[4]);
    }
    if (argc != 3) {
        std::fprintf(stderr,
                     "usage: sound_onset_bench SOUND_FOLDER SCRATCH_FILE\n"
                     "       sound_onset_bench --server SOUND_FOLDER MONITOR SERVER_COMMAND\n");
        return 2;
    }
    const std::string folder = argv[1];
    const std::string output = argv[2];
    outputPath = argv[2];
    std::remove(output.c_str());
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);

    const SoundPlayerLimits limits;
    SdlSoundPlayer player(folder, [] { std::fprintf(stderr, "sound_onset_bench: fallback\n"); },
                          std::make_shared<SteadySoundClock>(), limits);
    player.open();
    // A first sound waits for the device to open; the figures are for a running game, whose
    // device stays open while sounds come closer together than the player's quiet.
    player.play("wrong.wav");
    std::this_thread::sleep_for(limits.closeAfter);
    OutputReader reader(output);
    if (!reader.open()) {
        std::fprintf(stderr, "sound_onset_bench: SDL wrote no output to %s\n", output.c_str());
        return 1;
    }
    reader.fresh();

    // The closing sound, over a second long, would only make the run longer.
    const char* names[] = {"shooted.wav", "wrong.wav", "boing.wav"};
    std::vector<double> onsets, calls;
    for (int round = 0; round < 30; ++round) {
        const std::string name = names[round % 3];
        const std::vector<std::int16_t> sound = samplesOf(folder + "/" + name);
        const double lead = leadingSilence(sound) / samplesPerMillisecond;
        // Each sound starts from silence, at a different point of the driver's cycle.
        std::this_thread::sleep_for(std::chrono::microseconds(1000 + 1700 * (round % 7)));
        reader.fresh();

        const auto asked = Clock::now();
        player.play(name);
        const auto returned = Clock::now();
        calls.push_back(std::chrono::duration<double, std::milli>(returned - asked).count());

        bool heard = false;
        while (!heard && Clock::now() - asked < 1s) {
            for (std::int16_t s : reader.fresh()) heard = heard || s != 0;
            if (!heard) std::this_thread::sleep_for(100us);
        }
        const auto onset = Clock::now();
        if (!heard) {
            std::fprintf(stderr, "sound_onset_bench: %s was not heard within 1 s\n", name.c_str());
            return 1;
        }
        onsets.push_back(std::chrono::duration<double, std::milli>(onset - asked).count() - lead);

        const auto length = std::chrono::duration<double, std::milli>(sound.size() / samplesPerMillisecond);
        std::this_thread::sleep_for(length + 60ms);
        while (!allSilent(reader.fresh())) std::this_thread::sleep_for(20ms);
    }
    bench::printRow("sound onset", onsets, "ms");
    bench::printRow("sound call", calls, "ms");
    return 0;
}
