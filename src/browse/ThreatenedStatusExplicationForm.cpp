#include "browse/ThreatenedStatusExplicationForm.h"

#include "common/CoreContext.h"
#include "common/LanguageTexts.h"
#include "common/QtTextMeasurer.h"
#include "common/ScreenColours.h"
#include "common/TextEngine.h"
#include "common/TextLines.h"
#include "widgets/WindowPlacement.h"

#include <QPainter>

namespace pemmaro {

namespace {

constexpr int form_width = 300;

// The text between a pair of toggle codes.
std::string toggled(char code, const std::string& text) {
    return code + text + code;
}

} // namespace

std::string threat_explanation_text(const Ttextfile_handler& texts,
                                    const std::array<std::string, 3>& categories) {
    std::string text;
    for (int shown = 1; shown <= 3; ++shown) {
        text += toggled(markup::bold,
                        toggled(markup::red, categories[static_cast<std::size_t>(shown - 1)]));
        text += markup::line_break;
        text += texts.text(threatenedbirds::meaning(shown));
        text += std::string(2, markup::line_break);
    }
    text += texts.text(threatenedbirds::taken_from) + " " +
            toggled(markup::bold, texts.text(threat_source::title));
    text += texts.text(threatenedbirds::published_by) + " " +
            toggled(markup::link, texts.text(threat_source::first_publisher));
    text += " " + texts.text(threatenedbirds::and_by) +
            texts.text(threat_source::second_publisher) + ".";
    return text;
}

TThreatenedStatusExplicationForm::TThreatenedStatusExplicationForm(const CoreContext& context,
                                                                   UrlOpener open_url,
                                                                   QWidget* parent)
    : TFormWithUnderlinedItems(std::move(open_url), parent,
                               Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
    , context_(context) {
    setObjectName("TThreatenedStatusExplicationForm");
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
}

void TThreatenedStatusExplicationForm::ShowThreatExplanation(
    QPoint position, const std::array<std::string, 3>& categories) {
    const Ttextfile_handler& texts = context_.texts;
    Url = texts.text(threat_source::first_publisher_address);
    HasUrl = !Url.empty();
    setFont(qt_font(context_.fonts.normal()));
    line_height_ = line_height(text_measurer(), context_.fonts);
    const WrappedText wrapped =
        wrap_text(threat_explanation_text(texts, categories), form_width - 2 * left_margin,
                  context_.fonts.normal(), text_measurer());
    text_ = wrapped.text;
    line_count_ = wrapped.lines;
    resize(form_width, (line_count_ + 1) * line_height_);
    const QWidget* area = parentWidget();
    move(area ? keep_inside(position, size(), global_client_area(*area)) : position);
    invalidate_canvas();
    show();
    raise();
}

void TThreatenedStatusExplicationForm::paint_canvas(QPainter& painter) {
    paint_framed_paragraph(painter, text_, context_.fonts.normal(), line_height_, line_count_);
}

} // namespace pemmaro
