#pragma once
// The base maps of the distribution map windows: where each map picture lies
// in its window, which map shows a locality, and where a longitude and
// latitude fall on a map picture.

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <array>
#include <string_view>

namespace pemmaro {

struct Tlocality;
struct Tmap_data;

struct MapCorner {
    long double x = 0;
    long double y = 0;
};

// The geometry of one base map; the records are constants of the program.
struct DATA_Tmap_data {
    std::string_view ResourceName;
    bool IsJpeg = false; // a resource of type "JPEG", else a bitmap resource
    int LeftMargin = 0;  // x of the map in the window's client area
    int XMin = 0;        // horizontal extent of the drawn map
    int XMax = 0;
    int MapWidth = 0;
    int RightMargin = 0; // holds the OK button
    int TopMargin = 0;
    int YMin = 0;
    int YMax = 0;
    int MapHeight = 0;
    int BottomMargin = 0;
    // The geographic frame in degrees, south and west negative.
    double WestLongitude = 0;
    double EastLongitude = 0;
    double SouthLatitude = 0;
    double NorthLatitude = 0;
    // Where the frame's corners lie on the picture, in map pixels.
    MapCorner CornerSW, CornerNW, CornerSE, CornerNE;
};

// clang-format off
inline constexpr std::array<DATA_Tmap_data, 6> solvara_map_records = {{
    {"INDIA_MAP", true, 10, 0, 402, 402, 50, 10, 0, 340, 340, 0,
     70, 95, 10, 30, {36, 277}, {58, 23}, {366, 276}, {334, 18}},
    {"INDOCHINA_MAP", true, 10, 0, 304, 304, 100, 10, 0, 368, 368, 0,
     95, 110, 10, 25, {15, 299}, {53, 44}, {258, 301}, {277, 44}},
    {"INDONESIA_MAP", true, 5, 0, 514, 514, 90, 5, 0, 316, 316, 0,
     100, 125, -10, 5, {79, 290}, {78, 44}, {477, 290}, {483, 45}},
    {"PHILIPPINES_AND_TAIWAN_MAP", true, 5, 0, 192, 192, 90, 5, 0, 366, 366, 0,
     120, 130, 10, 25, {68, 284}, {72, 14}, {240, 284}, {237, 15}},
    {"CHINA_MAP", true, 5, 0, 473, 473, 90, 5, 0, 396, 396, 0,
     100, 120, 25, 40, {218, 327}, {221, 172}, {411, 314}, {382, 159}},
    {"SOLVARA_MAP_BITMAP", false, 0, 0, 574, 574, 0, 0, 0, 472, 472, 0,
     70, 120, 0, 20, {5, 356}, {16, 163}, {489, 356}, {487, 163}},
}};
// clang-format on

inline constexpr std::string_view region_map_name = "SOLVARA_MAP_BITMAP";

// The record of that resource name; none for an unknown name.
const DATA_Tmap_data* find_map_record(std::string_view resource_name);
const DATA_Tmap_data& region_map_record();

// The map that shows a locality of this country (compared exactly, so
// "Sri lanka" and "Sri Lanka" differ); the region map for any other country
// and for no locality (empty).
const DATA_Tmap_data& ChooseMapRecord(std::string_view country);

struct GeoPosition {
    double longitude = 0; // degrees, west negative
    double latitude = 0;  // degrees, south negative
};

// A locality's coordinates (hundredths of an arc minute) in degrees.
GeoPosition LocalityDegrees(const Tlocality& locality);

struct MapPoint {
    QPoint point;        // map pixel
    bool on_map = false; // within the drawn map, give or take 10 pixels
};

// The map pixel of a position: the frame's corners interpolated, then the
// bend of the India map. Whether it lies on the map is decided before the bend.
MapPoint GeoToPixel(const DATA_Tmap_data& map, GeoPosition position);

// The same mapping without rounding, in painter coordinates (the centre of
// map pixel (x, y) is (x + 0.5, y + 0.5)), so coasts drawn with it stay smooth
// and within a pixel of where GeoToPixel puts a place: for drawing the maps.
QPointF GeoToPaintPoint(const DATA_Tmap_data& map, GeoPosition position);

// The rectangle a distribution map over this frame is stretched into: from
// the frame's north-west corner to its south-east corner, the latter excluded.
QRect OverlayRect(const DATA_Tmap_data& map, const Tmap_data& frame);

} // namespace pemmaro
