// Windows with underlined items: the hand cursor over an underline, a click
// on it opening the window's address, plain text doing nothing.

#include "common/ScreenColours.h"
#include "widgets/UnderlinedItemsForm.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <gtest/gtest.h>

namespace pemmaro {
namespace {

constexpr int underline_y = 40;

// Plain words at the left, a link from x 100 to 160 underlined at y 40.
class LinkForm : public TFormWithUnderlinedItems {
public:
    explicit LinkForm(UrlOpener open)
        : TFormWithUnderlinedItems(std::move(open)) {
        resize(240, 80);
    }

protected:
    void paint_canvas(QPainter& painter) override {
        painter.setPen(Qt::black);
        painter.drawText(QPoint(10, underline_y - 2), "Listed by");
        painter.setPen(screen_properties().screen_green);
        painter.drawText(QPoint(100, underline_y - 2), "BirdLife");
        painter.drawLine(100, underline_y, 160, underline_y);
    }
};

void mouse(QWidget& widget, QEvent::Type type, QPoint at) {
    QMouseEvent event(type, at, widget.mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &event);
}

TEST(UnderlinedItems, TheUnderlineIsTheItemAndItsClickOpensTheAddress) {
    std::vector<std::string> opened;
    LinkForm form([&](const std::string& address) { opened.push_back(address); });
    form.HasUrl = true;
    form.Url = "https://www.iucnredlist.org/";

    // On the underline, and a few pixels above it within a font's height.
    EXPECT_TRUE(form.IsItemUnderMouse(130, underline_y));
    EXPECT_TRUE(form.IsItemUnderMouse(130, underline_y - 6));
    EXPECT_FALSE(form.IsItemUnderMouse(130, underline_y + 1));
    EXPECT_FALSE(form.IsItemUnderMouse(40, underline_y - 6)) << "plain text";

    mouse(form, QEvent::MouseMove, {130, underline_y - 4});
    EXPECT_EQ(form.current_cursor(), Qt::PointingHandCursor);
    mouse(form, QEvent::MouseMove, {40, underline_y - 4});
    EXPECT_EQ(form.current_cursor(), Qt::ArrowCursor);

    mouse(form, QEvent::MouseButtonPress, {40, underline_y - 4});
    EXPECT_TRUE(opened.empty());
    mouse(form, QEvent::MouseButtonPress, {130, underline_y - 4});
    EXPECT_EQ(opened, std::vector<std::string>{"https://www.iucnredlist.org/"});

    // Without an address the underline is only a hand cursor.
    form.HasUrl = false;
    mouse(form, QEvent::MouseButtonPress, {130, underline_y - 4});
    EXPECT_EQ(opened.size(), 1u);
}

} // namespace
} // namespace pemmaro
