// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "sound/sdl_sound_player.h"

#include <dlfcn.h>
#include <pthread.h>

#include <algorithm>
#include <cstdio>
#include <utility>

#include "sound/sdl_library.h"

namespace runeshot {

namespace {

// 12 ms at 44.1 kHz: a new sound is heard within one or two of these.
constexpr Uint16 deviceFrames = 512;
// After a sound the device plays on in silence for a tenth of a second before it sleeps,
// so that the sound's last samples are surely out of SDL's and the sound server's buffers
// and quick keys keep it going. Each 12 ms of it costs a wake-up.
constexpr std::size_t tailBytes = deviceRate / 10 * deviceBytesPerFrame;

void ignoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

// With no sound card, ALSA writes a handful of lines of its own to standard error while
// SDL tries it. SDL loads the very library loaded here, so a handler set here silences it
// for SDL too; the player then says in one line what happened.
void* silenceAlsa() {
    void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
    if (alsa == nullptr) return nullptr;
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetHandler = int (*)(Handler);
    if (auto setHandler = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler"))) {
        setHandler(ignoreAlsaMessage);
    }
    return alsa;
}

}  // namespace

SdlSoundPlayer::SdlSoundPlayer(std::string folder, std::function<void()> fallback,
                               Clock::duration closeAfter)
    : folder_(std::move(folder)), fallback_(std::move(fallback)), closeAfter_(closeAfter) {}

SdlSoundPlayer::~SdlSoundPlayer() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    work_.notify_one();
    if (thread_.joinable()) thread_.join();
    if (alsa_ != nullptr) dlclose(alsa_);
}

void SdlSoundPlayer::open() {
    if (!thread_.joinable()) thread_ = std::thread([this] { run(); });
}

// Sounds never overlap: the player's thread stops whatever still plays and starts the new
// sound in the device's next buffer.
void SdlSoundPlayer::play(const std::string& fileName) {
    open();
    {
        const std::lock_guard lock(mutex_);
        if (silent_) return;
        requests_.push_back(fileName);
    }
    work_.notify_one();
}

void SdlSoundPlayer::run() {
    // Named so that top and the CPU figures can tell the player's thread from the window's.
    pthread_setname_np(pthread_self(), "runeshot-sound");
    const bool opened = openDevice();
    std::unique_lock lock(mutex_);
    silent_ = !opened;
    while (!stopping_ && !silent_) {
        if (!requests_.empty()) {
            playRequest(lock);
        } else if (device_ != 0 && quiet_) {
            const bool woken = work_.wait_until(lock, quietSince_ + closeAfter_, [this] {
                return stopping_ || !requests_.empty();
            });
            if (!woken) closeDevice(lock);
        } else {
            work_.wait(lock, [this] {
                return stopping_ || !requests_.empty() || (device_ != 0 && quiet_);
            });
        }
    }
    requests_.clear();
    if (device_ != 0) closeDevice(lock);
    lock.unlock();
    // Some backends keep a thread looking for new devices; a silent game needs none.
    if (sdlStarted_) sdl_->Quit();
    // SDL keeps its error text per thread and frees it only for threads of its own.
    if (sdl_ != nullptr) sdl_->TLSCleanup();
}

bool SdlSoundPlayer::openDevice() {
    if (!sdlStarted_ && (sdl_ = sdlLibrary()) != nullptr) {
        alsa_ = silenceAlsa();
        // SDL's audio brings its event queue along, which would otherwise catch Ctrl+C and
        // termination requests into a queue nobody reads: the game could not be stopped.
        sdl_->SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        sdlStarted_ = sdl_->Init(SDL_INIT_AUDIO) == 0;
        // A file cut short is a broken file, not a shorter sound: it gets the default sound.
        if (sdlStarted_) sdl_->SetHint(SDL_HINT_WAVE_TRUNCATION, "strict");
    }
    if (sdlStarted_) {
        {
            const std::lock_guard lock(mutex_);
            quietSince_ = Clock::now();
        }
        SDL_AudioSpec wanted{};
        wanted.freq = deviceRate;
        wanted.format = AUDIO_S16SYS;
        wanted.channels = deviceChannels;
        wanted.samples = deviceFrames;
        wanted.callback = fillDevice;
        wanted.userdata = this;
        // No changes allowed: SDL converts for the hardware, and every sound is handed over
        // in this one known format.
        device_ = sdl_->OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    }
    // Once silent the player never tries again, so this is said once however often the
    // device was opened before.
    if (device_ == 0) {
        std::fprintf(stderr, "runeshot: no sound device, playing without sound (%s)\n",
                     sdl_ != nullptr ? sdl_->GetError() : sdlLibraryError());
        return false;
    }
    sdl_->PauseAudioDevice(device_, 0);
    return true;
}

void SdlSoundPlayer::closeDevice(std::unique_lock<std::mutex>& lock) {
    // SDL waits for its device thread, which may be asleep in fill().
    closing_ = true;
    deviceWork_.notify_one();
    lock.unlock();
    sdl_->CloseAudioDevice(device_);
    lock.lock();
    device_ = 0;
    closing_ = false;
    playing_.reset();
    tailLeft_ = 0;
}

// Hands the next requested sound to the device. A sound asked for while the device was
// being closed waits here until it is open again, and then plays whole.
void SdlSoundPlayer::playRequest(std::unique_lock<std::mutex>& lock) {
    const std::string name = std::move(requests_.front());
    requests_.pop_front();
    lock.unlock();
    Sound sound = files_.load(folder_ + "/" + name);
    if (!sound) {
        lock.lock();
        // A file that cannot be played still stops the sound before it.
        if (playing_) {
            playing_.reset();
            tailLeft_ = tailBytes;
        }
        lock.unlock();
        fallback_();
        lock.lock();
        return;
    }
    const bool ready = device_ != 0 || openDevice();
    lock.lock();
    if (!ready) {
        silent_ = true;
        return;
    }
    playing_ = std::move(sound);
    played_ = 0;
    quiet_ = false;
    deviceWork_.notify_one();
}

void SdlSoundPlayer::fillDevice(void* player, std::uint8_t* out, int length) {
    static_cast<SdlSoundPlayer*>(player)->fill(out, static_cast<std::size_t>(length));
}

// Runs on SDL's device thread. While there is nothing to play it sleeps here instead of
// handing SDL silence every 12 ms: the device then costs no CPU at all, and a new sound
// wakes it at once.
void SdlSoundPlayer::fill(std::uint8_t* out, std::size_t length) {
    std::unique_lock lock(mutex_);
    deviceWork_.wait(lock, [this] { return playing_ || tailLeft_ > 0 || closing_; });
    std::size_t copied = 0;
    if (playing_) {
        copied = std::min(length, playing_->size() - played_);
        std::copy_n(playing_->data() + played_, copied, out);
        played_ += copied;
        if (played_ == playing_->size()) {
            playing_.reset();
            tailLeft_ = tailBytes;
        }
    }
    std::fill(out + copied, out + length, std::uint8_t{0});
    tailLeft_ -= std::min(tailLeft_, length - copied);
    if (!playing_ && tailLeft_ == 0 && !quiet_) {
        quiet_ = true;
        quietSince_ = Clock::now();
        work_.notify_one();
    }
}

}  // namespace runeshot
