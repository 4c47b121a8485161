#include "DistributionMaps.h"

#include "MediaCommon.h"
#include "TamrekCompressor.h"
#include "maps_pictures/PictureFiles.h"

#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace pemmaro::media {

namespace {

enum Item {
    IN = 0,
    SR = 1,
    NE = 2,
    BU = 3,
    TH = 4,
    IC = 5,
    MA = 6,
    SI = 7,
    BO = 8,
    SU = 9,
    JA = 10,
    BA = 11,
    CH = 16,
    HK = 17,
    TA = 18,
    PH = 19
};

struct Ellipse {
    double lon, lat, radius_lon, radius_lat;
};

// Rough outlines (longitude, latitude); small islands as ellipses.
struct AreaShape {
    Item item;
    std::vector<std::vector<QPointF>> polygons;
    std::vector<Ellipse> ellipses;
};

const std::vector<AreaShape>& area_shapes() {
    // clang-format off
    static const std::vector<AreaShape> shapes = {
        {IN,
         {
          {{68.2, 23.7}, {70.0, 21.0}, {72.6, 21.3}, {73.0, 17.0}, {74.5, 13.0}, {76.5, 8.2},
           {77.5, 8.1}, {78.2, 9.0}, {79.8, 10.3}, {80.3, 13.5}, {80.1, 15.8}, {82.3, 17.0},
           {85.0, 19.5}, {86.9, 21.2}, {88.3, 21.6}, {89.8, 22.2}, {92.2, 21.4}, {92.6, 23.5},
           {93.4, 24.0}, {94.2, 25.5}, {95.2, 26.6}, {97.0, 27.8}, {95.8, 29.3}, {94.0, 29.2},
           {92.0, 27.8}, {88.8, 27.3}, {88.1, 26.5}, {85.0, 26.6}, {84.0, 27.4}, {80.2, 28.8},
           {79.0, 30.5}, {78.8, 31.8}, {77.8, 35.5}, {76.0, 35.8}, {74.0, 34.8}, {73.8, 33.5},
           {74.6, 32.5}, {74.0, 31.0}, {72.0, 28.0}, {70.0, 27.7}, {69.5, 26.5}, {71.0, 24.4}},
         },
         {}},
        {SR,
         {
          {{79.9, 6.2}, {79.8, 7.5}, {79.9, 9.5}, {80.4, 9.8}, {81.3, 8.5}, {81.9, 7.2},
           {81.6, 6.3}, {80.6, 5.9}},
         },
         {}},
        {NE,
         {
          {{80.1, 28.8}, {81.2, 30.1}, {82.3, 30.3}, {84.0, 29.3}, {86.0, 28.0}, {88.2, 27.9},
           {88.1, 26.5}, {85.0, 26.6}, {84.0, 27.4}, {81.0, 28.2}},
         },
         {}},
        {BU,
         {
          {{92.2, 21.2}, {92.6, 23.5}, {93.4, 24.0}, {94.2, 25.5}, {95.2, 26.6}, {97.0, 27.8},
           {97.6, 28.4}, {98.7, 27.0}, {98.5, 25.0}, {97.7, 24.0}, {99.5, 22.1}, {101.1, 21.6},
           {100.1, 20.3}, {98.0, 19.7}, {97.4, 18.5}, {98.5, 16.5}, {98.6, 14.0}, {99.5, 11.0},
           {98.7, 10.0}, {98.3, 12.5}, {97.8, 14.8}, {97.5, 16.5}, {96.2, 16.8}, {95.3, 15.8},
           {94.3, 16.3}, {94.5, 18.5}, {93.5, 19.5}, {92.5, 20.5}},
         },
         {}},
        {TH,
         {
          {{97.4, 18.5}, {98.0, 19.7}, {100.1, 20.3}, {100.6, 19.5}, {101.2, 19.5}, {101.1, 17.5},
           {102.1, 18.2}, {103.3, 18.4}, {104.7, 17.5}, {105.6, 15.7}, {105.3, 14.3},
           {103.0, 14.2}, {102.3, 12.2}, {101.0, 12.7}, {100.0, 12.6}, {100.1, 13.5}, {99.2, 10.5},
           {99.9, 9.2}, {100.4, 7.3}, {101.0, 6.9}, {102.1, 6.2}, {101.0, 5.6}, {100.2, 6.5},
           {99.7, 6.9}, {98.3, 7.8}, {98.5, 9.0}, {99.4, 11.0}, {98.6, 14.0}, {98.5, 16.5}},
         },
         {}},
        {IC,
         {
          {{101.1, 21.6}, {101.8, 22.4}, {103.0, 22.6}, {104.2, 22.8}, {105.4, 23.3},
           {106.7, 22.8}, {108.0, 21.5}, {106.6, 20.3}, {105.7, 19.0}, {106.6, 17.5},
           {107.9, 16.2}, {108.8, 15.4}, {109.4, 12.9}, {109.2, 11.6}, {108.0, 10.7},
           {106.8, 10.4}, {105.1, 8.6}, {104.7, 10.4}, {103.5, 10.6}, {102.3, 12.2}, {103.0, 14.2},
           {105.3, 14.3}, {105.6, 15.7}, {104.7, 17.5}, {103.3, 18.4}, {102.1, 18.2},
           {101.1, 17.5}, {101.2, 19.5}, {100.6, 19.5}, {100.1, 20.3}},
         },
         {}},
        {MA,
         {
          {{100.2, 6.5}, {101.0, 5.6}, {102.1, 6.2}, {103.4, 4.9}, {103.5, 2.8}, {104.3, 1.5},
           {103.5, 1.3}, {102.3, 2.1}, {101.3, 2.9}, {100.6, 3.9}, {100.3, 5.2}},
         },
         {}},
        {SI,
         {},
         {{103.82, 1.35, 0.22, 0.12}}},
        {BO,
         {
          {{109.0, 1.8}, {109.6, 2.1}, {111.2, 2.3}, {113.0, 3.2}, {114.2, 4.6}, {115.4, 5.2},
           {116.4, 6.6}, {117.0, 7.0}, {117.7, 6.3}, {119.3, 5.3}, {118.3, 4.4}, {117.8, 3.3},
           {117.7, 1.1}, {118.9, 0.9}, {117.5, -0.2}, {116.6, -1.5}, {116.4, -3.0}, {116.0, -3.9},
           {114.6, -4.1}, {113.0, -3.1}, {111.7, -3.0}, {110.2, -2.9}, {110.0, -1.5}, {109.0, -0.5}},
         },
         {}},
        {SU,
         {
          {{95.2, 5.6}, {96.0, 5.2}, {97.5, 5.2}, {98.5, 4.0}, {100.2, 2.3}, {101.4, 1.7},
           {103.0, 0.5}, {103.8, -1.0}, {104.6, -1.8}, {106.1, -3.1}, {105.9, -5.8}, {104.6, -5.9},
           {103.5, -5.0}, {102.3, -4.0}, {101.0, -2.5}, {100.4, -1.0}, {99.2, 0.5}, {98.6, 1.7},
           {97.5, 2.5}, {96.5, 3.5}, {95.4, 4.7}},
         },
         {}},
        {JA,
         {
          {{105.2, -6.8}, {106.0, -5.9}, {107.0, -6.0}, {108.3, -6.2}, {110.4, -6.9},
           {111.5, -6.6}, {112.6, -6.9}, {114.4, -7.7}, {114.4, -8.7}, {113.0, -8.3},
           {111.0, -8.2}, {108.5, -7.8}, {106.4, -7.4}, {105.4, -7.0}},
         },
         {}},
        {BA,
         {},
         {{115.1, -8.4, 0.5, 0.25}}},
        {CH,
         {
          {{73.5, 39.5}, {74.9, 37.2}, {77.8, 35.5}, {78.8, 31.8}, {79.0, 30.5}, {80.2, 28.8},
           {81.2, 30.1}, {82.3, 30.3}, {84.0, 29.3}, {86.0, 28.0}, {88.2, 27.9}, {88.8, 27.3},
           {92.0, 27.8}, {94.0, 29.2}, {95.8, 29.3}, {97.0, 27.8}, {97.6, 28.4}, {98.7, 27.0},
           {98.5, 25.0}, {97.7, 24.0}, {99.5, 22.1}, {101.1, 21.6}, {101.8, 22.4}, {103.0, 22.6},
           {104.2, 22.8}, {105.4, 23.3}, {106.7, 22.8}, {108.0, 21.5}, {109.7, 21.5},
           {110.3, 20.3}, {111.0, 21.5}, {112.5, 21.8}, {113.6, 22.3}, {114.3, 22.5},
           {116.0, 22.9}, {117.5, 23.6}, {119.0, 25.0}, {119.6, 26.6}, {120.7, 28.0},
           {121.9, 29.9}, {121.3, 30.8}, {121.9, 31.7}, {120.9, 32.6}, {120.3, 34.4},
           {119.2, 35.0}, {120.6, 36.2}, {122.5, 37.0}, {121.6, 37.5}, {120.0, 37.5},
           {118.9, 38.0}, {118.0, 39.2}, {119.3, 39.4}, {121.2, 40.9}, {121.8, 39.0},
           {124.4, 40.0}, {126.0, 41.5}, {128.0, 41.8}, {129.7, 42.4}, {130.6, 42.6},
           {131.3, 44.9}, {131.5, 47.0}, {90.0, 47.0}, {87.0, 49.0}, {82.5, 47.0}, {80.0, 45.0},
           {80.5, 43.0}, {75.0, 40.3}},
         },
         {}},
        {HK,
         {},
         {{114.15, 22.35, 0.25, 0.15}}},
        {TA,
         {
          {{120.1, 23.0}, {120.3, 24.2}, {121.0, 25.1}, {121.9, 25.0}, {121.6, 24.0},
           {121.4, 23.0}, {120.9, 21.9}, {120.6, 22.4}},
         },
         {}},
        {PH,
         {
          {{120.0, 18.5}, {121.0, 18.6}, {122.3, 18.4}, {122.2, 17.0}, {121.5, 15.8},
           {122.0, 14.0}, {123.2, 13.9}, {124.1, 13.0}, {123.8, 12.6}, {122.6, 13.3},
           {121.7, 13.9}, {120.6, 14.2}, {120.6, 14.9}, {119.8, 16.3}, {120.4, 16.5}, {120.6, 17.7}},
          {{122.0, 7.0}, {122.3, 8.0}, {123.8, 8.6}, {125.0, 9.1}, {125.5, 9.8}, {126.3, 9.0},
           {126.6, 7.3}, {126.0, 6.3}, {125.4, 5.6}, {124.2, 6.2}, {123.5, 7.6}, {122.6, 7.3}},
          {{117.2, 8.3}, {118.7, 9.8}, {119.6, 11.2}, {119.8, 10.6}, {118.9, 9.6}, {117.6, 8.0}},
         },
         {{123.5, 10.8, 1.6, 1.0}, {121.0, 13.0, 0.5, 0.5}}},
    };
    // clang-format on
    return shapes;
}

// Where a migrant of a range in an area may also be found.
std::vector<Item> neighbours(Item item) {
    switch (item) {
    case IN:
        return {SR, NE, BU, CH};
    case SR:
        return {IN};
    case NE:
        return {IN, CH};
    case BU:
        return {IN, TH, IC, CH};
    case TH:
        return {BU, IC, MA};
    case IC:
        return {TH, BU, CH};
    case MA:
        return {TH, SI, SU};
    case SI:
        return {MA, SU};
    case BO:
        return {SU, JA, PH};
    case SU:
        return {MA, SI, JA, BO};
    case JA:
        return {SU, BA, BO};
    case BA:
        return {JA};
    case CH:
        return {IN, NE, BU, IC, HK, TA};
    case HK:
        return {CH};
    case TA:
        return {CH, PH};
    case PH:
        return {TA, BO};
    }
    return {};
}

const QRgb white_rgb = qRgb(255, 255, 255);
const QRgb blue_rgb = qRgb(0, 0, 255);
const QRgb red_rgb = qRgb(255, 0, 0);

QRgb palette_colour(std::size_t index) {
    switch (index) {
    case map_white:
        return white_rgb;
    case map_blue:
        return blue_rgb;
    case map_red:
        return red_rgb;
    default: {
        // Unused entries: a grey ramp.
        const int grey = static_cast<int>(index);
        return qRgb(grey, grey, grey);
    }
    }
}

class MapPainter {
public:
    MapPainter(QImage& image, const MapFrame& frame)
        : painter_(&image)
        , frame_(frame) {
        painter_.setRenderHint(QPainter::Antialiasing, false);
        painter_.setPen(Qt::NoPen);
    }

