#pragma once
// The five JPEG maps of the distribution map window: real coasts and borders
// placed by each map's own geometry, the countries named.

#include "Geography.h"
#include "maps_pictures/MapGeometry.h"

#include <QImage>

namespace pemmaro::maps {

QImage draw_country_map(const Geography& geography, const DATA_Tmap_data& map);

} // namespace pemmaro::maps
