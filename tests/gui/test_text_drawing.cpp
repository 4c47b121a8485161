#include "TestSupport.h"
#include "browse/DisplayBitmaps.h"
#include "common/QtTextMeasurer.h"
#include "common/TextDrawing.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace pemmaro;

namespace {

const QColor link_green(0, 255, 0);

struct Canvas {
    QImage image{300, 100, QImage::Format_RGB32};
    Canvas() { image.fill(Qt::white); }

    QPoint draw(std::string_view text, QPoint pen, bool highlighted = false) {
        QPainter painter(&image);
        TextDrawing drawing;
        drawing.line_height = 20;
        drawing.highlighted = highlighted;
        drawing.link_colour = link_green;
        draw_marked_up_text(painter, pen, text, drawing);
        return pen;
    }
    int count_in_row(int y, int from_x, int to_x, const QColor& colour) const {
        int count = 0;
        for (int x = from_x; x < to_x; ++x)
            count += image.pixelColor(x, y) == colour ? 1 : 0;
        return count;
    }
    bool any_dark_in_rows(int from_y, int to_y) const {
        for (int y = from_y; y < to_y; ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y).lightness() < 100)
                    return true;
        return false;
    }
};

} // namespace

TEST(MarkedUpText, LinksAreUnderlinedInTheLinkColourBelowTheBaseline) {
    Canvas canvas;
    const std::string text = std::string("ab ") + markup::link + "linked" + markup::link + " cd";
    const QPoint end = canvas.draw(text, {10, 40});
    const auto width = [](std::string_view part) {
        return text_measurer().text_width(display_fonts().normal(), part);
    };
    const int link_start = 10 + width("ab ");
    const int link_end = link_start + width("linked");
    EXPECT_EQ(canvas.count_in_row(41, 0, link_start, link_green), 0);
    EXPECT_GE(canvas.count_in_row(41, link_start, link_end, link_green),
              (link_end - link_start) / 2);
    EXPECT_EQ(canvas.count_in_row(41, link_end + 1, 300, link_green), 0);
    EXPECT_EQ(canvas.count_in_row(40, 0, 300, link_green), 0); // only the row below the baseline
    EXPECT_EQ(end.x(), link_end + width(" cd"));
}

TEST(MarkedUpText, ParagraphsStandOnTheirLastLine) {
    Canvas canvas;
    const std::string text = std::string("Top") + markup::line_break + "Bottom";
    const QPoint end = canvas.draw(text, {5, 80});
    EXPECT_TRUE(canvas.any_dark_in_rows(50, 61)); // the first line, 20 pixels up
    EXPECT_TRUE(canvas.any_dark_in_rows(70, 81));
    EXPECT_EQ(end.y(), 80);
}

TEST(MarkedUpText, HighlightAndColourToggles) {
    Canvas plain;
    plain.draw("abc", {5, 40});
    EXPECT_EQ(plain.count_in_row(35, 0, 300, QColor(0, 255, 255)), 0);
    Canvas highlighted;
    highlighted.draw("abc", {5, 40}, true);
    EXPECT_GT(highlighted.count_in_row(35, 0, 300, QColor(0, 255, 255)), 0);
    Canvas red;
    red.draw(std::string(1, markup::red) + "WWWW", {5, 40});
    int reddish = 0;
    for (int y = 25; y < 41; ++y)
        for (int x = 0; x < 100; ++x) {
            const QColor c = red.image.pixelColor(x, y);
            reddish += c.red() > 200 && c.green() < 80 ? 1 : 0;
        }
    EXPECT_GT(reddish, 10);
}

// The font lacks them, so they are measured only when a text holds one.
TEST(TextMeasuring, ControlCharactersAreMeasuredAtTheirFirstUse) {
    const QtTextMeasurer measurer;
    const DisplayFont& font = display_fonts().normal();
    const std::string text = "Kite\x7f\x81\x8d\x7f\x81\x8d";
    const int first = measurer.text_width(font, text);
    EXPECT_GE(first, measurer.text_width(font, "Kite"));
    EXPECT_EQ(measurer.text_width(font, text), first);
}

TEST(DisplayBitmaps, AllResourcesLoadAndAMissingOneIsFatal) {
    load_display_bitmaps();
    const BitmapSizes sizes = display_bitmap_sizes();
    for (std::size_t number = 1; number < sizes.size(); ++number)
        EXPECT_GT(sizes[number].first, 0) << display_bitmap_names[number];
    EXPECT_EQ(sizes[bitmap_family_plus], sizes[bitmap_species_plus]);
    EXPECT_TRUE(display_bitmap(0).isNull());
    pemmaro::test::ScopedResponder responder;
    pemmaro::test::ScopedFatalThrows throws;
    const std::array<std::string_view, 1> missing = {"NO_SUCH_BITMAP"};
    EXPECT_THROW(load_bitmap_resources(missing), pemmaro::test::FatalError);
    EXPECT_EQ(responder.responder.requests.back().text, "Bitmap NO_SUCH_BITMAP resource missing");
}
