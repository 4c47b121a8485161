#pragma once
// The region's select-area map (SOLVARA_MAP_BITMAP): sea, every item's land in
// pure green inside black outlines, other land plain, names in black capitals.

#include "Geography.h"

#include <QImage>
#include <QRgb>

namespace pemmaro::maps {

inline constexpr QRgb region_sea = qRgb(77, 255, 255);
inline constexpr QRgb region_item_land = qRgb(0, 255, 0);
inline constexpr QRgb region_other_land = qRgb(224, 208, 168);
inline constexpr QRgb region_border = qRgb(0, 0, 0);

// 8 bits a pixel with a 256-colour palette. Throws GeographyError when a point
// of a selectable item does not land on that item's land.
QImage draw_region_map(const Geography& geography);

} // namespace pemmaro::maps
