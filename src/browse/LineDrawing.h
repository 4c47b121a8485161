#pragma once
// One display line on a painter, and what of it lies under a point: plain
// functions of the line, the painter and the pen, so they run on any QImage.
// The display surface strings them together and places the sound bars.

#include "browse/DisplayLines.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <optional>
#include <string>

class QPainter;

namespace pemmaro {

struct LineDrawing {
    const DisplayFonts* fonts = nullptr; // the display's
    int line_height = 15;                // h
    QColor link_colour{0, 255, 0};
    bool squeeze_horizontal = false;
    BitmapSizes bitmap_sizes{};
    const SmallPictureSource* pictures = nullptr; // none: no small pictures
};

// What drawing carries from one line to the next.
struct LinePen {
    QPoint at;
    const DisplayFont* font = nullptr; // a line without a font keeps this one
};

// The text a text line shows: numbers with ". ", a name with ". " when another
// name follows on its row.
std::string drawn_text(const SHST_TShowString& line);

// Moves the pen onto the line, records where it was drawn and draws the
// bitmap, small picture or text. A sound bar line draws nothing: the caller
// places the bar and moves the pen past it.
void draw_display_line(QPainter& painter, SHST_TShowString& line, LinePen& pen,
                       const LineDrawing& drawing);
// The text of a line drawn again where it was drawn, with the cursor's colour.
void draw_highlighted_line(QPainter& painter, const SHST_TShowString& line,
                           const LineDrawing& drawing);

// The bitmap of a bitmap line under the point: whether in its left half.
std::optional<bool> bitmap_hit(const SHST_TShowString& line, QPoint point,
                               const LineDrawing& drawing);
bool small_picture_hit(const SHST_TShowString& line, QPoint point, const LineDrawing& drawing);

bool is_link_line(LineKind kind);
// The drawn pixels, whose first row stands at list y top.
struct DrawnPixels {
    const QImage* image = nullptr;
    int top = 0;
};
// A link is hit only where its underline shows: from the point down, within
// the line's band, a pixel of the link colour (compared under 0xF0F0F0).
bool link_hit(const SHST_TShowString& line, QPoint point, const DrawnPixels& pixels,
              const LineDrawing& drawing);

} // namespace pemmaro
