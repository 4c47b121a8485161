#include "maps_pictures/MapOverlay.h"

#include <algorithm>

namespace pemmaro {

namespace {

constexpr QRgb overlay_blue = 0x0000ff;
constexpr QRgb overlay_red = 0xff0000;

bool on_hatching(int x, int y) {
    return (x + y) % 3 == 0 || (x - y + 10000) % 3 == 0;
}

// The map's own grey value, shown in blue.
QRgb blue_tint(QRgb pixel) {
    const int grey = (qRed(pixel) + qGreen(pixel) + qBlue(pixel)) / 3;
    return qRgb(grey / 2, grey / 2, (grey + 255) / 2);
}

} // namespace

void CombineOverlay(QImage& map, const QImage& overlay) {
    map.convertTo(QImage::Format_RGB32);
    const QImage layer = overlay.convertToFormat(QImage::Format_RGB32);
    const int width = std::min(map.width(), layer.width());
    const int height = std::min(map.height(), layer.height());
    for (int y = 0; y < height; ++y) {
        auto* pixels = reinterpret_cast<QRgb*>(map.scanLine(y));
        const auto* over = reinterpret_cast<const QRgb*>(layer.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            const QRgb colour = over[x] & 0xffffff;
            if (colour == overlay_blue)
                pixels[x] = qRgb(0, 0, 255);
            else if (colour == overlay_red && on_hatching(x, y))
                pixels[x] = blue_tint(pixels[x]);
        }
    }
}

} // namespace pemmaro
