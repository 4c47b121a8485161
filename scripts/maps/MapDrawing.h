#pragma once
// Land outlines placed on a map picture by the program's own geographic
// mapping, so that what the program marks at a longitude and latitude lands on
// the place drawn there.

#include "Geography.h"
#include "maps_pictures/MapGeometry.h"

#include <QPainterPath>
#include <QPoint>
#include <optional>

namespace pemmaro::maps {

// A place too small to click drawn larger about an anchor (degrees): the
// pieces of an item, or only the one around a point.
struct Enlargement {
    int item = no_item;
    QPointF anchor;
    double factor = 1;
    std::optional<QPointF> piece_around;
};

// Singapore, Hong Kong and two islands of the Philippines, so that each holds
// its point of the select-area map and can be clicked; used on the region map
// and the ranges drawn over it.
const std::vector<Enlargement>& region_enlargements();
bool applies(const Enlargement& enlargement, const LandPiece& piece);

struct Placement {
    const DATA_Tmap_data* map = nullptr;
    QPoint origin;        // map pixel drawn at (0, 0)
    bool enlarge = false; // apply region_enlargements()
};

// The piece as a painter path (odd-even fill) in the placement's pixels.
QPainterPath land_path(const LandPiece& piece, const Placement& placement);

// A line of latitude or longitude as a path, for clipping and graticules.
QPainterPath parallel_path(double latitude, double west, double east, const Placement& placement);

} // namespace pemmaro::maps
