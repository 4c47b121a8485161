#pragma once
// Drawing a marked-up display text with a painter: paragraphs bottom-up, style,
// size and colour toggles, links underlined in the link colour.

#include "common/TextEngine.h"

#include <QColor>
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

} // namespace pemmaro
