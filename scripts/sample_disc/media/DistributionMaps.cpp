#include "DistributionMaps.h"

#include "MapDrawing.h"
#include "MediaCommon.h"
#include "TamrekCompressor.h"
#include "data/DataSet.h"
#include "maps_pictures/MapGeometry.h"
#include "maps_pictures/MapOverlay.h"
#include "maps_pictures/PictureFiles.h"

#include <QFile>
#include <QPainter>
#include <algorithm>
#include <map>

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

constexpr std::uint8_t mask_white = 0;
constexpr std::uint8_t mask_blue = 1;
constexpr std::uint8_t mask_red = 2;
const QRgb white_rgb = qRgb(255, 255, 255);
const QRgb blue_rgb = qRgb(0, 0, 255);
const QRgb red_rgb = qRgb(255, 0, 0);

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

bool borders_range(int item, const AreaItems& range) {
    const std::vector<Item> next = neighbours(static_cast<Item>(item));
    return std::any_of(next.begin(), next.end(), [&](Item n) { return range[n]; });
}

std::string file_bytes(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        throw MediaError(path + ": " + file.errorString().toStdString());
    return file.readAll().toStdString();
}

// The range in pure blue and, for a migrant, the neighbouring items in red,
// on white, in region map pixels from the rectangle's corner.
class RangePainter {
public:
    RangePainter(const MapSources& sources, const MapRequest& request, QRect rect)
        : sources_(sources)
        , request_(request)
        , image_(rect.size(), QImage::Format_RGB32)
        , placement_{&region_map_record(), rect.topLeft(), true} {
        image_.fill(white_rgb);
        // Northern China is outside most of the region's ranges.
        china_north_ = Random(request.seed).between(28, 46);
    }

    QImage draw() {
        QPainter painter(&image_);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(Qt::NoPen);
        if (request_.migration) {
            for (int item = 0; item < static_cast<int>(request_.range.size()); ++item) {
                if (!request_.range[static_cast<std::size_t>(item)] &&
                    borders_range(item, request_.range))
                    fill_item(painter, item, red_rgb);
            }
        }
        for (int item = 0; item < static_cast<int>(request_.range.size()); ++item) {
            if (request_.range[static_cast<std::size_t>(item)])
                fill_item(painter, item, blue_rgb);
        }
        painter.end();
        keep_outlines_and_names();
        return image_;
    }

private:
    // The region map's black lines and names stay visible through the range.
    void keep_outlines_and_names() {
        const QImage& map = sources_.region_map;
        const QPoint origin = placement_.origin;
        for (int y = 0; y < image_.height(); ++y) {
            for (int x = 0; x < image_.width(); ++x) {
                const QPoint at = origin + QPoint(x, y);
                if (map.rect().contains(at) && (map.pixel(at) & 0xffffff) == 0)
                    image_.setPixel(x, y, white_rgb);
            }
        }
    }

    void fill_item(QPainter& painter, int item, QRgb colour) {
        painter.save();
        painter.setBrush(QColor::fromRgb(colour));
        if (item == CH)
            painter.setClipPath(south_of(china_north_));
        for (const maps::LandPiece& piece : sources_.geography.pieces) {
            if (piece.item == item)
                painter.drawPath(maps::land_path(piece, placement_));
        }
        painter.restore();
    }

    QPainterPath south_of(double latitude) const {
        QPainterPath area = maps::parallel_path(latitude, 58, 140, placement_);
        const double below = image_.height() + 1000.0;
        area.lineTo(area.currentPosition().x(), below);
        area.lineTo(area.elementAt(0).x, below);
        area.closeSubpath();
        return area;
    }

    const MapSources& sources_;
    const MapRequest& request_;
    QImage image_;
    maps::Placement placement_;
    double china_north_ = 90;
};

std::vector<QRgb> mask_palette() {
    std::vector<QRgb> palette = {white_rgb, blue_rgb, red_rgb};
    // Unused entries: a grey ramp.
    for (int grey = 3; palette.size() < 256; ++grey)
        palette.push_back(qRgb(grey, grey, grey));
    return palette;
}

