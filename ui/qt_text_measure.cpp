#include "ui/qt_text_measure.h"

#include <QFontMetrics>

#include "ui/fonts.h"

namespace runeshot {

namespace {
constexpr Twips twipsPerPixel = 15;
}

TwipsSize QtTextMeasure::measure(std::string_view text, const Font& font) const {
    const QFontMetrics metrics(qtFont(font));
    const QString caption = QString::fromUtf8(text.data(), qsizetype(text.size()));
    return {static_cast<Twips>(metrics.horizontalAdvance(caption)) * twipsPerPixel,
            static_cast<Twips>(metrics.height()) * twipsPerPixel};
}

}  // namespace runeshot
