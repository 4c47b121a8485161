#pragma once
// Distribution maps: 8-bit palette Windows bitmaps. A mask is white with the
// species' range in pure blue and its migration area in pure red, drawn in
// the pixels of the region map over the rectangle the map window stretches it
// into, so the range lies on the coast it is drawn over. A complete map is the
// region map itself with the range laid over it as the window lays a mask.
// Both are drawn from the committed geography of the base maps. Stored plain,
// run-length encoded (RLE8) or in the compressed format.

#include "Geography.h"

#include <QImage>
#include <QRgb>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace pemmaro::media {

struct MapFrame {
    double west = 0, north = 0, east = 0, south = 0; // degrees
};

// Items in the order of the region area (IN SR NE BU TH IC MA SI BO SU JA BA
// LE SU HA MO CH HK TA PH).
using AreaItems = std::array<bool, 20>;

// What every map is drawn from; read once, shared by the drawing threads.
struct MapSources {
    maps::Geography geography;
    QImage region_map;       // SOLVARA_MAP_BITMAP as the program shows it
    std::string fingerprint; // changes with either file
};

// Throws MediaError when a file cannot be read.
std::shared_ptr<const MapSources> load_map_sources(const std::string& geography_file,
                                                   const std::string& region_map_file);

struct MapRequest {
    MapFrame frame;
    bool is_mask = true;
    AreaItems range{};
    bool migration = false;
    std::uint64_t seed = 0; // the species: how far north its range reaches in China
};

struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<QRgb> palette;        // 256 entries
    std::vector<std::uint8_t> pixels; // top row first, width bytes a row
    std::uint8_t at(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

IndexedImage draw_distribution_map(const MapSources& sources, const MapRequest& request);

enum class MapStorage { plain, rle8, compressed };
const char* storage_name(MapStorage storage);

// The bitmap rows bottom-up in the encoded runs: count/value pairs, absolute
// runs of 3..255 (padded to an even length), 0,0 at each row end, 0,1 at the end.
std::vector<std::uint8_t> rle8_encode(const IndexedImage& image);
// The whole .bmp file in the given storage.
std::vector<std::uint8_t> map_file_bytes(const IndexedImage& image, MapStorage storage);
// Loads the file with the program's picture loader; throws unless it shows
// exactly these pixels.
void check_map_file(const std::string& path, const IndexedImage& image);

} // namespace pemmaro::media
