// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "assets/sounds/wav_file.h"

#include <string_view>

namespace runeshot {

namespace {

// WAV is little-endian whatever the machine, so every field is written byte by byte.
void putTag(std::vector<std::uint8_t>& out, std::string_view tag) {
    out.insert(out.end(), tag.begin(), tag.end());
}

void putU16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFFu));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFFu));
}

void putU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    putU16(out, value & 0xFFFFu);
    putU16(out, value >> 16);
}

}  // namespace

std::vector<std::uint8_t> encodeWav(const std::vector<std::int16_t>& samples, int rate,
                                    int channels) {
    constexpr std::uint32_t bytesPerSample = 2;
    constexpr std::uint32_t formatChunkSize = 16;
    constexpr std::uint32_t pcmFormat = 1;
    const auto dataSize = static_cast<std::uint32_t>(samples.size() * bytesPerSample);
    const auto frameSize = static_cast<std::uint32_t>(channels) * bytesPerSample;

    std::vector<std::uint8_t> out;
    out.reserve(44 + dataSize);
    putTag(out, "RIFF");
    putU32(out, 4 + (8 + formatChunkSize) + (8 + dataSize));
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    putU32(out, formatChunkSize);
    putU16(out, pcmFormat);
    putU16(out, static_cast<std::uint32_t>(channels));
    putU32(out, static_cast<std::uint32_t>(rate));
    putU32(out, static_cast<std::uint32_t>(rate) * frameSize);
    putU16(out, frameSize);
    putU16(out, bytesPerSample * 8);
    putTag(out, "data");
    putU32(out, dataSize);
    for (const std::int16_t sample : samples) putU16(out, static_cast<std::uint16_t>(sample));
    return out;
}

}  // namespace runeshot
