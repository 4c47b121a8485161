#include "TestSupport.h"
#include "common/TextAndNumbers.h"

#include <gtest/gtest.h>

using namespace pemmaro;

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

TEST(TextHelpers, CapitaliseTheFirstLetter) {
    EXPECT_EQ(capitalise_first("bulbul"), "Bulbul");
    EXPECT_EQ(capitalise_first(""), "");
}