    // The species' own outline: each area a little smaller about its centre.
    void fill(const AreaShape& shape, QRgb colour, double shrink, double north_limit) {
        painter_.setBrush(QColor(colour));
        painter_.save();
        const double top = to_pixels({frame_.west, north_limit}).y();
        painter_.setClipRect(QRectF(-1, top, 1e6, 1e6));
        for (const std::vector<QPointF>& outline : shape.polygons) {
            QPointF centre;
            for (const QPointF& point : outline)
                centre += point;
            centre /= static_cast<double>(outline.size());
            QPolygonF polygon;
            for (const QPointF& point : outline)
                polygon << to_pixels(centre + (point - centre) * shrink);
            painter_.drawPolygon(polygon);
        }
        for (const Ellipse& e : shape.ellipses) {
            // Islands stay visible at four pixels a degree.
            const double rx = std::max(2.0, e.radius_lon * shrink * map_pixels_per_degree);
            const double ry = std::max(2.0, e.radius_lat * shrink * map_pixels_per_degree);
            painter_.drawEllipse(to_pixels({e.lon, e.lat}), rx, ry);
        }
        painter_.restore();
    }

private:
    QPointF to_pixels(QPointF lon_lat) const {
        return {(lon_lat.x() - frame_.west) * map_pixels_per_degree,
                (frame_.north - lon_lat.y()) * map_pixels_per_degree};
    }

