// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace runeshot::fuzz {

// The fuzzer's bytes, read as events from the front and as random draws from the back, so
// that a mutation of the events leaves the dealt letters where they were.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : front_(data), back_(data + size) {}

    bool empty() const { return front_ == back_; }
    std::size_t remaining() const { return static_cast<std::size_t>(back_ - front_); }

    std::uint8_t takeByte() { return empty() ? 0 : *front_++; }
    std::uint16_t takeWord() {
        const std::uint16_t low = takeByte();
        return static_cast<std::uint16_t>(low | takeByte() << 8);
    }
    std::string takeText(std::size_t length) {
        std::string text;
        while (text.size() < length && !empty()) text.push_back(static_cast<char>(takeByte()));
        return text;
    }

    std::uint8_t takeLastByte() { return empty() ? 0 : *--back_; }

private:
    const std::uint8_t* front_;
    const std::uint8_t* back_;
};

}  // namespace runeshot::fuzz