// Every colour of the picture into a palette of its own.
IndexedImage indexed(const QImage& image, std::vector<QRgb> palette) {
    IndexedImage out{image.width(),
                     image.height(),
                     {},
                     std::vector<std::uint8_t>(static_cast<std::size_t>(image.width()) *
                                               static_cast<std::size_t>(image.height()))};
    std::map<QRgb, std::uint8_t> index;
    for (std::size_t i = 0; i < palette.size(); ++i)
        index.emplace(palette[i] & 0xffffff, static_cast<std::uint8_t>(i));
    std::size_t used = palette.size();
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb rgb = line[x] & 0xffffff;
            auto found = index.find(rgb);
            if (found == index.end()) {
                if (used == 256)
                    throw MediaError("a distribution map with more than 256 colours");
                palette.push_back(rgb | 0xff000000u);
                found = index.emplace(rgb, static_cast<std::uint8_t>(used++)).first;
            }
            out.pixels[static_cast<std::size_t>(y * image.width() + x)] = found->second;
        }
    }
    while (palette.size() < 256)
        palette.push_back(qRgb(0, 0, 0));
    out.palette = std::move(palette);
    return out;
}

// Without a neighbouring area to colour, the south of the range is the
// migration area.
void redden_south_of_range(IndexedImage& map) {
    int top = map.height;
    int bottom = -1;
    for (int y = 0; y < map.height; ++y) {
        for (int x = 0; x < map.width; ++x) {
            if (map.at(x, y) == mask_blue) {
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
            if (pixel == mask_blue)
                pixel = mask_red;
        }
    }
}

bool has_index(const IndexedImage& map, std::uint8_t value) {
    return std::find(map.pixels.begin(), map.pixels.end(), value) != map.pixels.end();
}

IndexedImage draw_mask(const MapSources& sources, const MapRequest& request) {
    Tmap_data frame;
    frame.first_pair = {request.frame.west, request.frame.north};
    frame.second_pair = {request.frame.east, request.frame.south};
    const QRect rect = OverlayRect(region_map_record(), frame);
    if (rect.width() <= 0 || rect.height() <= 0)
        throw MediaError("a map frame with no area on the region map");
    IndexedImage map = indexed(RangePainter(sources, request, rect).draw(), mask_palette());
    if (request.migration && !has_index(map, mask_red))
        redden_south_of_range(map);
    return map;
}

IndexedImage draw_complete_map(const MapSources& sources, const MapRequest& request) {
    QImage map = sources.region_map.convertToFormat(QImage::Format_RGB32);
    const QImage range = RangePainter(sources, request, map.rect()).draw();
    CombineOverlay(map, range);
    return indexed(map, {});
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

std::shared_ptr<const MapSources> load_map_sources(const std::string& geography_file,
                                                   const std::string& region_map_file) {
    auto sources = std::make_shared<MapSources>();
    try {
        sources->geography = maps::load_geography(geography_file);
    } catch (const maps::GeographyError& error) {
        throw MediaError(error.what());
    }
    const std::string region_bytes = file_bytes(region_map_file);
    sources->region_map = QImage::fromData(reinterpret_cast<const uchar*>(region_bytes.data()),
                                           static_cast<int>(region_bytes.size()));
    if (sources->region_map.isNull())
        throw MediaError(region_map_file + ": not a picture");
    sources->fingerprint = std::to_string(text_hash(file_bytes(geography_file))) + "-" +
                           std::to_string(text_hash(region_bytes));
    return sources;
}

IndexedImage draw_distribution_map(const MapSources& sources, const MapRequest& request) {
    return request.is_mask ? draw_mask(sources, request) : draw_complete_map(sources, request);
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
        const QRgb colour = i < image.palette.size() ? image.palette[i] : qRgb(0, 0, 0);
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
            if ((image.pixel(x, y) & 0xffffff) != (map.palette[map.at(x, y)] & 0xffffff))
                throw MediaError(path + ": pixel " + std::to_string(x) + "," + std::to_string(y) +
                                 " loads differently");
        }
    }
}

} // namespace pemmaro::media
