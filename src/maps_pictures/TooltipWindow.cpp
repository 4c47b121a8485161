#include "maps_pictures/TooltipWindow.h"

#include "common/QtTextMeasurer.h"
#include "common/TextDrawing.h"

#include <QCursor>
#include <QPainter>
#include <QTimer>

namespace pemmaro {

namespace {

constexpr int watch_interval_ms = 100;
constexpr QRgb frame_colour = qRgb(0, 128, 0);
constexpr int text_left = 5;
constexpr int text_top = 2;

} // namespace

TTooltipForm::TTooltipForm(QWidget* owner, const DisplayFont& font)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , cursor_position([] { return QCursor::pos(); })
    , font_(font) {
    setObjectName("TTooltipForm");
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFont(qt_font(font));
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::ToolTipBase));
    setPalette(colours);
    setAutoFillBackground(true);
    Timer = new QTimer(this);
    Timer->setObjectName("Timer");
    connect(Timer, &QTimer::timeout, this, &TTooltipForm::TimerTimer);
}

void TTooltipForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    LineHeight = text_measurer().metrics(font_.height, false, false).height() + 2;
    setFixedHeight(line_count * LineHeight + 2);
    Timer->start(watch_interval_ms);
}

void TTooltipForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QColor(frame_colour));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    const int ascent = text_measurer().metrics(font_.height, false, false).ascent();
    QPoint pen(text_left, text_top + ascent + (line_count - 1) * LineHeight);
    TextDrawing drawing;
    drawing.font = &font_;
    drawing.line_height = LineHeight;
    draw_marked_up_text(painter, pen, text, drawing);
}

void TTooltipForm::TimerTimer() {
    if (!HotRect.contains(cursor_position()))
        close();
}

void ShowTooltip(QWidget* owner, const DisplayFont& font, QPoint screen_position,
                 QPointer<TTooltipForm>& tooltip, const std::string& text, QRect hot_rect,
                 int line_count, int width) {
    close_tooltip(tooltip);
    tooltip = new TTooltipForm(owner, font);
    tooltip->text = text;
    tooltip->HotRect = hot_rect;
    tooltip->line_count = line_count;
    tooltip->setFixedWidth(width);
    tooltip->move(screen_position);
    tooltip->show();
}

void close_tooltip(QPointer<TTooltipForm>& tooltip) {
    if (tooltip)
        tooltip->close();
    tooltip = nullptr;
}

} // namespace pemmaro
