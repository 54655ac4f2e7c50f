// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "web/json_writer.h"

#include <cmath>
#include <cstdio>

namespace runeshot {

void JsonWriter::next(std::string_view name) {
    if (!first_) text_ += ',';
    first_ = false;
    if (name.empty()) return;
    quoted(name);
    text_ += ':';
}

// Control characters are escaped; every other byte passes as it is, so UTF-8 stays UTF-8.
// A byte that is not UTF-8 (a Latin-1 key the line took in) would make the page's decoder
// put in a replacement character, as the window's toolkit does.
void JsonWriter::quoted(std::string_view text) {
    text_ += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            text_ += '\\';
            text_ += c;
        } else if (byte < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            text_ += escape;
        } else {
            text_ += c;
        }
    }
    text_ += '"';
}

void JsonWriter::open(std::string_view name, char bracket) {
    next(name);
    text_ += bracket;
    first_ = true;
}

void JsonWriter::close(char bracket) {
    text_ += bracket;
    first_ = false;
}

JsonWriter& JsonWriter::beginObject(std::string_view name) {
    open(name, '{');
    return *this;
}

JsonWriter& JsonWriter::endObject() {
    close('}');
    return *this;
}

JsonWriter& JsonWriter::beginArray(std::string_view name) {
    open(name, '[');
    return *this;
}

JsonWriter& JsonWriter::endArray() {
    close(']');
    return *this;
}

JsonWriter& JsonWriter::value(std::string_view name, std::string_view text) {
    next(name);
    quoted(text);
    return *this;
}

// JSON has no infinities or NaN; the form's numbers are finite.
JsonWriter& JsonWriter::value(std::string_view name, double number) {
    next(name);
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.17g", std::isfinite(number) ? number : 0.0);
    text_ += digits;
    return *this;
}

JsonWriter& JsonWriter::numbers(std::string_view name, std::initializer_list<double> values) {
    beginArray(name);
    for (const double number : values) value({}, number);
    return endArray();
}

JsonWriter& JsonWriter::value(std::string_view name, bool flag) {
    next(name);
    text_ += flag ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::null(std::string_view name) {
    next(name);
    text_ += "null";
    return *this;
}

}  // namespace runeshot
