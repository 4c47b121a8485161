#include "widgets/PersonForm.h"

#include "common/CoreContext.h"
#include "common/LanguageTexts.h"
#include "common/QtTextMeasurer.h"
#include "common/ScreenColours.h"
#include "common/TextDrawing.h"
#include "common/TextLines.h"
#include "data/DataSet.h"
#include "platform/Ansi.h"
#include "widgets/WindowPlacement.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace pemmaro {

namespace {

constexpr int narrow_width = 300;
constexpr int wide_width = 400;
constexpr std::size_t long_text = 50; // a text this long gets the wide pop-up
constexpr int left_margin = 10;
constexpr char copyright_sign[] = "\xA9 "; // Windows-1252

const DisplayFont& bold_font(const DisplayFonts& fonts) {
    return fonts.font(FontStyle::bold, 0, FontColour::black);
}

} // namespace

TPersonForm::TPersonForm(const CoreContext& context, QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput |
                          Qt::WindowDoesNotAcceptFocus)
    , context_(context) {
    setObjectName("TPersonForm");
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

std::string TPersonForm::title() const {
    return (ShowCreditSign_ ? std::string(copyright_sign) : std::string()) + markup::bold + key_ +
           markup::bold;
}

TPersonForm::PersonText TPersonForm::wrapped_text(const std::string& label, const std::string& text,
                                                  int width) const {
    PersonText result;
    if (text.empty())
        return result;
    const DisplayFont& font = context_.fonts.normal();
    result.label = label + " ";
    const int label_width = text_measurer().text_width(font, result.label);
    result.wrapped = wrap_text(text, width - left_margin - label_width, font, text_measurer());
    result.lines = result.wrapped.lines;
    return result;
}

void TPersonForm::ShowPerson(QPoint position, const Tperson& person, bool ShowCreditSign) {
    key_ = person.key;
    ShowCreditSign_ = ShowCreditSign;
    setWindowTitle(to_qstring(key_));
    const DisplayFonts& fonts = context_.fonts;
    line_height_ = line_height(text_measurer(), fonts);
    int width = person.person_text_1.size() >= long_text || person.person_text_2.size() >= long_text
                    ? wide_width
                    : narrow_width;
    const std::string plain_title = without_markup(title());
    const int title_width = text_measurer().text_width(bold_font(fonts), plain_title);
    text_1_ =
        wrapped_text(context_.texts.text(personal::text_1_label), person.person_text_1, width);
    text_2_ =
        wrapped_text(context_.texts.text(personal::text_2_label), person.person_text_2, width);
    if (text_1_.lines <= 1 && text_2_.lines <= 1) {
        int needed = title_width + 2 * left_margin;
        for (const PersonText* text : {&text_1_, &text_2_}) {
            if (text->lines > 0)
                needed =
                    std::max(needed, 2 * left_margin +
                                         text_measurer().text_width(fonts.normal(), text->label) +
                                         text->wrapped.widest);
        }
        width = std::min(width, needed);
    }
    const int height =
        static_cast<int>(std::lround((text_1_.lines + 1 + text_2_.lines + 0.5) * line_height_));
    resize(width, height);
    const QWidget* area = parentWidget();
    move(area ? keep_inside(position, size(), global_client_area(*area)) : position);
    show();
    raise();
    update();
}

void TPersonForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    const DisplayFonts& fonts = context_.fonts;
    TextDrawing drawing;
    drawing.font = &fonts.normal();
    drawing.line_height = line_height_;
    drawing.link_colour = screen_properties().screen_green;
    // Each row's text stands on its baseline.
    int baseline = line_height_ + 1;
    QPoint pen(left_margin, baseline);
    draw_marked_up_text(painter, pen, title(), drawing);
    for (const PersonText* text : {&text_1_, &text_2_}) {
        if (text->lines == 0)
            continue;
        baseline += line_height_;
        pen = QPoint(left_margin, baseline);
        draw_marked_up_text(painter, pen, text->label, drawing);
        // A paragraph is drawn with the pen on its last line.
        pen = QPoint(pen.x(), baseline + (text->lines - 1) * line_height_);
        draw_marked_up_text(painter, pen, text->wrapped.text, drawing);
        baseline += (text->lines - 1) * line_height_;
    }
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace pemmaro