    QPainter painter_;
    MapFrame frame_;
};

// Without a neighbouring area to colour, the south of the range is the
// migration area.
void redden_south_of_range(IndexedImage& map) {
    int top = map.height;
    int bottom = -1;
    for (int y = 0; y < map.height; ++y) {
        for (int x = 0; x < map.width; ++x) {
            if (map.at(x, y) == map_blue) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (bottom < 0)
        return;
    const int from = bottom - (bottom - top) / 3;
    for (int y = from; y <= bottom; ++y) {
        for (int x = 0; x < map.width; ++x) {
            std::uint8_t& pixel = map.pixels[static_cast<std::size_t>(y * map.width + x)];
            if (pixel == map_blue)
                pixel = map_red;
        }
    }
}

void put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    put16(out, value & 0xffff);
    put16(out, value >> 16);
}

// The encoded runs of one row.
void encode_row(const std::uint8_t* row, int width, std::vector<std::uint8_t>& out) {
    const auto run_at = [&](int x) {
        int n = 1;
        while (x + n < width && n < 255 && row[x + n] == row[x])
            ++n;
        return n;
    };
    int x = 0;
    while (x < width) {
        const int run = run_at(x);
        if (run >= 3) {
            out.push_back(static_cast<std::uint8_t>(run));
            out.push_back(row[x]);
            x += run;
            continue;
        }
        // Literal pixels up to the next run worth encoding.
        int end = x;
        while (end < width && end - x < 255 && run_at(end) < 3)
            end += run_at(end);
        end = std::min(end, x + 255);
        const int count = end - x;
        if (count < 3) {
            // Absolute mode needs three pixels at least.
            for (int i = 0; i < count; ++i) {
                out.push_back(1);
                out.push_back(row[x + i]);
            }
        } else {
            out.push_back(0);
            out.push_back(static_cast<std::uint8_t>(count));
            out.insert(out.end(), row + x, row + end);
            if (count % 2 != 0)
                out.push_back(0);
        }
        x = end;
    }
}

} // namespace

IndexedImage draw_distribution_map(const MapRequest& request) {
    const MapFrame& frame = request.frame;
    const int width = std::max(
        1, static_cast<int>(std::lround((frame.east - frame.west) * map_pixels_per_degree)));
    const int height = std::max(
        1, static_cast<int>(std::lround((frame.north - frame.south) * map_pixels_per_degree)));
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(white_rgb);
    Random random(request.seed);
    // Northern China is outside most of the region's ranges.
    const double china_north = random.between(28, 46);
    {
        MapPainter painter(image, frame);
        const auto shrink = [&](Item item) {
            return 0.85 +
                   0.15 *
                       Random(mix_bits(request.seed ^ static_cast<std::uint64_t>(item))).uniform();
        };
        const auto north_limit = [&](Item item) { return item == CH ? china_north : 90.0; };
        if (request.migration) {
            for (const AreaShape& shape : area_shapes()) {
                if (request.range[shape.item])
                    continue;
                const std::vector<Item> next = neighbours(shape.item);
                const bool borders_range =
                    std::any_of(next.begin(), next.end(), [&](Item n) { return request.range[n]; });
                if (borders_range)
                    painter.fill(shape, red_rgb, shrink(shape.item), north_limit(shape.item));
            }
        }
        for (const AreaShape& shape : area_shapes()) {
            if (request.range[shape.item])
                painter.fill(shape, blue_rgb, shrink(shape.item), north_limit(shape.item));
        }
    }
    IndexedImage map{width, height,
                     std::vector<std::uint8_t>(static_cast<std::size_t>(width) *
                                               static_cast<std::size_t>(height))};
    bool has_red = false;
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            const QRgb rgb = line[x] & 0xffffff;
            std::uint8_t index = map_white;
            if (rgb == (blue_rgb & 0xffffff))
                index = map_blue;
            else if (rgb == (red_rgb & 0xffffff))
                index = map_red;
            has_red = has_red || index == map_red;
            map.pixels[static_cast<std::size_t>(y * width + x)] = index;
        }
    }
    if (request.migration && !has_red)
        redden_south_of_range(map);
    return map;
}

