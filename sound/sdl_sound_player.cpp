// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "sound/sdl_sound_player.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <utility>

#include "platform/platform.h"
#include "sound/device_feed.h"
#include "sound/sdl_library.h"
#include "sound/sound_files.h"

namespace runeshot {

namespace {

// 6 ms at 44.1 kHz: a new sound starts within one of these, plus what SDL and the sound
// server hold. PipeWire runs its graph in periods of this length too; with twice as many
// frames a sound on an open device started 20 ms after it was asked for there, 16 with these
// (13 and 8 on PulseAudio).
constexpr Uint16 deviceFrames = 256;

SoundClock::duration timeOf(std::size_t frames) {
    return std::chrono::duration_cast<SoundClock::duration>(
        std::chrono::duration<double>(static_cast<double>(frames) / deviceRate));
}

void ignoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

// With no sound card, ALSA writes a handful of lines of its own to standard error while
// SDL tries it. SDL loads the very library loaded here, so a handler set here silences it
// for SDL too; the player then says in one line what happened.
void* silenceAlsa() {
    std::string error;
    void* alsa = platform::openLibrary("libasound.so.2", error);
    if (alsa == nullptr) return nullptr;
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetHandler = int (*)(Handler);
    if (auto setHandler = reinterpret_cast<SetHandler>(
            platform::findSymbol(alsa, "snd_lib_error_set_handler"))) {
        setHandler(ignoreAlsaMessage);
    }
    return alsa;
}

// SDL 2.26 plays to a PipeWire desktop through its PulseAudio service, where a sound on an
// open device was heard 24 ms after it was asked for, against 16 ms through PipeWire's own
// stream. So PipeWire is played to directly where it has a sink; SDL's PipeWire backend
// alone would wait for ever for a sink on a PipeWire that serves no sound. A driver named
// in SDL_AUDIODRIVER is left as it is.
void preferPipeWire(const SdlLibrary& sdl) {
    if (std::getenv("SDL_AUDIODRIVER") != nullptr || sdl.GetDefaultAudioInfo == nullptr) return;
    const char* driver = sdl.GetCurrentAudioDriver();
    if (driver != nullptr && std::strcmp(driver, "pipewire") == 0) return;
    char* sink = nullptr;
    SDL_AudioSpec spec;
    const bool served =
        sdl.AudioInit("pipewire") == 0 && sdl.GetDefaultAudioInfo(&sink, &spec, 0) == 0;
    sdl.free(sink);
    // Should the default driver fail to start again, opening the device says so.
    if (!served) sdl.AudioInit(nullptr);
}

}  // namespace

// Everything the player's thread works with. The thread holds it too, so that a thread
// left behind by a hanging sound server never works on freed memory.
struct SdlSoundPlayer::Shared {
    Shared(std::string folder, std::function<void()> fallback, std::shared_ptr<SoundClock> clock,
           const SoundPlayerLimits& limits, const SdlLibrary* (*loadSdl)())
        : folder(std::move(folder)),
          fallback(std::move(fallback)),
          clock(std::move(clock)),
          limits(limits),
          loadSdl(loadSdl),
          files(loadSdl),
          quiet(limits.closeAfter) {}

    void run();
    void playFile(const std::string& name);
    bool deviceReady();
    bool deviceLost() const;
    void keepDevice();
    void openPlayingSilence();
    bool openDevice();
    void closeDevice();
    void stopSdl();
    void closeIfQuiet();
    void callFallback();
    static void fillDevice(void* shared, std::uint8_t* out, int length);

    const std::string folder;
    const std::function<void()> fallback;
    const std::shared_ptr<SoundClock> clock;
    const SoundPlayerLimits limits;
    const SdlLibrary* (*const loadSdl)();

    // Used by the player's thread alone.
    SoundFiles files;
    void* alsa = nullptr;
    const SdlLibrary* sdl = nullptr;
    bool sdlStarted = false;
    SDL_AudioDeviceID device = 0;
    bool lostWhenStalled = false;
    // How long the open device stays open after its last sound.
    SoundClock::duration quiet;
    SoundClock::time_point closeAt;
    SoundClock::time_point nextTry;
    // Until when a lost device is opened again without waiting for a sound: for as long as
    // it would have stayed open.
    SoundClock::time_point replaceUntil;
    // Whether the line about no sound device has been written since a device last opened.
    bool saidNoDevice = false;

    // Guarded by mutex.
    std::mutex mutex;
    std::condition_variable work;
    std::condition_variable finishedWork;
    std::deque<std::string> requests;
    bool openAsked = false;
    bool stopping = false;
    bool finished = false;

