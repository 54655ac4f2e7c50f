// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace runeshot {

// Writes one JSON text front to back; commas go in by themselves. Names are the page's
// own and need no escaping; string values may hold anything the player typed.
class JsonWriter {
public:
    JsonWriter& beginObject(std::string_view name = {});
    JsonWriter& endObject();
    JsonWriter& beginArray(std::string_view name = {});
    JsonWriter& endArray();
    JsonWriter& value(std::string_view name, std::string_view text);
    JsonWriter& value(std::string_view name, const char* text) {
        return value(name, std::string_view(text));
    }
    JsonWriter& value(std::string_view name, double number);
    JsonWriter& value(std::string_view name, bool flag);
    JsonWriter& null(std::string_view name);
    // An element of an array.
    JsonWriter& element(std::string_view text) { return value({}, text); }
    // An array of numbers, such as a rectangle's [x, y, width, height].
    JsonWriter& numbers(std::string_view name, std::initializer_list<double> values);

    const std::string& text() const { return text_; }

private:
    void next(std::string_view name);
    void open(std::string_view name, char bracket);
    void close(char bracket);
    void quoted(std::string_view text);

    std::string text_;
    bool first_ = true;
};

}  // namespace runeshot
