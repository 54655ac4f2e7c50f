#include "sound/sdl_sound_player.h"

#include <SDL.h>
#include <dlfcn.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace runeshot {

namespace {

// The game's own sounds are made in this format, so they reach the device untouched;
// any other WAV file is converted to it.
constexpr int deviceRate = 44100;
constexpr SDL_AudioFormat deviceFormat = AUDIO_S16SYS;
constexpr Uint8 deviceChannels = 1;
// 12 ms at 44.1 kHz: a new sound is heard within one or two of these.
constexpr Uint16 deviceFrames = 512;

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

struct WavDeleter {
    void operator()(Uint8* buffer) const { SDL_FreeWAV(buffer); }
};

// The whole sound in the device's format, or nothing if the file is missing, empty,
// truncated or not a WAV file.
std::optional<std::vector<Uint8>> readSound(const std::string& path) {
    SDL_AudioSpec spec;
    Uint8* rawBuffer = nullptr;
    Uint32 length = 0;
    if (SDL_LoadWAV(path.c_str(), &spec, &rawBuffer, &length) == nullptr) return std::nullopt;
    const std::unique_ptr<Uint8, WavDeleter> buffer(rawBuffer);

    // SDL 2.26's audio streams keep back the last few milliseconds of a resampled sound;
    // a one-shot conversion delivers all of it.
    SDL_AudioCVT conversion;
    if (SDL_BuildAudioCVT(&conversion, spec.format, spec.channels, spec.freq, deviceFormat,
                          deviceChannels, deviceRate) < 0) {
        return std::nullopt;
    }
    std::vector<Uint8> sound(static_cast<std::size_t>(length) *
                             static_cast<std::size_t>(conversion.len_mult));
    std::copy_n(buffer.get(), length, sound.begin());
    if (conversion.needed == 0) {
        sound.resize(length);
        return sound;
    }
    conversion.buf = sound.data();
    conversion.len = static_cast<int>(length);
    if (SDL_ConvertAudio(&conversion) != 0) return std::nullopt;
    sound.resize(static_cast<std::size_t>(conversion.len_cvt));
    return sound;
}

}  // namespace

SdlSoundPlayer::SdlSoundPlayer(std::string folder, std::function<void()> fallback)
    : folder_(std::move(folder)), fallback_(std::move(fallback)) {}

SdlSoundPlayer::~SdlSoundPlayer() {
    if (opener_.joinable()) opener_.join();
    if (device_ != 0) {
        SDL_CloseAudioDevice(device_);
        SDL_Quit();
    }
    if (alsa_ != nullptr) dlclose(alsa_);
}

void SdlSoundPlayer::open() {
    if (opening_) return;
    opening_ = true;
    opener_ = std::thread([this] {
        openDevice();
        // SDL keeps its error text per thread and frees it only for threads of its own.
        SDL_TLSCleanup();
    });
}

void SdlSoundPlayer::waitForDevice() {
    if (opener_.joinable()) opener_.join();
    if (!opening_) {
        opening_ = true;
        openDevice();
    }
}

void SdlSoundPlayer::openDevice() {
    alsa_ = silenceAlsa();
    // SDL's audio brings its event queue along, which would otherwise catch Ctrl+C and
    // termination requests into a queue nobody reads: the game could not be stopped.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_Init(SDL_INIT_AUDIO) == 0) {
        // A file cut short is a broken file, not a shorter sound: it gets the default sound.
        SDL_SetHint(SDL_HINT_WAVE_TRUNCATION, "strict");
        SDL_AudioSpec wanted{};
        wanted.freq = deviceRate;
        wanted.format = deviceFormat;
        wanted.channels = deviceChannels;
        wanted.samples = deviceFrames;
        // No changes allowed: SDL converts for the hardware, and every sound is queued in
        // this one known format.
        device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    }
    if (device_ == 0) {
        std::fprintf(stderr, "runeshot: no sound device, playing without sound (%s)\n",
                     SDL_GetError());
        // Some backends keep a thread looking for new devices; a silent game needs none.
        SDL_Quit();
        return;
    }
    // The device runs from now on; with nothing queued it plays silence, so a sound
    // starts without the delay of waking the device.
    SDL_PauseAudioDevice(device_, 0);
}

// Sounds never overlap: whatever is still queued is dropped, and the new sound follows
// the few milliseconds already handed to the device.
void SdlSoundPlayer::play(const std::string& fileName) {
    waitForDevice();
    if (device_ == 0) return;
    const std::optional<std::vector<Uint8>> sound = readSound(folder_ + "/" + fileName);
    // Held across both calls so that the device never sees the queue empty between them.
    SDL_LockAudioDevice(device_);
    SDL_ClearQueuedAudio(device_);
    if (sound) SDL_QueueAudio(device_, sound->data(), static_cast<Uint32>(sound->size()));
    SDL_UnlockAudioDevice(device_);
    if (!sound) fallback_();
}

}  // namespace runeshot