const char* storage_name(MapStorage storage) {
    switch (storage) {
    case MapStorage::plain:
        return "plain";
    case MapStorage::rle8:
        return "RLE8";
    case MapStorage::compressed:
        return "compressed";
    }
    return "";
}

std::vector<std::uint8_t> rle8_encode(const IndexedImage& image) {
    std::vector<std::uint8_t> out;
    for (int y = image.height - 1; y >= 0; --y) {
        encode_row(&image.pixels[static_cast<std::size_t>(y * image.width)], image.width, out);
        out.push_back(0);
        out.push_back(y == 0 ? 1 : 0);
    }
    return out;
}

std::vector<std::uint8_t> map_file_bytes(const IndexedImage& image, MapStorage storage) {
    const bool rle = storage == MapStorage::rle8;
    std::vector<std::uint8_t> pixels;
    if (rle) {
        pixels = rle8_encode(image);
    } else {
        const std::size_t stride = (static_cast<std::size_t>(image.width) + 3) / 4 * 4;
        pixels.assign(stride * static_cast<std::size_t>(image.height), 0);
        for (int y = 0; y < image.height; ++y) {
            const std::size_t row = static_cast<std::size_t>(image.height - 1 - y) * stride;
            std::copy_n(&image.pixels[static_cast<std::size_t>(y * image.width)], image.width,
                        pixels.begin() + static_cast<std::ptrdiff_t>(row));
        }
    }
    constexpr std::uint32_t headers = 14 + 40 + 256 * 4;
    std::vector<std::uint8_t> file = {'B', 'M'};
    put32(file, headers + static_cast<std::uint32_t>(pixels.size()));
    put32(file, 0);
    put32(file, headers);
    put32(file, 40);
    put32(file, static_cast<std::uint32_t>(image.width));
    put32(file, static_cast<std::uint32_t>(image.height)); // positive: rows bottom-up
    put16(file, 1);
    put16(file, 8);
    put32(file, rle ? 1 : 0);
    put32(file, static_cast<std::uint32_t>(pixels.size()));
    put32(file, 2835); // 72 dots per inch
    put32(file, 2835);
    put32(file, 256);
    put32(file, 0);
    for (std::size_t i = 0; i < 256; ++i) {
        const QRgb colour = palette_colour(i);
        file.push_back(static_cast<std::uint8_t>(qBlue(colour)));
        file.push_back(static_cast<std::uint8_t>(qGreen(colour)));
        file.push_back(static_cast<std::uint8_t>(qRed(colour)));
        file.push_back(0);
    }
    file.insert(file.end(), pixels.begin(), pixels.end());
    if (storage == MapStorage::compressed)
        return tamrek_compress(file);
    return file;
}

void check_map_file(const std::string& path, const IndexedImage& map) {
    const PictureLoad load = LoadPictureFile(path, false);
    if (load.status != PictureStatus::loaded || !load.dib)
        throw MediaError(path + ": the program's picture loader cannot load it (status " +
                         std::to_string(static_cast<int>(load.status)) + ")");
    const QImage image = dib_to_image(*load.dib);
    if (image.width() != map.width || image.height() != map.height)
        throw MediaError(path + ": loads as " + std::to_string(image.width()) + "x" +
                         std::to_string(image.height()));
    for (int y = 0; y < map.height; ++y) {
        for (int x = 0; x < map.width; ++x) {
            if ((image.pixel(x, y) & 0xffffff) != (palette_colour(map.at(x, y)) & 0xffffff))
                throw MediaError(path + ": pixel " + std::to_string(x) + "," + std::to_string(y) +
                                 " loads differently");
        }
    }
}

} // namespace pemmaro::media
