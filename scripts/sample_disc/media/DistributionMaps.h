#pragma once
// Distribution maps: 8-bit palette Windows bitmaps over a map frame, white,
// with the species' range in pure blue and its migration area in pure red.
// Stored plain, run-length encoded (RLE8) or in the compressed format.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace pemmaro::media {

inline constexpr std::uint8_t map_white = 0;
inline constexpr std::uint8_t map_blue = 1;
inline constexpr std::uint8_t map_red = 2;
inline constexpr double map_pixels_per_degree = 4;

struct MapFrame {
    double west = 0, north = 0, east = 0, south = 0; // degrees
};

// Items in the order of the region area (IN SR NE BU TH IC MA SI BO SU JA BA
// LE SU HA MO CH HK TA PH).
using AreaItems = std::array<bool, 20>;

struct MapRequest {
    MapFrame frame;
    AreaItems range{};
    bool migration = false;
    std::uint64_t seed = 0; // the species: its outline varies a little
};

struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels; // top row first, width bytes a row
    std::uint8_t at(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

IndexedImage draw_distribution_map(const MapRequest& request);

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
