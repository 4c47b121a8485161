#pragma once
// The land of the Solvara maps as the extraction script wrote it: pieces of
// land (an outer ring and its holes, in degrees) with their country and, for
// the land of the region's area items, the item.

#include <QPolygonF>
#include <stdexcept>
#include <string>
#include <vector>

namespace pemmaro::maps {

struct GeographyError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

inline constexpr int no_item = -1;

struct LandPiece {
    std::string country;
    std::string part;             // the island or region within the country, when it matters
    int item = no_item;           // index of the region's area items
    std::vector<QPolygonF> rings; // x longitude, y latitude; the first is the outline
};

struct Geography {
    std::string source;
    std::vector<LandPiece> pieces;
};

// Throws GeographyError with the reason when the file cannot be read.
Geography load_geography(const std::string& path);

// The index of a two-letter item code (the first of two equal codes).
int item_index(std::string_view code);

} // namespace pemmaro::maps
