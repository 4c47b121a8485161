#include "maps_pictures/MapGeometry.h"

#include "data/DataSet.h"

#include <algorithm>
#include <cmath>

namespace pemmaro {

namespace {

constexpr int on_map_tolerance = 10;
constexpr std::string_view india_map_name = "INDIA_MAP";

struct Country {
    std::string_view name;
    std::string_view map;
};

constexpr std::array<Country, 20> map_of_country = {{
    {"China", "CHINA_MAP"},
    {"Hong Kong", "CHINA_MAP"},
    {"Pakistan", india_map_name},
    {"India", india_map_name},
    {"Sri lanka", india_map_name},
    {"Bangla Desh", india_map_name},
    {"Nepal", india_map_name},
    {"Bhutan", india_map_name},
    {"Burma", "INDOCHINA_MAP"},
    {"Thailand", "INDOCHINA_MAP"},
    {"Laos", "INDOCHINA_MAP"},
    {"Cambodia", "INDOCHINA_MAP"},
    {"Vietnam", "INDOCHINA_MAP"},
    {"Philippines", "PHILIPPINES_AND_TAIWAN_MAP"},
    {"Taiwan", "PHILIPPINES_AND_TAIWAN_MAP"},
    {"Malaysia", "INDONESIA_MAP"},
    {"Singapore", "INDONESIA_MAP"},
    {"Brunei", "INDONESIA_MAP"},
    {"Indonesia", "INDONESIA_MAP"},
    {"", region_map_name},
}};

struct FramePosition {
    long double s = 0; // 0 at the west edge, 1 at the east edge
    long double t = 0; // 0 at the south edge, 1 at the north edge
};

FramePosition frame_position(const DATA_Tmap_data& map, GeoPosition position) {
    return {(position.longitude - map.WestLongitude) / (map.EastLongitude - map.WestLongitude),
            (position.latitude - map.SouthLatitude) / (map.NorthLatitude - map.SouthLatitude)};
}

long double interpolate(long double sw, long double nw, long double se, long double ne,
                        FramePosition f) {
    return (nw - sw) * f.t + sw + ((ne - nw - (se - sw)) * f.t + (se - sw)) * f.s;
}

QPointF corners_interpolated(const DATA_Tmap_data& map, FramePosition f) {
    return {static_cast<double>(
                interpolate(map.CornerSW.x, map.CornerNW.x, map.CornerSE.x, map.CornerNE.x, f)),
            static_cast<double>(
                interpolate(map.CornerSW.y, map.CornerNW.y, map.CornerSE.y, map.CornerNE.y, f))};
}

bool is_india_map(const DATA_Tmap_data& map) {
    return map.ResourceName == india_map_name;
}

// Up to 8 pixels down and 2 right in the middle of the map.
QPointF india_bend(FramePosition f) {
    return {static_cast<double>(4 * std::min(f.t, 1 - f.t)),
            static_cast<double>(16 * std::min(f.s, 1 - f.s))};
}

int rounded(double value) {
    return static_cast<int>(std::lround(value));
}

} // namespace

const DATA_Tmap_data* find_map_record(std::string_view resource_name) {
    for (const DATA_Tmap_data& map : solvara_map_records) {
        if (map.ResourceName == resource_name)
            return &map;
    }
    return nullptr;
}

const DATA_Tmap_data& region_map_record() {
    return *find_map_record(region_map_name);
}

const DATA_Tmap_data& ChooseMapRecord(std::string_view country) {
    for (const Country& entry : map_of_country) {
        if (entry.name == country)
            return *find_map_record(entry.map);
    }
    return region_map_record();
}

GeoPosition LocalityDegrees(const Tlocality& locality) {
    return {locality.longitude / 6000.0, locality.latitude / 6000.0};
}

MapPoint GeoToPixel(const DATA_Tmap_data& map, GeoPosition position) {
    const FramePosition f = frame_position(map, position);
    const QPointF exact = corners_interpolated(map, f);
    MapPoint result;
    result.point = {rounded(exact.x()), rounded(exact.y())};
    result.on_map = map.XMin - on_map_tolerance <= result.point.x() &&
                    result.point.x() <= map.XMax + on_map_tolerance &&
                    map.YMin - on_map_tolerance <= result.point.y() &&
                    result.point.y() <= map.YMax + on_map_tolerance;
    if (is_india_map(map)) {
        const QPointF bend = india_bend(f);
        result.point += QPoint(rounded(bend.x()), rounded(bend.y()));
    }
    return result;
}

QPointF GeoToPaintPoint(const DATA_Tmap_data& map, GeoPosition position) {
    const FramePosition f = frame_position(map, position);
    QPointF point = corners_interpolated(map, f);
    if (is_india_map(map))
        point += india_bend(f);
    return point + QPointF(0.5, 0.5);
}

QRect OverlayRect(const DATA_Tmap_data& map, const Tmap_data& frame) {
    const auto corner = [&](const PointExt& pair) {
        return GeoToPixel(map, {static_cast<double>(pair.x), static_cast<double>(pair.y)}).point;
    };
    const QPoint top_left = corner(frame.first_pair);
    const QPoint bottom_right = corner(frame.second_pair);
    return {top_left, QSize(bottom_right.x() - top_left.x(), bottom_right.y() - top_left.y())};
}

} // namespace pemmaro
