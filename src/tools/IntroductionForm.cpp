#include "tools/IntroductionForm.h"

#include "common/CoreContext.h"
#include "common/LanguageTexts.h"
#include "common/Product.h"
#include "common/QtTextMeasurer.h"
#include "common/ScreenColours.h"
#include "common/TextDrawing.h"
#include "common/TextLines.h"
#include "platform/Ansi.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

namespace pemmaro {

namespace {

constexpr int fewest_colours_for_pictures = 25;

QRect work_area_of_screen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

} // namespace

IntroLayout intro_layout(int product_code, bool few_colours) {
    IntroLayout layout;
    int width = product_code == 101 ? 637 : 630;
    if (product_code == 103 || product_code == 114)
        width += 7;
    int height = product_code == 101 || product_code == 106 || product_code == 114 ? 465 : 426;
    if (few_colours) {
        width -= 70;
        height -= 60;
    }
    layout.client_size = QSize(width, height);
    switch (product_code) {
    case 101:
    case 114:
        layout.picture_at = QPoint(0, 10);
        break;
    case 111:
    case 112:
        layout.picture_at = QPoint(5, 120);
        break;
    default: // 106, and the products whose point this build has no settings for
        layout.picture_at = QPoint(5, 65);
        break;
    }
    return layout;
}

TIntroductionForm::TIntroductionForm(const CoreContext& context, QImage picture, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , context_(context) {
    setObjectName("TIntroductionForm");
    setAttribute(Qt::WA_DeleteOnClose);
    const bool few_colours = screen_properties().screen_colour_count < fewest_colours_for_pictures;
    if (screen_properties().screen_colour_count > fewest_colours_for_pictures)
        picture_ = std::move(picture);
    layout_ = intro_layout(context.product.product_code, few_colours);
    // The title names the window for the desktop; the window shows no caption.
    setWindowTitle(to_qstring(context.texts.text(kz_intro::subtitle)));
    setFont(qt_font(context.fonts.normal()));
    setFixedSize(layout_.client_size);
    const QRect area = work_area_of_screen();
    move(area.topLeft() + QPoint((area.width() - width()) / 2, (area.height() - height()) / 2));
}

void TIntroductionForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!picture_.isNull())
        painter.drawImage(layout_.picture_at, picture_);
    const DisplayFonts& fonts = context_.fonts;
    const int h = line_height(text_measurer(), fonts);
    TextDrawing drawing;
    drawing.font = &fonts.font(FontStyle::bold, 2, FontColour::black);
    drawing.line_height = h;
    drawing.link_colour = screen_properties().screen_green;
    // The title and the line under it above the picture, the hint at the foot.
    QPoint pen(10, 10 + h);
    draw_marked_up_text(painter, pen, context_.product.product_title, drawing);
    drawing.font = &fonts.normal();
    pen = QPoint(10, 14 + 2 * h);
    draw_marked_up_text(painter, pen, context_.texts.text(kz_intro::subtitle), drawing);
    drawing.font = &fonts.font(FontStyle::italic, 0, FontColour::black);
    pen = QPoint(10, height() - 8);
    draw_marked_up_text(painter, pen, context_.texts.text(kz_intro::how_to_close), drawing);
}

void TIntroductionForm::keyPressEvent(QKeyEvent*) {
    close();
}

void TIntroductionForm::mousePressEvent(QMouseEvent*) {
    close();
}

void TIntroductionForm::mouseDoubleClickEvent(QMouseEvent*) {
    close();
}

} // namespace pemmaro
