#pragma once
// Display fonts as Qt fonts, and measuring with Qt's font metrics.

#include "common/TextEngine.h"

#include <QFont>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <array>
#include <map>
#include <tuple>

namespace pemmaro {

QFont qt_font(const DisplayFont& font);
QFont qt_font(int height, bool italic, bool bold);

// Needs a QGuiApplication. A text's width is the sum of its characters'
// advances (as the classic text-extent measuring does, without kerning), read
// from a table kept per font, so measuring needs no text shaping.
class QtTextMeasurer : public TextMeasurer {
public:
    int text_width(const DisplayFont& font, std::string_view text) const override;
    int text_height(const DisplayFont& font) const override;
    int text_width(int height, bool italic, bool bold, std::string_view text) const;
    const QFontMetrics& metrics(int height, bool italic, bool bold) const;

private:
    struct FontMeasures {
        QFontMetrics metrics;
        QFontMetricsF fractional;
        // By Windows-1252 byte, unrounded; negative until measured. Control
        // characters are measured when a text first holds one: the font lacks
        // them, and looking for them goes through every fallback font.
        std::array<qreal, 256> advances;
    };
    FontMeasures& measures(int height, bool italic, bool bold) const;

    mutable std::map<std::tuple<int, bool, bool>, FontMeasures> fonts_;
};

// The program's measurer.
QtTextMeasurer& text_measurer();

} // namespace pemmaro
