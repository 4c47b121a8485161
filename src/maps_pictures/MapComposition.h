#pragma once
// The picture of a distribution map window: the base map, a species' range
// laid over it (or the species' own complete map) and the marker of a place.

#include "maps_pictures/MapGeometry.h"

#include <QImage>
#include <QPoint>
#include <QRgb>
#include <optional>
#include <string>

namespace pemmaro {

struct ProductCapabilities;
struct Tspecies;
struct Tlocality;

inline constexpr QRgb locality_marker_colour = qRgb(255, 0, 0);

// Whether the species has a distribution map of any kind.
bool has_map_file(const Tspecies& species);
// Whether its first map is a mask to lay over a base map (else a complete map).
bool has_range_mask(const Tspecies& species);

// The base map of the window: the map of the locality's country, except that
// a species' complete map is always the region map's picture and is shown on
// the region map's geometry, so that a marker lands on its place.
const DATA_Tmap_data& map_record_for(const Tspecies* species, const Tlocality* locality);

// Distribution map file n (1 or 2) of the species, under the base directory.
std::string distribution_map_file(const Tspecies& species, int n,
                                  const ProductCapabilities& product,
                                  const std::string& base_directory);

// The base map's own picture; a null image when the program lacks it.
QImage base_map_picture(const DATA_Tmap_data& map);

struct MapComposition {
    const DATA_Tmap_data* map = nullptr;
    const Tspecies* species = nullptr;
    std::string distribution_file;  // file 1 of the species, when it has a map
    std::optional<QPoint> locality; // marked when on the map
};

// The map picture, MapWidth x MapHeight. A distribution file that cannot be
// read shows its message and the map stays without the range.
QImage ComposeMap(const MapComposition& composition);

// The 5 x 5 pixels around the point without their corners in the colour;
// with the ring, the 7 x 7 square without its corners around them in white.
void DrawLocalityMarker(QImage& image, QPoint point, QRgb colour, bool ring);

} // namespace pemmaro
