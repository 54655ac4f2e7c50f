// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

// What the page calls (js/core.js). Times are the page's monotonic milliseconds, places in
// twips; each call but the starfield's answers with the JSON text of PageSession (the whole
// form at start, afterwards what the input changed), valid until the next call.
#include <cstdint>
#include <optional>
#include <vector>

#include <emscripten.h>

#include "assets/images/pictures.h"
#include "assets/images/starfield.h"
#include "web/page_session.h"

namespace {

std::optional<runeshot::PageSession> session;

const char* deliver(double now, const runeshot::Input& input) {
    return session->handle(static_cast<runeshot::Millis>(now), input).c_str();
}

}  // namespace

using namespace runeshot::inputs;

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* runeshot_start(const char* decimalSeparator) {
    session.emplace(decimalSeparator);
    return session->shown().c_str();
}

EMSCRIPTEN_KEEPALIVE const char* runeshot_press(double now, float x, float y) {
    return deliver(now, Press{x, y});
}

EMSCRIPTEN_KEEPALIVE const char* runeshot_release(double now, float x, float y) {
    return deliver(now, Release{x, y});
}

EMSCRIPTEN_KEEPALIVE const char* runeshot_key(double now, int KeyAscii) {
    return deliver(now, Key{KeyAscii});
}

EMSCRIPTEN_KEEPALIVE const char* runeshot_wake(double now) { return deliver(now, Wake{}); }

EMSCRIPTEN_KEEPALIVE const char* runeshot_input_line_text(double now, const char* text) {
    return deliver(now, InputLineText{text});
}

EMSCRIPTEN_KEEPALIVE const char* runeshot_speed_chosen(double now, int speed) {
    return deliver(now, SpeedChosen{speed != 0});
}

EMSCRIPTEN_KEEPALIVE const char* runeshot_length_text(double now, const char* text) {
    return deliver(now, LengthText{text});
}

EMSCRIPTEN_KEEPALIVE const char* runeshot_window_state(double now, int state) {
    return deliver(now, WindowStateChanged{static_cast<runeshot::FormWindowState>(state)});
}

EMSCRIPTEN_KEEPALIVE const char* runeshot_close_box(double now) { return deliver(now, CloseBox{}); }

// The starfield as RGBA bytes, row by row, for an ImageData of the sizes below.
EMSCRIPTEN_KEEPALIVE const std::uint8_t* runeshot_starfield() {
    static std::vector<std::uint8_t> rgba;
    if (rgba.empty()) {
        for (const runeshot::Rgb& c : runeshot::drawStarfield()) {
            rgba.insert(rgba.end(), {c.r, c.g, c.b, 255});
        }
    }
    return rgba.data();
}

EMSCRIPTEN_KEEPALIVE int runeshot_starfield_width() { return runeshot::starfieldWidth; }
EMSCRIPTEN_KEEPALIVE int runeshot_starfield_height() { return runeshot::starfieldHeight; }

}  // extern "C"
