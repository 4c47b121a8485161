#include "maps_pictures/PictureInfoForm.h"

#include "common/CoreContext.h"
#include "common/QtTextMeasurer.h"
#include "common/ScreenColours.h"
#include "common/TextDrawing.h"
#include "common/TextEngine.h"
#include "data/DataSet.h"
#include "maps_pictures/MapWindow.h"
#include "widgets/WindowPlacement.h"

#include <QMouseEvent>
#include <QPainter>

namespace pemmaro {

namespace {

constexpr int narrow_width = 300;
constexpr int wide_width = 400;
constexpr std::size_t long_text = 150;
constexpr int locality_search_limit = 1000;

} // namespace

std::string picture_information_text(const Tbig_picture& picture, const Ttextfile_handler& texts) {
    std::string text;
    append_subspecies_text(text, picture.subspecies_ref, true, texts);
    if (!text.empty())
        text += ' ';
    text += picture.caption;
    if (!text.empty())
        text += ' ';
    if (picture.locality)
        text += markup::link + locality_display_name(*picture.locality) + markup::link;
    if (picture.picture_value != -1)
        text += " " + recording_date_text(picture.picture_value) + ".";
    return text;
}

TPictureInfoForm::TPictureInfoForm(const CoreContext& context, UrlOpener open_url, QWidget* parent)
    : TFormWithUnderlinedItems(open_url, parent,
                               Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
    , context_(context) {
    setObjectName("TPictureInfoForm");
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    // The map belongs to the picture window: the pop-up hides behind the map.
    map_ = new TMapForm(context, std::move(open_url), parent);
    map_->setObjectName("PictureInfoMap");
}

TPictureInfoForm::~TPictureInfoForm() {
    delete map_.data();
}

void TPictureInfoForm::Show(QPoint position, const std::string& text, const Tlocality* locality,
                            const std::string& title, const Tspecies* species) {
    locality_ = locality;
    species_ = species;
    title_ = title;
    const DisplayFont& font = context_.fonts.normal();
    setFont(qt_font(font));
    line_height_ = line_height(text_measurer(), context_.fonts);
    int width = text.size() < long_text ? narrow_width : wide_width;
    const WrappedText wrapped = wrap_text(text, width - left_margin, font, text_measurer());
    text_ = wrapped.text;
    line_count_ = wrapped.lines;
    if (line_count_ == 1)
        width = wrapped.widest + 2 * left_margin;
    resize(width, (line_count_ + 1) * line_height_);
    const QWidget* area = parentWidget();
    move(area ? keep_inside(position, size(), global_client_area(*area)) : position);
    invalidate_canvas();
    show();
    raise();
}

void TPictureInfoForm::open_map() {
    if (!locality_ || !species_ || !map_ || map_->isVisible())
        return;
    map_->ShowMap(species_, locality_, false, title_);
    map_->show();
    map_->raise();
}

bool TPictureInfoForm::IsItemUnderMouse(int x, int y) {
    return IsOverUnderline(canvas(), x, y, fontMetrics().height(), locality_search_limit,
                           screen_properties().screen_green);
}

void TPictureInfoForm::paint_canvas(QPainter& painter) {
    paint_framed_paragraph(painter, text_, context_.fonts.normal(), line_height_, line_count_);
}

void TPictureInfoForm::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (locality_ && IsItemUnderMouse(at.x(), at.y()))
        open_map();
    TFormWithUnderlinedItems::mousePressEvent(event);
}

void TPictureInfoForm::hideEvent(QHideEvent* event) {
    if (map_)
        map_->close();
    TFormWithUnderlinedItems::hideEvent(event);
}

} // namespace pemmaro
