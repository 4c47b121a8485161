#pragma once
// Properties of the screen measured once at start.

#include <QColor>

namespace pemmaro {

struct ScreenProperties {
    QColor screen_green{0, 255, 0};
    int screen_colour_count = 1 << 24;
    bool operator==(const ScreenProperties&) const = default;
};

ScreenProperties& screen_properties();

// Needs a QGuiApplication.
void measure_screen();

// The colour a screen of that depth shows for pure green.
QColor green_at_depth(int depth);
int colour_count_at_depth(int depth);

} // namespace pemmaro
