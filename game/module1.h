// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <string>
#include <vector>

namespace runeshot {

// The letter table: "A" to "Z" at 0 to 25, "a" to "z" at 26 to 51. It lives from start-up
// until QUIT empties it.
struct Module1 {
    std::vector<std::string> Letters;

    void FillLetters();
};

}  // namespace runeshot
