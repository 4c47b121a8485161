#include "TestSupport.h"
#include "common/TextEngine.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <optional>

using namespace pemmaro;
using namespace pemmaro::test;

namespace {

// Every character is 10 pixels wide (bold 12); the text height is the font height + 2.
class FixedWidthMeasurer : public TextMeasurer {
public:
    int text_width(const DisplayFont& font, std::string_view text) const override {
        last_measured = std::string(text);
        ++calls;
        return static_cast<int>(text.size()) * (font.is_bold() ? 12 : 10);
    }
    int text_height(const DisplayFont& font) const override {
        return height_override.value_or(font.height + 2);
    }
    std::optional<int> height_override;
    mutable std::string last_measured;
    mutable int calls = 0;
};

std::string breaks_as_bars(std::string text) {
    std::replace(text.begin(), text.end(), markup::line_break, '|');
    return text;
}

} // namespace

TEST(DisplayFontTable, HeightsStylesAndColours) {
    const DisplayFonts fonts(15);
    EXPECT_EQ(fonts.normal().height, 15);
    EXPECT_EQ(fonts.font(FontStyle::plain, -2, FontColour::black).height, 13);
    EXPECT_EQ(fonts.font(FontStyle::plain, -1, FontColour::black).height, 14);
    EXPECT_EQ(fonts.font(FontStyle::plain, 1, FontColour::black).height, 17);
    EXPECT_EQ(fonts.font(FontStyle::plain, 2, FontColour::red).height, 19);
    EXPECT_TRUE(fonts.scientific().is_italic());
    EXPECT_EQ(fonts.font(FontStyle::italic, -2, FontColour::black).height, 13);
    const DisplayFonts small(10);
    EXPECT_EQ(small.font(FontStyle::bold, -2, FontColour::black).height, 14); // bold at least 14
    EXPECT_EQ(small.font(FontStyle::bold, 2, FontColour::red).colour, FontColour::red);
}

TEST(DisplayFontTable, LineAndRowHeights) {
    FixedWidthMeasurer measurer;
    const DisplayFonts fonts(15);
    EXPECT_EQ(line_height(measurer, fonts), 17);
    EXPECT_EQ(row_height(17), 30);
    EXPECT_EQ(row_height(24), 36);
    ScopedResponder responder;
    measurer.height_override = 0;
    EXPECT_EQ(line_height(measurer, fonts), 13);
    ASSERT_EQ(responder.responder.requests.size(), 1u);
    EXPECT_EQ(responder.responder.requests[0].text, "\"GetTextMetrics()\" returned FALSE!");
}

TEST(Wrapping, KeepsMoreThanFourPixelsFree) {
    FixedWidthMeasurer measurer;
    const DisplayFont font = DisplayFonts(15).normal();
    // "aaa bbb" is 70 pixels: with 75 it leaves 5 free and fits, with 74 it does not.
    EXPECT_EQ(breaks_as_bars(wrap_text("aaa bbb", 75, font, measurer).text), "aaa bbb");
    const WrappedText wrapped = wrap_text("aaa bbb", 74, font, measurer);
    EXPECT_EQ(breaks_as_bars(wrapped.text), "aaa|bbb");
    EXPECT_EQ(wrapped.lines, 2);
    EXPECT_EQ(wrapped.widest, 30);
}

TEST(Wrapping, ExistingBreaksMarkupAndLongWords) {
    FixedWidthMeasurer measurer;
    const DisplayFont font = DisplayFonts(15).normal();
    const std::string marked = std::string("aa ") + markup::italic + "bb" + markup::italic + " cc" +
                               markup::line_break + "dd";
    const WrappedText wrapped = wrap_text(marked, 85, font, measurer);
    EXPECT_EQ(wrapped.lines, 2); // markup measures nothing, so "aa bb cc" fits in 80
    EXPECT_EQ(wrapped.widest, 80);
    const WrappedText narrow = wrap_text("verylongword x", 30, font, measurer);
    EXPECT_EQ(breaks_as_bars(narrow.text), "verylongword|x");
    EXPECT_EQ(narrow.widest, 120);
    EXPECT_EQ(wrap_text("", 100, font, measurer).lines, 1);
}

TEST(Wrapping, MeasuresAtMost501Characters) {
    FixedWidthMeasurer measurer;
    const DisplayFont font = DisplayFonts(15).normal();
    wrap_text(std::string(700, 'x'), 10000, font, measurer);
    EXPECT_EQ(measurer.last_measured.size(), 501u);
}

// A species text of megabytes wraps line by line, each break searched among
// the blanks of its own line, never over the rest of the paragraph (which took
// minutes); a word longer than what is measured still stays whole.
TEST(Wrapping, MegabyteParagraphsAndWordsBeyondTheMeasuredPart) {
    FixedWidthMeasurer measurer;
    const DisplayFont font = DisplayFonts(15).normal();
    std::string line = "sings";
    for (int word = 1; word < 13; ++word)
        line += word == 6 ? std::string(" ") + markup::italic + "sings" + markup::italic
                          : std::string(" sings");
    std::string paragraph = line;
    std::string expected = line;
    for (int row = 1; row < 10000; ++row) {
        paragraph += " " + line;
        expected += markup::line_break + line;
    }
    const WrappedText wrapped = wrap_text(paragraph, 805, font, measurer); // 80 characters
    EXPECT_EQ(wrapped.lines, 10000);
    EXPECT_EQ(wrapped.widest, 770);
    EXPECT_TRUE(wrapped.text == expected);
    EXPECT_LT(measurer.calls, 12 * 10000);

    const std::string long_word(700, 'x');
    EXPECT_EQ(breaks_as_bars(wrap_text(long_word + " tail end", 300, font, measurer).text),
              long_word + "|tail end");
}

TEST(Wrapping, ParagraphAdvance) {
    EXPECT_EQ(paragraph_advance(3, 17, true), 51);
    EXPECT_EQ(paragraph_advance(3, 17, false), 34);
    EXPECT_EQ(paragraph_advance(1, 17, false), 0);
}
