#include "ProgramState.h"
#include "TestSupport.h"
#include "common/ProgramFolders.h"
#include "common/TextAndNumbers.h"

#include <QFont>
#include <QFontMetrics>
#include <gtest/gtest.h>

using namespace pemmaro;
using namespace pemmaro::test;

TEST(NumberTexts, ZeroPaddingReplacesLeadingBlanks) {
    EXPECT_EQ(int_to_text_zero_padded(-1, 8), "000000-1");
    EXPECT_EQ(int_to_text_zero_padded(42, 5), "00042");
    EXPECT_EQ(int_to_text_zero_padded(123456, 3), "123456");
}

TEST(NumberTexts, TextToIntTrimsAndReportsErrors) {
    EXPECT_EQ(text_to_int(" 42 ", 7).value, 42);
    EXPECT_FALSE(text_to_int("-12", 7).error);
    EXPECT_EQ(text_to_int("-12", 7).value, -12);
    for (const char* bad : {"", "x", "12x", "3000000000", "1 2"}) {
        const IntConversion result = text_to_int(bad, 7);
        EXPECT_TRUE(result.error) << bad;
        EXPECT_EQ(result.value, 7) << bad;
    }
}

TEST(NumberTexts, RectanglesRoundTripAndBadPartsDefaultToOne) {
    EXPECT_EQ(rect_to_text(10, 20, -30, 40), "10,20,-30,40");
    const TextRect good = text_to_rect("10,20,-30,40");
    EXPECT_FALSE(good.error);
    EXPECT_EQ(good.right, -30);
    const TextRect bad = text_to_rect("10,20,x,40");
    EXPECT_TRUE(bad.error);
    EXPECT_EQ(bad.left, 10);
    EXPECT_EQ(bad.top, 20);
    EXPECT_EQ(bad.right, 1);
    EXPECT_EQ(bad.bottom, 40);
    const TextRect short_text = text_to_rect("5,6");
    EXPECT_TRUE(short_text.error);
    EXPECT_EQ(short_text.top, 6);
}

TEST(TextHelpers, CommasCharactersAndLetters) {
    std::string text = "one,two";
    EXPECT_EQ(take_until_comma(text), "one");
    EXPECT_EQ(text, "two");
    EXPECT_EQ(take_until_comma(text), "two");
    EXPECT_EQ(text, "");
    EXPECT_EQ(remove_blanks(" a b "), "ab");
    EXPECT_EQ(remove_char("a-b-c", '-'), "abc");
    EXPECT_EQ(capitalise_first("bulbul"), "Bulbul");
    EXPECT_EQ(capitalise_first(""), "");
    EXPECT_TRUE(is_upper_letter('q'));
    EXPECT_FALSE(is_upper_letter('1'));
    EXPECT_TRUE(is_digit('0'));
    EXPECT_FALSE(is_digit('a'));
}

TEST(Geometry, PointsAndSines) {
    EXPECT_DOUBLE_EQ(static_cast<double>(distance({0, 0}, {3, 4})), 5.0);
    const PointExt sum = add({1, 2}, {3, 4});
    EXPECT_DOUBLE_EQ(static_cast<double>(sum.y), 6.0);
    const ScopedProgramState program_state;
    initialise_common_services(common_services().program_directory);
    EXPECT_DOUBLE_EQ(static_cast<double>(common_services().sine_table[30]), 0.5);
    EXPECT_DOUBLE_EQ(static_cast<double>(common_services().sine_table[90]), 1.0);
}

TEST(FontMeasures, LineHeightAndAverageWidthComeFromTheFont) {
    QFont font("Arial");
    font.setPixelSize(15);
    EXPECT_EQ(font_line_height(font), QFontMetrics(font).height());
    EXPECT_EQ(average_char_width_sample.size(), 72u);
    const int average = average_char_width(font);
    EXPECT_GT(average, 3);
    EXPECT_LT(average, 15);
    EXPECT_GT(text_width(font, "WWW"), text_width(font, "iii"));
}

TEST(GlobalMemory, BlocksAreZeroedAndOwned) {
    GlobalBlock block = GlobalBlock::allocate(16);
    ASSERT_TRUE(block.is_valid());
    EXPECT_EQ(block.size(), 16u);
    EXPECT_EQ(block.data()[15], 0);
}
