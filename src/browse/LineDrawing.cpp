#include "browse/LineDrawing.h"

#include "browse/DisplayBitmaps.h"
#include "common/QtTextMeasurer.h"
#include "common/TextDrawing.h"

#include <QPainter>
#include <algorithm>

namespace pemmaro {

namespace {

constexpr int baseline_drop = 12; // text stands this far below the pen
constexpr int bitmap_gap = 5;

void draw_text(QPainter& painter, const SHST_TShowString& line, QPoint& pen,
               const DisplayFont*& font, const LineDrawing& drawing, bool highlighted) {
    if (line.font)
        font = line.font;
    const std::string text = drawn_text(line);
    if (text.empty())
        return;
    QPoint baseline(pen.x(), pen.y() + baseline_drop);
    const TextDrawing text_drawing{font, drawing.line_height, highlighted, drawing.link_colour};
    draw_marked_up_text(painter, baseline, text, text_drawing);
    pen.setX(baseline.x());
}

void draw_bitmap(QPainter& painter, const SHST_TShowString& line, QPoint& pen,
                 const LineDrawing& drawing) {
    if (line.bitmap <= bitmap_none)
        return;
    const auto index = static_cast<std::size_t>(line.bitmap);
    const auto [dx, dy] = display_bitmap_offsets[index];
    const QImage& image = display_bitmap(line.bitmap);
    if (!image.isNull()) {
        // White is transparent: the bitmap is ANDed with what is there.
        const QPainter::CompositionMode mode = painter.compositionMode();
        painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        painter.drawImage(QPoint(pen.x() + dx, pen.y() + dy), image);
        painter.setCompositionMode(mode);
    }
    pen.rx() += dx + drawing.bitmap_sizes[index].first + bitmap_gap;
}

} // namespace

std::string drawn_text(const SHST_TShowString& line) {
    switch (line.kind) {
    case lkFamilyHeader:
        return {};
    case lkSpeciesHeader:
    case lkRecordingNumber:
        return std::to_string(line.value) + ". ";
    default:
        return is_name_line(line.kind) && line.stop_follows ? line.text + ". " : line.text;
    }
}

void draw_display_line(QPainter& painter, SHST_TShowString& line, LinePen& pen,
                       const LineDrawing& drawing) {
    if (line.x != 0)
        pen.at.setX(line.x);
    line.drawn_x = pen.at.x();
    line.drawn_y = pen.at.y();
    pen.at.ry() += line.advance;
    if (is_bitmap_line(line.kind)) {
        draw_bitmap(painter, line, pen.at, drawing);
    } else if (line.kind == lkSmallPicture) {
        if (!drawing.squeeze_horizontal && line.species && drawing.pictures)
            if (const QImage* picture = drawing.pictures->picture(*line.species))
                painter.drawImage(pen.at, *picture);
    } else if (line.kind != lkSoundBar) {
        draw_text(painter, line, pen.at, pen.font, drawing, false);
    }
}

void draw_highlighted_line(QPainter& painter, const SHST_TShowString& line,
                           const LineDrawing& drawing) {
    QPoint pen(line.drawn_x, line.drawn_y + line.advance);
    const DisplayFont* font = &drawing.fonts->normal();
    draw_text(painter, line, pen, font, drawing, true);
}

std::optional<bool> bitmap_hit(const SHST_TShowString& line, QPoint point,
                               const LineDrawing& drawing) {
    if (line.bitmap <= bitmap_none)
        return std::nullopt;
    const auto index = static_cast<std::size_t>(line.bitmap);
    const auto [dx, dy] = display_bitmap_offsets[index];
    const auto [width, height] = drawing.bitmap_sizes[index];
    const int left = line.drawn_x + dx;
    const int top = line.drawn_y + line.advance + dy;
    if (point.x() < left || point.x() > left + width || point.y() < top || point.y() > top + height)
        return std::nullopt;
    return point.x() <= left + width / 2;
}

bool small_picture_hit(const SHST_TShowString& line, QPoint point, const LineDrawing& drawing) {
    return line.kind == lkSmallPicture && line.species && drawing.pictures &&
           !drawing.squeeze_horizontal &&
           drawing.pictures->hit(*line.species, QPoint(line.drawn_x, line.drawn_y + line.advance),
                                 point);
}

bool is_link_line(LineKind kind) {
    return kind == lkThreatStatus || kind == lkSpeciesText || kind == lkAudioCDLine ||
           kind == lkRecordistLine || kind == lkLocalityLine;
}

bool link_hit(const SHST_TShowString& line, QPoint point, const DrawnPixels& pixels,
              const LineDrawing& drawing) {
    if (!is_link_line(line.kind) || pixels.image == nullptr)
        return false;
    // The band under the line's text; texts of paragraphs start right of
    // their kind's place (the recordist's place serves the locality too).
    int band_top = 0;
    if (line.kind == lkThreatStatus || line.kind == lkAudioCDLine) {
        band_top = line.drawn_y + 1;
        if (point.x() <= line.drawn_x)
            return false;
    } else {
        band_top = line.drawn_y + 10;
        const bool squeezed = drawing.squeeze_horizontal;
        const int kind_x =
            line.kind == lkSpeciesText ? (squeezed ? 65 : 135) : (squeezed ? 105 : 225);
        if (point.x() < kind_x)
            return false;
    }
    const int bottom = line.drawn_y + line.advance;
    if (point.y() < band_top || point.y() > bottom + 15)
        return false;
    const int depth = text_measurer().text_height(line.font ? *line.font : drawing.fonts->normal());
    return IsOverUnderline(*pixels.image, point.x(), point.y() - pixels.top, depth,
                           bottom + 20 - pixels.top, drawing.link_colour);
}

} // namespace pemmaro
