#pragma once
// Drawing a marked-up display text with a painter: paragraphs bottom-up, style,
// size and colour toggles, links underlined in the link colour.

#include "common/TextEngine.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <string_view>

class QPainter;

namespace pemmaro {

struct TextDrawing {
    const DisplayFont* font = nullptr; // the line's font
    int line_height = 15;              // h: the spacing of a paragraph's lines
    bool highlighted = false;          // cyan background
    QColor link_colour{0, 255, 0};
};

// Draws the text with the pen on its last line's baseline; the pen ends after
// the last character drawn.
void draw_marked_up_text(QPainter& painter, QPoint& pen, std::string_view text,
                         const TextDrawing& drawing);

// Whether an underline in the link colour lies straight below (x, y), from y
// down to min(y + font_height, limit), in the drawn canvas (logical pixels).
// Colours are compared with each channel's low four bits cleared, as a screen
// of fewer colours shows the link colour a little off.
bool IsOverUnderline(const QImage& canvas, int x, int y, int font_height, int limit,
                     const QColor& link_colour);

} // namespace pemmaro
