#pragma once
// The fill of the select-area map: a sub-region is recoloured from a point
// inside it up to the black lines around it.

#include <QImage>
#include <QPoint>
#include <QRgb>

namespace pemmaro {

inline constexpr QRgb map_border_colour = qRgb(0, 0, 0);

// Paints every pixel that is connected to the seed through pixels of any
// colour but the border colour, the seed included. Neighbours are the four
// pixels beside, above and below: a one-pixel line drawn corner to corner
// holds the fill, as the platform's border fill does. Returns the number of
// pixels painted; 0 when the seed lies outside the image or on the border.
// Images of other formats than 32-bit RGB are converted to it first.
int FloodFillToBorder(QImage& image, QPoint seed, QRgb colour, QRgb border = map_border_colour);

} // namespace pemmaro
