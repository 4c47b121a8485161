#pragma once
// A species' range laid over a base map: pure blue in the overlay paints the
// map blue, pure red tints it blue in a diagonal cross-hatching, every other
// overlay colour leaves the map as it is.

#include <QImage>

namespace pemmaro {

// Both images are taken as 24-bit colour; the overlay is read from its
// top-left corner over the map's size (missing overlay pixels count as none).
// The map comes back in 32-bit RGB.
void CombineOverlay(QImage& map, const QImage& overlay);

} // namespace pemmaro
