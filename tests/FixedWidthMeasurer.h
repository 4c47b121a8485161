#pragma once
// A text measurer of fixed-width glyphs (8 pixels each), so that wrapping and
// heights are known without fonts.

#include "common/TextEngine.h"

namespace pemmaro::test {

class FixedWidthMeasurer : public TextMeasurer {
public:
    int text_width(const DisplayFont&, std::string_view text) const override {
        return static_cast<int>(text.size()) * 8;
    }
    int text_height(const DisplayFont& font) const override { return font.height + 2; }
};

} // namespace pemmaro::test
