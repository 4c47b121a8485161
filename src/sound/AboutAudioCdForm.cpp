#include "sound/AboutAudioCdForm.h"

#include "common/LanguageTexts.h"
#include "common/QtTextMeasurer.h"
#include "common/ScreenColours.h"
#include "common/TextDrawing.h"
#include "common/TextEngine.h"
#include "data/DataSet.h"
#include "platform/Ansi.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace pemmaro {

namespace {

constexpr int form_width = 300;
constexpr int text_left = 10;
constexpr int parent_margin = 5;

} // namespace

std::string about_audio_cd_text(const TaudioCD& cd, const Ttextfile_handler& texts) {
    std::string result = cd.media_text_1;
    if (cd.media_text_4.empty())
        return result;
    result += markup::line_break;
    result += texts.text(audio_cd_3::more_about_this_cd) + " ";
    result += std::string{markup::link, markup::bold} + texts.text(audio_cd_3::link) +
              std::string{markup::bold, markup::link};
    result += " " + texts.text(audio_cd_3::after_link);
    return result;
}

TAboutAudioCDForm::TAboutAudioCDForm(UrlOpener open_url, QWidget* parent)
    : TFormWithUnderlinedItems(std::move(open_url), parent, Qt::Popup | Qt::FramelessWindowHint) {
    setObjectName("TAboutAudioCDForm");
}

void TAboutAudioCDForm::ShowAboutAudioCD(QPoint position, const TaudioCD& cd,
                                         const Ttextfile_handler& texts) {
    setWindowTitle(to_qstring(cd.media_text_2));
    Url = cd.media_text_4;
    HasUrl = !Url.empty();
    const DisplayFont& font = display_fonts().normal();
    setFont(qt_font(font));
    line_height_ = line_height(text_measurer(), display_fonts());
    const WrappedText wrapped =
        wrap_text(about_audio_cd_text(cd, texts), form_width - 20, font, text_measurer());
    text_ = wrapped.text;
    lines_ = wrapped.lines;
    const QSize size(form_width, (lines_ + 1) * line_height_);
    if (const QWidget* owner = parentWidget()) {
        const QRect client(owner->mapToGlobal(QPoint(0, 0)), owner->size());
        position.setX(std::min(position.x(), client.right() + 1 - size.width() - parent_margin));
        position.setY(std::min(position.y(), client.bottom() + 1 - size.height() - parent_margin));
    }
    setGeometry(QRect(position, size));
    invalidate_canvas();
    show();
}

void TAboutAudioCDForm::paint_canvas(QPainter& painter) {
    const int ascent =
        text_measurer().metrics(display_fonts().normal().height, false, false).ascent();
    QPoint pen(text_left, line_height_ / 2 + ascent + (lines_ - 1) * line_height_);
    TextDrawing drawing;
    drawing.font = &display_fonts().normal();
    drawing.line_height = line_height_;
    drawing.link_colour = screen_properties().screen_green;
    draw_marked_up_text(painter, pen, text_, drawing);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TAboutAudioCDForm::keyPressEvent(QKeyEvent* event) {
    event->accept();
    close();
}

void TAboutAudioCDForm::mousePressEvent(QMouseEvent* event) {
    // The link opens; any click, on it or beside it, closes the window.
    TFormWithUnderlinedItems::mousePressEvent(event);
    close();
}

void open_audio_cd_information(QWidget* window, const TaudioCD& cd, QPoint position,
                               UrlOpener open_url) {
    auto* form = window->findChild<TAboutAudioCDForm*>(QString(), Qt::FindDirectChildrenOnly);
    if (!form)
        form = new TAboutAudioCDForm(std::move(open_url), window); // owned by the window
    form->ShowAboutAudioCD(position, cd, textfile());
}

} // namespace pemmaro
