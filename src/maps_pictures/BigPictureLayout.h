#pragma once
// Where the big picture window puts things: its size when restored from
// maximised, the picture drawn in its own size or scaled to the window, the
// scroll bars, the buttons along the bottom, and when the few-colours warning
// is due. Plain geometry, so that the rules are tested without a window.

#include <QPoint>
#include <QRect>
#include <QSize>
#include <string_view>

namespace pemmaro {

// 1.5 times the picture still fits the screen both ways.
bool fits_enlarged(QSize picture, QSize screen);

// The client size of the window restored from maximised.
QSize restored_client_size(QSize picture, bool enlarged_fits, QSize screen);

// The window's frame moved so that its right edge stays 5 and its bottom edge
// 10 pixels inside the work area, and its top-left corner not before it.
QRect kept_in_work_area(QRect frame, const QRect& work_area);

// The largest size, no larger than the picture itself, at which the picture
// shows whole within the available size.
QSize largest_whole_size(QSize picture, QSize available);

// The picture scaled into the client area keeping its height/width ratio.
QRect scaled_picture_rect(QSize picture, QSize client);

// Maximised: whether the picture is drawn in its own size centred (it is no
// larger than the client area plus 10 pixels both ways) rather than scrolled.
bool shows_centred(QSize picture, QSize client);
// Maximised: the picture's rectangle, centred or at the scroll position.
QRect own_size_picture_rect(QSize picture, QSize client, QPoint scroll);

struct ScrollBarNeeds {
    bool horizontal = false;
    bool vertical = false;
};
// Maximised: which scroll bars the picture needs in the whole client area
// (bars: the width of a vertical and the height of a horizontal bar).
ScrollBarNeeds scroll_bars_needed(QSize picture, QSize client, QSize bars);

inline constexpr int picture_button_size = 20;
// The left edge of the previous (position 1) or next (position 2) button.
int navigation_button_left(int client_width, int position, bool information_button);
inline int information_button_left(int client_width) {
    return client_width - 60;
}
inline int credit_button_left(int client_width) {
    return client_width - 35;
}
inline int picture_buttons_top(int client_height) {
    return client_height - 30;
}

// The background colour button shows when a third of the width beside the
// picture is wider than the button.
bool background_button_fits(int client_width, int picture_width, int button_width);

// The few-colours warning is due when the stored month (its first two
// characters; empty or not a number counts 0) is not after this month.
bool colour_warning_due(std::string_view stored_month, int month);
// The month written after a warning: the next one, 1 after December.
int next_warning_month(int month);

} // namespace pemmaro
