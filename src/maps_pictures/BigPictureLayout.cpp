#include "maps_pictures/BigPictureLayout.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

namespace pemmaro {

namespace {

constexpr int own_size_slack = 10;

double aspect_ratio(QSize picture) {
    return picture.width() > 0 ? static_cast<double>(picture.height()) / picture.width() : 1.0;
}

int rounded(double value) {
    return static_cast<int>(std::lround(value));
}

} // namespace

bool fits_enlarged(QSize picture, QSize screen) {
    return 1.5 * picture.width() < screen.width() && 1.5 * picture.height() < screen.height();
}

QSize restored_client_size(QSize picture, bool enlarged_fits, QSize screen) {
    const double ratio = aspect_ratio(picture);
    int width = enlarged_fits ? picture.width() : std::min(screen.width() / 2, picture.width());
    int height = rounded(width * ratio);
    if (height > screen.height() * 3 / 5) {
        height = screen.height() * 3 / 5;
        width = rounded(height / ratio);
    }
    return {width, height};
}

QRect kept_in_work_area(QRect frame, const QRect& work_area) {
    const int right_limit = work_area.x() + work_area.width() - 5;
    const int bottom_limit = work_area.y() + work_area.height() - 10;
    if (frame.x() + frame.width() > right_limit)
        frame.moveLeft(right_limit - frame.width());
    if (frame.y() + frame.height() > bottom_limit)
        frame.moveTop(bottom_limit - frame.height());
    frame.moveTopLeft({std::max(frame.x(), work_area.x()), std::max(frame.y(), work_area.y())});
    return frame;
}

QSize largest_whole_size(QSize picture, QSize available) {
    if (picture.width() <= available.width() && picture.height() <= available.height())
        return picture;
    return picture.scaled(available, Qt::KeepAspectRatio);
}

QRect scaled_picture_rect(QSize picture, QSize client) {
    const double ratio = aspect_ratio(picture);
    const double client_ratio =
        client.width() > 0 ? static_cast<double>(client.height()) / client.width() : ratio;
    if (client_ratio > ratio) {
        const int height = rounded(client.width() * ratio);
        return {0, (client.height() - height) / 2, client.width(), height};
    }
    if (client_ratio < ratio) {
        const int width = rounded(client.height() / ratio) + 1;
        return {(client.width() - width) / 2, 0, width, client.height()};
    }
    return {QPoint(0, 0), client};
}

bool shows_centred(QSize picture, QSize client) {
    return picture.width() <= client.width() + own_size_slack &&
           picture.height() <= client.height() + own_size_slack;
}

QRect own_size_picture_rect(QSize picture, QSize client, QPoint scroll) {
    if (shows_centred(picture, client))
        return {QPoint((client.width() - picture.width()) / 2,
                       (client.height() - picture.height()) / 2),
                picture};
    return {-scroll, picture};
}

ScrollBarNeeds scroll_bars_needed(QSize picture, QSize client, QSize bars) {
    const bool taller = picture.height() > client.height() + own_size_slack;
    const bool wider = picture.width() > client.width() + own_size_slack;
    ScrollBarNeeds needs;
    needs.horizontal =
        picture.width() > client.width() - (taller ? bars.width() : 0) + own_size_slack;
    needs.vertical =
        picture.height() > client.height() - (wider ? bars.height() : 0) + own_size_slack;
    return needs;
}

int navigation_button_left(int client_width, int position, bool information_button) {
    const int k = information_button ? 1 : 0;
    return client_width - 10 - 25 * (k + 6 - position);
}

bool background_button_fits(int client_width, int picture_width, int button_width) {
    return (client_width - picture_width) / 3 > button_width;
}

bool colour_warning_due(std::string_view stored_month, int month) {
    std::string_view digits = stored_month.substr(0, 2);
    while (!digits.empty() && digits.front() == ' ')
        digits.remove_prefix(1);
    while (!digits.empty() && digits.back() == ' ')
        digits.remove_suffix(1);
    int stored = 0;
    for (char c : digits) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return 0 <= month;
        stored = stored * 10 + (c - '0');
    }
    return stored <= month;
}

int next_warning_month(int month) {
    return month >= 12 ? 1 : month + 1;
}

} // namespace pemmaro
