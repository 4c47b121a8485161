#include "maps_pictures/MapFill.h"

#include <vector>

namespace pemmaro {

namespace {

// Scans rows span by span, so each pixel is looked at a few times at most.
class BorderFill {
public:
    BorderFill(QImage& image, QRgb colour, QRgb border)
        : image_(image)
        , width_(image.width())
        , height_(image.height())
        , colour_(colour | 0xff000000u)
        , border_(border & 0xffffffu)
        , visited_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), false) {}

    int run(QPoint seed) {
        if (!open(seed.x(), seed.y()))
            return 0;
        pending_.push_back(seed);
        int painted = 0;
        while (!pending_.empty()) {
            const QPoint point = pending_.back();
            pending_.pop_back();
            if (!open(point.x(), point.y()))
                continue;
            painted += fill_span(point.x(), point.y());
        }
        return painted;
    }

private:
    QRgb* row(int y) { return reinterpret_cast<QRgb*>(image_.scanLine(y)); }

    std::vector<bool>::reference visited(int x, int y) {
        return visited_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                        static_cast<std::size_t>(x)];
    }

    bool open(int x, int y) {
        if (x < 0 || y < 0 || x >= width_ || y >= height_ || visited(x, y))
            return false;
        return (row(y)[x] & 0xffffffu) != border_;
    }

    // Paints the open run through (x, y) and queues the runs above and below it.
    int fill_span(int x, int y) {
        int left = x;
        while (open(left - 1, y))
            --left;
        int right = x;
        while (open(right + 1, y))
            ++right;
        QRgb* pixels = row(y);
        for (int i = left; i <= right; ++i) {
            pixels[i] = colour_;
            visited(i, y) = true;
        }
        queue_runs(left, right, y - 1);
        queue_runs(left, right, y + 1);
        return right - left + 1;
    }

    void queue_runs(int left, int right, int y) {
        if (y < 0 || y >= height_)
            return;
        bool in_run = false;
        for (int i = left; i <= right; ++i) {
            const bool here = open(i, y);
            if (here && !in_run)
                pending_.emplace_back(i, y);
            in_run = here;
        }
    }

    QImage& image_;
    int width_;
    int height_;
    QRgb colour_;
    QRgb border_;
    std::vector<bool> visited_;
    std::vector<QPoint> pending_;
};

} // namespace

int FloodFillToBorder(QImage& image, QPoint seed, QRgb colour, QRgb border) {
    if (!image.rect().contains(seed))
        return 0;
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32 &&
        image.format() != QImage::Format_ARGB32_Premultiplied)
        image.convertTo(QImage::Format_RGB32);
    return BorderFill(image, colour, border).run(seed);
}

} // namespace pemmaro
