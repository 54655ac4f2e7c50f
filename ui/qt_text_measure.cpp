// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "ui/qt_text_measure.h"

#include <QFontMetrics>

#include "ui/fonts.h"

namespace runeshot {

namespace {
// The counters show a new number with every hit and miss; a long session must not keep
// every number it ever showed.
constexpr std::size_t mostKept = 1024;
}  // namespace

TwipsSize QtTextMeasure::measure(std::string_view text, const Font& font) const {
    Key key{std::string(text), font.Name, font.Size, font.Bold};
    if (const auto found = measured_.find(key); found != measured_.end()) return found->second;
    const QFontMetrics metrics(qtFont(font));
    const QString caption = QString::fromUtf8(text.data(), qsizetype(text.size()));
    const TwipsSize size{static_cast<Twips>(metrics.horizontalAdvance(caption)) * twipsPerPixel,
                         static_cast<Twips>(metrics.height()) * twipsPerPixel};
    if (measured_.size() >= mostKept) measured_.clear();
    measured_.emplace(std::move(key), size);
    return size;
}

}  // namespace runeshot
