#include "common/QtTextMeasurer.h"

#include "platform/Ansi.h"

#include <cmath>

namespace pemmaro {

QFont qt_font(int height, bool italic, bool bold) {
    QFont font(QString::fromLatin1(display_typeface.data(),
                                   static_cast<qsizetype>(display_typeface.size())));
    font.setPixelSize(std::max(height, 1));
    font.setItalic(italic);
    font.setBold(bold);
    return font;
}

QFont qt_font(const DisplayFont& font) {
    return qt_font(font.height, font.is_italic(), font.is_bold());
}

namespace {

constexpr qreal unmeasured = -1;

QChar character_of(unsigned char byte) {
    const char character = static_cast<char>(byte);
    return to_qstring({&character, 1}).at(0);
}

} // namespace

QtTextMeasurer::FontMeasures& QtTextMeasurer::measures(int height, bool italic, bool bold) const {
    const auto key = std::make_tuple(height, italic, bold);
    auto found = fonts_.find(key);
    if (found == fonts_.end()) {
        const QFont font = qt_font(height, italic, bold);
        FontMeasures entry{QFontMetrics(font), QFontMetricsF(font), {}};
        for (int byte = 32; byte < 256; ++byte) { // below 32: markup codes, no width
            const QChar character = character_of(static_cast<unsigned char>(byte));
            entry.advances[static_cast<std::size_t>(byte)] =
                character.category() == QChar::Other_Control
                    ? unmeasured
                    : entry.fractional.horizontalAdvance(character);
        }
        found = fonts_.emplace(key, std::move(entry)).first;
    }
    return found->second;
}

const QFontMetrics& QtTextMeasurer::metrics(int height, bool italic, bool bold) const {
    return measures(height, italic, bold).metrics;
}

int QtTextMeasurer::text_width(int height, bool italic, bool bold, std::string_view text) const {
    // Summed unrounded, as the text is laid out, so long texts do not drift.
    FontMeasures& font = measures(height, italic, bold);
    qreal width = 0;
    for (char c : text) {
        qreal& advance = font.advances[static_cast<unsigned char>(c)];
        if (advance == unmeasured)
            advance =
                font.fractional.horizontalAdvance(character_of(static_cast<unsigned char>(c)));
        width += advance;
    }
    return static_cast<int>(std::lround(width));
}

int QtTextMeasurer::text_width(const DisplayFont& font, std::string_view text) const {
    return text_width(font.height, font.is_italic(), font.is_bold(), text);
}

int QtTextMeasurer::text_height(const DisplayFont& font) const {
    return metrics(font.height, font.is_italic(), font.is_bold()).height();
}

QtTextMeasurer& text_measurer() {
    static QtTextMeasurer measurer;
    return measurer;
}

} // namespace pemmaro
