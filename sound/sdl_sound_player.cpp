// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "sound/sdl_sound_player.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>

#include "platform/platform.h"
#include "sound/sdl_library.h"

namespace runeshot {

namespace {

// 12 ms at 44.1 kHz: a new sound is heard within one or two of these.
constexpr Uint16 deviceFrames = 512;
// After a sound the device plays on in silence for a tenth of a second before it sleeps,
// so that the sound's last samples are surely out of SDL's and the sound server's buffers
// and quick keys keep it going. Each 12 ms of it costs a wake-up.
constexpr std::size_t tailFrames = deviceRate / 10;
// A sound cut off by the next one fades out under it for 5 ms: stopped dead, it would
// leave the speaker with a jump as large as the sound itself, heard as a click.
constexpr std::size_t fadeFrames = deviceRate / 200;

// Handed over in place of a sound, it stops the one playing and plays nothing.
const DeviceSound noSound;

std::size_t framesOf(const DeviceSound& sound) { return sound.size() / deviceBytesPerFrame; }

int sampleAt(const DeviceSound& sound, std::size_t frame) {
    std::int16_t sample;
    std::memcpy(&sample, sound.data() + frame * deviceBytesPerFrame, sizeof sample);
    return sample;
}

SdlSoundPlayer::Clock::duration timeOf(std::size_t frames) {
    return std::chrono::duration_cast<SdlSoundPlayer::Clock::duration>(
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
    if (auto setHandler = reinterpret_cast<SetHandler>(platform::findSymbol(alsa, "snd_lib_error_set_handler"))) {
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
    if (alsa_ != nullptr) platform::closeLibrary(alsa_);
}

void SdlSoundPlayer::open() {
    if (!thread_.joinable()) thread_ = std::thread([this] { run(); });
}

// A new sound cuts the one still playing: the player's thread hands it to the device's next
// buffer.
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
    platform::nameThisThread("runeshot-sound");
    const bool opened = openDevice();
    std::unique_lock lock(mutex_);
    silent_ = !opened;
    const auto asked = [this] { return stopping_ || !requests_.empty(); };
    const auto askedOrDrained = [&] { return asked() || (!resting_ && drained_.load()); };
    while (!stopping_ && !silent_) {
        if (!requests_.empty()) {
            const std::string name = std::move(requests_.front());
            requests_.pop_front();
            lock.unlock();
            const bool heard = playRequest(name);
            lock.lock();
            silent_ = !heard;
        } else if (device_ == 0) {
            work_.wait(lock, asked);
        } else if (!work_.wait_until(lock, resting_ ? quietSince_ + closeAfter_ : busyUntil_,
                                     askedOrDrained) ||
                   drained_.exchange(false)) {
            lock.unlock();
            if (resting_) {
                closeDevice();
            } else {
                restIfQuiet();
            }
            lock.lock();
        }
    }
    requests_.clear();
    lock.unlock();
    if (device_ != 0) closeDevice();
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
    // Started asleep: the first buffer waits for the first sound.
    sdl_->LockAudioDevice(device_);
    resting_ = true;
    quietSince_ = Clock::now();
    sdl_->PauseAudioDevice(device_, 0);
    return true;
}

void SdlSoundPlayer::closeDevice() {
    // SDL waits for its device thread, which must not be left waiting for the lock.
    if (resting_) sdl_->UnlockAudioDevice(device_);
    resting_ = false;
    sdl_->CloseAudioDevice(device_);
    device_ = 0;
    next_ = nullptr;
    playing_ = nullptr;
    fading_ = nullptr;
    tailLeft_ = 0;
}

// A sound asked for while the device was being closed waits until it is open again, and
// then plays whole. False when the device cannot be opened.
bool SdlSoundPlayer::playRequest(const std::string& name) {
    const DeviceSound* sound = files_.load(folder_ + "/" + name);
    if (sound == nullptr) {
        // A file that cannot be played still stops the sound before it.
        if (device_ != 0 && !resting_) handOver(&noSound);
        fallback_();
        return true;
    }
    if (device_ == 0 && !openDevice()) return false;
    handOver(sound);
    return true;
}

// SDL's device thread takes the sound at the start of its next buffer, with the one still
// playing fading out under its first milliseconds.
void SdlSoundPlayer::handOver(const DeviceSound* sound) {
    drained_ = false;
    next_.store(sound, std::memory_order_release);
    if (resting_) sdl_->UnlockAudioDevice(device_);
    resting_ = false;
    busyUntil_ = Clock::now() + timeOf(framesOf(*sound) + tailFrames);
}

// Lets the device sleep once it has played everything handed to it, and otherwise looks
// again when it should have.
void SdlSoundPlayer::restIfQuiet() {
    sdl_->LockAudioDevice(device_);
    const DeviceSound* next = next_.load(std::memory_order_acquire);
    std::size_t left = tailLeft_;
    if (playing_ != nullptr) left += framesOf(*playing_) - played_;
    if (next != nullptr) left += framesOf(*next) + tailFrames;
    if (next == nullptr && left == 0 && fading_ == nullptr) {
        resting_ = true;
        quietSince_ = Clock::now();
        return;
    }
    sdl_->UnlockAudioDevice(device_);
    busyUntil_ = Clock::now() + timeOf(left) + std::chrono::milliseconds(1);
}

void SdlSoundPlayer::fillDevice(void* player, std::uint8_t* out, int length) {
    static_cast<SdlSoundPlayer*>(player)->fill(out, static_cast<std::size_t>(length));
}

// Runs on SDL's device thread, holding SDL's device lock, and never waits.
void SdlSoundPlayer::fill(std::uint8_t* out, std::size_t length) {
    if (const DeviceSound* next = next_.exchange(nullptr, std::memory_order_acquire)) {
        if (playing_ != nullptr) {
            fading_ = playing_;
            fadedFrom_ = played_;
            fadeStep_ = 0;
        }
        playing_ = next->empty() ? nullptr : next;
        played_ = 0;
        tailLeft_ = tailFrames;
    }
    const bool inTail = tailLeft_ > 0;
    const std::size_t frames = length / deviceBytesPerFrame;
    std::size_t copied = 0;
    if (playing_ != nullptr) {
        copied = std::min(frames, framesOf(*playing_) - played_);
        std::memcpy(out, playing_->data() + played_ * deviceBytesPerFrame,
                    copied * deviceBytesPerFrame);
        played_ += copied;
        if (played_ == framesOf(*playing_)) playing_ = nullptr;
    }
    std::memset(out + copied * deviceBytesPerFrame, 0, (frames - copied) * deviceBytesPerFrame);
    tailLeft_ -= std::min(tailLeft_, frames - copied);
    for (std::size_t frame = 0; fading_ != nullptr && frame < frames; ++frame) {
        std::uint8_t* at = out + frame * deviceBytesPerFrame;
        std::int16_t sample;
        std::memcpy(&sample, at, sizeof sample);
        const int mixed = sample + sampleAt(*fading_, fadedFrom_ + fadeStep_) *
                                       static_cast<int>(fadeFrames - fadeStep_) /
                                       static_cast<int>(fadeFrames + 1);
        sample = static_cast<std::int16_t>(std::clamp(mixed, -32768, 32767));
        std::memcpy(at, &sample, sizeof sample);
        ++fadeStep_;
        if (fadeStep_ == fadeFrames || fadedFrom_ + fadeStep_ == framesOf(*fading_)) {
            fading_ = nullptr;
        }
    }
    // The silence after the last sound has run out: the player's thread lets the device
    // sleep now, so that the next sound finds it asleep and starts at once.
    if (inTail && tailLeft_ == 0 && playing_ == nullptr && fading_ == nullptr) {
        drained_ = true;
        work_.notify_one();
    }
}

}  // namespace runeshot
