#include "tests/sound/sound_test_support.h"

#include <SDL.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <thread>

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

DiskAudio::DiskAudio(const std::filesystem::path& file)
    : file_(file),
      driver_("SDL_AUDIODRIVER", "disk"),
      output_("SDL_DISKAUDIOFILE", file.string()) {}

Samples DiskAudio::samples() const {
    std::ifstream in(file_, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
    return littleEndianSamples(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

bool DiskAudio::waitFor(const std::function<bool(const Samples&)>& done) const {
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < giveUp) {
        if (done(samples())) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
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

std::size_t matchingRun(const Samples& output, std::size_t from, const Samples& sound) {
    std::size_t n = 0;
    while (from + n < output.size() && n < sound.size() && output[from + n] == sound[n]) ++n;
    return n;
}

bool endedInSilence(const Samples& output) {
    constexpr std::size_t quarterSecond = 11025;
    const auto lastSound =
        std::find_if(output.rbegin(), output.rend(), [](std::int16_t s) { return s != 0; });
    if (lastSound == output.rend()) return false;
    return static_cast<std::size_t>(lastSound - output.rbegin()) >= quarterSecond;
}

}  // namespace runeshot
