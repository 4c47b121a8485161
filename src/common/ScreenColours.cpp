#include "common/ScreenColours.h"

#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <algorithm>

namespace pemmaro {

namespace {

QImage::Format format_of_depth(int depth) {
    switch (depth) {
    case 15:
        return QImage::Format_RGB555;
    case 16:
        return QImage::Format_RGB16;
    case 24:
        return QImage::Format_RGB888;
    default:
        return QImage::Format_RGB32;
    }
}

} // namespace

ScreenProperties& screen_properties() {
    static ScreenProperties properties;
    return properties;
}

// The green a pixel of the screen's format really holds, so that pixels read
// back from what was drawn can be compared with it.
QColor green_at_depth(int depth) {
    QImage pixel(1, 1, format_of_depth(depth));
    pixel.setPixelColor(0, 0, QColor(0, 255, 0));
    return pixel.pixelColor(0, 0);
}

int colour_count_at_depth(int depth) {
    return 1 << std::clamp(depth, 1, 24);
}

void measure_screen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int depth = screen ? screen->depth() : 24;
    screen_properties().screen_green = green_at_depth(depth);
    screen_properties().screen_colour_count = colour_count_at_depth(depth);
}

} // namespace pemmaro
