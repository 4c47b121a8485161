#include "common/TextDrawing.h"

#include "common/QtTextMeasurer.h"
#include "platform/Ansi.h"

#include <QPainter>
#include <algorithm>

namespace pemmaro {

namespace {

constexpr std::size_t drawn_line_limit = 255;
const QColor highlight_colour(0, 255, 255);
const QColor text_red(255, 0, 0);
const QColor text_green(0, 170, 0);

struct DrawState {
    bool italic = false;
    bool bold = false;
    bool link = false;
    int height = 15;
    QColor colour = Qt::black;
};

DrawState initial_state(const DisplayFont& font) {
    DrawState state;
    state.italic = font.is_italic();
    state.bold = font.is_bold();
    state.height = font.height;
    state.colour = font.colour == FontColour::red ? text_red : QColor(Qt::black);
    return state;
}

void apply_code(char code, DrawState& state, QPoint& pen) {
    switch (code) {
    case markup::italic:
        state.italic = !state.italic;
        if (!state.italic)
            pen.rx() += 1; // leaves room after the slanted letters
        break;
    case markup::bold:
        state.bold = !state.bold;
        break;
    case markup::link:
        state.link = !state.link;
        break;
    case markup::smaller:
        state.height -= 1;
        break;
    case markup::larger:
        state.height += 1;
        break;
    case markup::red:
        state.colour = state.colour != QColor(Qt::black) ? QColor(Qt::black) : text_red;
        break;
    case markup::green:
        state.colour = state.colour == text_green ? QColor(Qt::black) : text_green;
        break;
    default:
        break;
    }
}

void draw_segment(QPainter& painter, QPoint& pen, std::string_view segment, const DrawState& state,
                  const TextDrawing& drawing) {
    if (segment.empty())
        return;
    const QFont font = qt_font(state.height, state.italic, state.bold);
    const QFontMetrics& metrics = text_measurer().metrics(state.height, state.italic, state.bold);
    const QString text = to_qstring(segment);
    const int width = text_measurer().text_width(state.height, state.italic, state.bold, segment);
    painter.setFont(font);
    if (drawing.highlighted)
        painter.fillRect(QRect(pen.x(), pen.y() - metrics.ascent(), width, metrics.height()),
                         highlight_colour);
    painter.setPen(state.colour);
    painter.drawText(pen, text);
    if (state.link) {
        // The underline carries the link colour that hit testing looks for; the
        // text is drawn again so the line never covers a letter.
        painter.setPen(QPen(drawing.link_colour, 1));
        painter.drawLine(pen.x(), pen.y() + 1, pen.x() + width - 1, pen.y() + 1);
        painter.setPen(state.colour);
        painter.drawText(pen, text);
    }
    pen.rx() += width;
}

void draw_line(QPainter& painter, QPoint& pen, std::string_view line, DrawState& state,
               const TextDrawing& drawing) {
    line = line.substr(0, drawn_line_limit);
    std::size_t start = 0;
    for (std::size_t i = 0; i <= line.size(); ++i) {
        if (i < line.size() && !is_markup_code(line[i]))
            continue;
        draw_segment(painter, pen, line.substr(start, i - start), state, drawing);
        if (i < line.size())
            apply_code(line[i], state, pen);
        start = i + 1;
    }
}

} // namespace

void draw_marked_up_text(QPainter& painter, QPoint& pen, std::string_view text,
                         const TextDrawing& drawing) {
    const DisplayFont base = drawing.font ? *drawing.font : display_fonts().normal();
    DrawState state = initial_state(base);
    const auto lines = static_cast<int>(std::count(text.begin(), text.end(), markup::line_break));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const int paragraph_x = pen.x();
    pen.ry() -= lines * drawing.line_height; // the last line stands on the pen's row
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(markup::line_break, start);
        draw_line(painter, pen,
                  text.substr(start, end == std::string_view::npos ? text.npos : end - start),
                  state, drawing);
        if (end == std::string_view::npos)
            break;
        pen.setX(paragraph_x);
        pen.ry() += drawing.line_height;
        start = end + 1;
    }
    painter.restore();
}

bool IsOverUnderline(const QImage& canvas, int x, int y, int font_height, int limit,
                     const QColor& link_colour) {
    constexpr QRgb mask = 0xF0F0F0;
    const qreal ratio = canvas.devicePixelRatio();
    const int px = static_cast<int>(x * ratio);
    if (canvas.isNull() || px < 0 || px >= canvas.width())
        return false;
    const int last = std::min(y + font_height, limit);
    for (int row = std::max(y, 0); row <= last; ++row) {
        const int py = static_cast<int>(row * ratio);
        if (py >= canvas.height())
            break;
        if ((canvas.pixel(px, py) & mask) == (link_colour.rgb() & mask))
            return true;
    }
    return false;
}

} // namespace pemmaro
