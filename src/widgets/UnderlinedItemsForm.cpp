#include "widgets/UnderlinedItemsForm.h"

#include "common/ScreenColours.h"
#include "common/TextDrawing.h"

#include <QMouseEvent>
#include <QPainter>

namespace pemmaro {

namespace {

// How far down the default look for an underline may reach.
constexpr int underline_search_limit = 10000;

} // namespace

TFormWithUnderlinedItems::TFormWithUnderlinedItems(UrlOpener open_url, QWidget* parent,
                                                   Qt::WindowFlags flags)
    : QWidget(parent, flags)
    , open_url_(std::move(open_url)) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

bool TFormWithUnderlinedItems::IsItemUnderMouse(int x, int y) {
    return IsOverUnderline(canvas(), x, y, fontMetrics().height(), underline_search_limit,
                           screen_properties().screen_green);
}

const QImage& TFormWithUnderlinedItems::canvas() {
    update_canvas();
    return canvas_;
}

void TFormWithUnderlinedItems::invalidate_canvas() {
    canvas_valid_ = false;
    update();
}

void TFormWithUnderlinedItems::update_canvas() {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = canvas_size() * ratio;
    if (canvas_valid_ && canvas_.size() == pixels)
        return;
    canvas_ = QImage(pixels, QImage::Format_RGB32);
    canvas_.setDevicePixelRatio(ratio);
    canvas_.fill(palette().color(QPalette::Window));
    QPainter painter(&canvas_);
    painter.setFont(font());
    paint_canvas(painter);
    canvas_valid_ = true;
}

void TFormWithUnderlinedItems::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    current_cursor_.reset();
}

void TFormWithUnderlinedItems::paintEvent(QPaintEvent*) {
    update_canvas();
    QPainter painter(this);
    painter.drawImage(QPoint(0, -vertical_scroll_position()), canvas_);
}

void TFormWithUnderlinedItems::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    canvas_valid_ = false;
}

void TFormWithUnderlinedItems::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const Qt::CursorShape wanted = IsItemUnderMouse(at.x(), at.y() + vertical_scroll_position())
                                       ? Qt::PointingHandCursor
                                       : Qt::ArrowCursor;
    // Set only on a change: moving over the same item leaves the cursor alone.
    if (current_cursor_ != wanted) {
        setCursor(wanted);
        current_cursor_ = wanted;
    }
    QWidget::mouseMoveEvent(event);
}

void TFormWithUnderlinedItems::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (HasUrl && open_url_ && IsItemUnderMouse(at.x(), at.y() + vertical_scroll_position()))
        open_url_(Url);
    QWidget::mousePressEvent(event);
}

void TFormWithUnderlinedItems::paint_framed_paragraph(QPainter& painter, std::string_view text,
                                                      const DisplayFont& font, int line_height,
                                                      int line_count) const {
    TextDrawing drawing;
    drawing.font = &font;
    drawing.line_height = line_height;
    drawing.link_colour = screen_properties().screen_green;
    // The pen stands on the last line's baseline: the paragraph is drawn upwards.
    QPoint pen(left_margin, line_height / 3 + line_count * line_height);
    draw_marked_up_text(painter, pen, text, drawing);
    painter.setPen(Qt::black);
    painter.drawRect(QRect(QPoint(0, 0), size()).adjusted(0, 0, -1, -1));
}

} // namespace pemmaro
