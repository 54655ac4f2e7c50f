// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <cstdio>
#include <cstdlib>

namespace runeshot::fuzz {

// A broken rule stops the run the way a crash does, so libFuzzer keeps the input that broke
// it, and replaying the stored inputs in the normal build fails.
inline void require(bool holds, const char* rule) {
    if (holds) return;
    std::fprintf(stderr, "broken rule: %s\n", rule);
    std::abort();
}

}  // namespace runeshot::fuzz