    // SDL's callback and the player's thread, under SDL's device lock.
    DeviceFeed feed;
    // When SDL's callback last ran.
    std::atomic<SoundClock::duration::rep> lastFill{0};
};

SdlSoundPlayer::SdlSoundPlayer(std::string folder, std::function<void()> fallback,
                               std::shared_ptr<SoundClock> clock, SoundPlayerLimits limits,
                               const SdlLibrary* (*loadSdl)())
    : shared_(std::make_shared<Shared>(std::move(folder), std::move(fallback), std::move(clock),
                                       limits, loadSdl)) {}

SdlSoundPlayer::~SdlSoundPlayer() {
    if (!thread_.joinable()) return;
    std::unique_lock lock(shared_->mutex);
    shared_->stopping = true;
    shared_->work.notify_one();
    SoundClock& clock = *shared_->clock;
    const bool finished = clock.waitUntil(shared_->finishedWork, lock,
                                          clock.now() + shared_->limits.stopWait,
                                          [this] { return shared_->finished; });
    lock.unlock();
    if (finished) {
        thread_.join();
    } else {
        thread_.detach();
    }
}

void SdlSoundPlayer::open() {
    {
        const std::lock_guard lock(shared_->mutex);
        shared_->openAsked = true;
    }
    shared_->work.notify_one();
    if (!thread_.joinable()) thread_ = std::thread([shared = shared_] { shared->run(); });
}

void SdlSoundPlayer::play(const std::string& fileName) {
    {
        const std::lock_guard lock(shared_->mutex);
        shared_->requests.push_back(fileName);
    }
    shared_->work.notify_one();
    if (!thread_.joinable()) thread_ = std::thread([shared = shared_] { shared->run(); });
}

void SdlSoundPlayer::Shared::run() {
    // Named so that top and the CPU figures can tell the player's thread from the window's.
    platform::nameThisThread("runeshot-sound");
    std::unique_lock lock(mutex);
    const std::function<bool()> asked = [this] {
        return stopping || openAsked || !requests.empty();
    };
    while (!stopping) {
        if (!requests.empty()) {
            const std::string name = std::move(requests.front());
            requests.pop_front();
            lock.unlock();
            playFile(name);
            lock.lock();
        } else if (openAsked) {
            openAsked = false;
            lock.unlock();
            openPlayingSilence();
            lock.lock();
        } else if (device == 0 && clock->now() < replaceUntil) {
            if (!clock->waitUntil(work, lock, std::min(nextTry, replaceUntil), asked)) {
                lock.unlock();
                openPlayingSilence();
                lock.lock();
            }
        } else if (device == 0) {
            clock->waitUntil(work, lock, SoundClock::never, asked);
        } else if (!clock->waitUntil(work, lock, std::min(closeAt, clock->now() + limits.lookEvery),
                                     asked)) {
            lock.unlock();
            keepDevice();
            lock.lock();
        }
    }
    lock.unlock();
    stopSdl();
    // SDL keeps its error text per thread and frees it only for threads of its own.
    if (sdl != nullptr) sdl->TLSCleanup();
    if (alsa != nullptr) platform::closeLibrary(alsa);
    lock.lock();
    finished = true;
    finishedWork.notify_all();
}

void SdlSoundPlayer::Shared::playFile(const std::string& name) {
    const DeviceSound* sound = files.load(folder + "/" + name);
    if (sound == nullptr) {
        // A file that cannot be played still stops the sound before it.
        static const DeviceSound noSound;
        if (device != 0) {
            sdl->LockAudioDevice(device);
            feed.handOver(&noSound);
            sdl->UnlockAudioDevice(device);
        }
        // Without a sound device the game is silent, the default sound included.
        if (!saidNoDevice) callFallback();
        return;
    }
    if (!deviceReady()) return;
    sdl->LockAudioDevice(device);
    feed.handOver(sound);
    const std::size_t left = feed.framesLeft();
    sdl->UnlockAudioDevice(device);
    // A device just opened starts with the sound, not with silence queued before it.
    sdl->PauseAudioDevice(device, 0);
    closeAt = clock->now() + timeOf(left) + quiet;
}

bool SdlSoundPlayer::Shared::deviceLost() const {
    const bool stalled = clock->now() - SoundClock::time_point(SoundClock::duration(lastFill)) >
                         limits.stalledAfter;
    return (lostWhenStalled && stalled) || sdl->GetAudioDeviceStatus(device) == SDL_AUDIO_STOPPED;
}

// A device lost while open is replaced at once, so that the next sound finds one ready;
// a quiet one is closed.
void SdlSoundPlayer::Shared::keepDevice() {
    if (deviceLost()) {
        replaceUntil = closeAt;
        openPlayingSilence();
    } else if (clock->now() >= closeAt) {
        closeIfQuiet();
    }
}

void SdlSoundPlayer::Shared::openPlayingSilence() {
    if (deviceReady()) sdl->PauseAudioDevice(device, 0);
}

// Whether a device is open: a lost one is closed and another opened, left paused.
bool SdlSoundPlayer::Shared::deviceReady() {
    if (device != 0 && !deviceLost()) return true;
    if (device != 0) {
        // The sound server went away: SDL talks to it no more, and starts afresh to find
        // it again.
        stopSdl();
        nextTry = {};
    }
    return openDevice();
}

bool SdlSoundPlayer::Shared::openDevice() {
    const auto now = clock->now();
    bool slow = false;
    if (now < nextTry) return false;
    if (sdl == nullptr && (sdl = loadSdl()) != nullptr) alsa = silenceAlsa();
    if (sdl != nullptr && !sdlStarted) {
        // SDL's audio brings its event queue along, which would otherwise catch Ctrl+C and
        // termination requests into a queue nobody reads: the game could not be stopped.
        sdl->SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        sdlStarted = sdl->Init(SDL_INIT_AUDIO) == 0;
        if (sdlStarted) preferPipeWire(*sdl);
        // A file cut short is a broken file, not a shorter sound: it gets the default sound.
        if (sdlStarted) sdl->SetHint(SDL_HINT_WAVE_TRUNCATION, "strict");
    }
    if (sdlStarted) {
        SDL_AudioSpec wanted{};
        wanted.freq = deviceRate;
        wanted.format = AUDIO_S16SYS;
        wanted.channels = deviceChannels;
        wanted.samples = deviceFrames;
        wanted.callback = fillDevice;
        wanted.userdata = this;
        const auto asked = clock->now();
        // No changes allowed: SDL converts for the hardware, and every sound is handed over
        // in this one known format.
        device = sdl->OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
        slow = clock->now() - asked > limits.slowOpen;
    }
    if (device == 0) {
        if (!saidNoDevice) {
            std::fprintf(stderr, "runeshot: no sound device, playing without sound (%s)\n",
                         sdl != nullptr ? sdl->GetError() : sdlLibraryError());
        }
        saidNoDevice = true;
        nextTry = now + limits.retryAfter;
        // The next try starts SDL afresh, so that it looks again for a sound server.
        stopSdl();
        return false;
    }
    saidNoDevice = false;
    const char* driver = sdl->GetCurrentAudioDriver();
    const bool pipeWire = driver != nullptr && std::strcmp(driver, "pipewire") == 0;
    lostWhenStalled = pipeWire;
    quiet = pipeWire || slow ? limits.closeAfterSlowOpen : limits.closeAfter;
    closeAt = now + quiet;
    lastFill = now.time_since_epoch().count();
    return true;
}

void SdlSoundPlayer::Shared::closeDevice() {
    sdl->CloseAudioDevice(device);
    device = 0;
    feed.clear();
}

void SdlSoundPlayer::Shared::stopSdl() {
    if (device != 0) closeDevice();
    // Some backends keep a thread looking for new devices; a silent game needs none.
    if (sdlStarted) sdl->Quit();
    sdlStarted = false;
}

// Closes the device once everything handed to it has been played and it has been quiet
// for the time set; otherwise looks again then.
void SdlSoundPlayer::Shared::closeIfQuiet() {
    sdl->LockAudioDevice(device);
    const std::size_t left = feed.framesLeft();
    sdl->UnlockAudioDevice(device);
    if (left == 0) {
        closeDevice();
    } else {
        closeAt = clock->now() + timeOf(left) + quiet;
    }
}

// Never once the owner is gone: the fallback may reach into the program.
void SdlSoundPlayer::Shared::callFallback() {
    const std::lock_guard lock(mutex);
    if (!stopping) fallback();
}

// Runs on SDL's device thread, holding SDL's device lock, and never waits.
void SdlSoundPlayer::Shared::fillDevice(void* shared, std::uint8_t* out, int length) {
    auto* self = static_cast<Shared*>(shared);
    self->feed.fill(out, static_cast<std::size_t>(length));
    self->lastFill = self->clock->now().time_since_epoch().count();
}

}  // namespace runeshot
