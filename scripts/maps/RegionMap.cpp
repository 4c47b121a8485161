#include "RegionMap.h"

#include "MapDrawing.h"
#include "maps_pictures/MapFill.h"
#include "maps_pictures/RegionSeedPoints.h"
#include "data/SolvaraAreas.h"

#include <QFont>
#include <QPainter>
#include <deque>
#include <map>

namespace pemmaro::maps {

namespace {

constexpr int sea_class = -1;
constexpr int first_country_class = 100; // land outside the items, by country

struct Name {
    const char* text;
    QPoint baseline_start;
};

// Placed by eye: in the sea or across wide land, never over a point of the
// select-area map.
const Name names[] = {
    {"INDIA", {70, 200}},       {"SRI LANKA", {128, 298}},   {"NEPAL", {104, 57}},
    {"BURMA", {209, 200}},      {"THAILAND", {231, 246}},    {"INDOCHINA", {392, 240}},
    {"PENINSULAR", {336, 292}}, {"MALAYSIA", {344, 303}},    {"SINGAPORE", {340, 333}},
    {"BORNEO", {426, 356}},     {"SUMATRA", {248, 392}},     {"JAVA", {380, 448}},
    {"BALI", {440, 456}},       {"CHINA", {300, 90}},        {"HONGKONG", {420, 158}},
    {"TAIWAN", {511, 128}},     {"PHILIPPINES", {415, 196}},
};

class PieceRaster {
public:
    explicit PieceRaster(const Geography& geography)
        : geography_(geography)
        , map_(region_map_record())
        , image_(map_.MapWidth, map_.MapHeight, QImage::Format_RGB32) {
        image_.fill(0);
        QPainter painter(&image_);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(Qt::NoPen);
        // Items over other land, the enlarged places over everything.
        for (int pass = 0; pass < 3; ++pass) {
            for (std::size_t i = 0; i < geography.pieces.size(); ++i) {
                if (pass_of(geography.pieces[i]) == pass)
                    paint(painter, i);
            }
        }
    }

    int width() const { return image_.width(); }
    int height() const { return image_.height(); }

    // -1 for the sea, else the index of the piece of land.
    int piece_at(int x, int y) const { return static_cast<int>(image_.pixel(x, y) & 0xffffff) - 1; }

private:
    int pass_of(const LandPiece& piece) const {
        if (piece.item == no_item)
            return 0;
        for (const Enlargement& e : region_enlargements()) {
            if (applies(e, piece))
                return 2;
        }
        return 1;
    }

    void paint(QPainter& painter, std::size_t index) {
        const Placement placement{&map_, {}, true};
        painter.setBrush(QColor::fromRgb(static_cast<QRgb>(index + 1) | 0xff000000u));
        painter.drawPath(land_path(geography_.pieces[index], placement));
    }

    const Geography& geography_;
    const DATA_Tmap_data& map_;
    QImage image_;
};

// What each pixel shows: sea, an item's land, or other land by country.
class Classes {
public:
    Classes(const Geography& geography, const PieceRaster& raster)
        : width_(raster.width())
        , height_(raster.height())
        , classes_(static_cast<std::size_t>(width_ * height_)) {
        std::map<std::string, int> countries;
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                const int piece = raster.piece_at(x, y);
                int& cls = at(x, y);
                if (piece < 0) {
                    cls = sea_class;
                    country_.push_back(sea_class);
                    continue;
                }
                const LandPiece& land = geography.pieces[static_cast<std::size_t>(piece)];
                const auto [entry, added] = countries.emplace(
                    land.country, first_country_class + static_cast<int>(countries.size()));
                cls = land.item != no_item ? land.item : entry->second;
                country_.push_back(entry->second);
            }
        }
    }

    int width() const { return width_; }
    int height() const { return height_; }
    int& at(int x, int y) { return classes_[index(x, y)]; }
    int at(int x, int y) const { return classes_[index(x, y)]; }
    int country_at(int x, int y) const { return country_[index(x, y)]; }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    // The window's fill moves only sideways and up and down: land of an item
    // that touches itself only at a corner gets one more pixel there.
    void join_corners() {
        for (bool changed = true; changed;) {
            changed = false;
            for (int y = 0; y + 1 < height_; ++y) {
                for (int x = 0; x + 1 < width_; ++x) {
                    changed =
                        join_corner({x, y}, {x + 1, y + 1}, {x + 1, y}, {x, y + 1}) || changed;
                    changed =
                        join_corner({x + 1, y}, {x, y + 1}, {x, y}, {x + 1, y + 1}) || changed;
                }
            }
        }
    }

    // An item is filled from its points only: land of an item that none of
    // its points reaches is drawn as other land of its country.
    void keep_only_land_reached_from_seeds() {
        std::vector<bool> reached(classes_.size(), false);
        std::string misplaced;
        for (int item = 0; item < TSolvaraArea::item_count; ++item) {
            if (!TSolvaraArea::is_item_selectable(item))
                continue;
            for (const QPoint seed : region_seed_points[static_cast<std::size_t>(item)]) {
                if (!inside(seed.x(), seed.y()) || at(seed.x(), seed.y()) != item) {
                    misplaced += " " + std::string(TSolvaraArea::AreaItemCodes[item]) + "(" +
                                 std::to_string(seed.x()) + "," + std::to_string(seed.y()) + ")";
                    continue;
                }
                spread(seed, item, reached);
            }
        }
        if (!misplaced.empty())
            throw GeographyError("points of the select-area map off their land:" + misplaced);
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                if (at(x, y) >= 0 && at(x, y) < first_country_class && !reached[index(x, y)])
                    at(x, y) = country_at(x, y);
            }
        }
    }

private:
    std::size_t index(int x, int y) const { return static_cast<std::size_t>(y * width_ + x); }

    bool join_corner(QPoint a, QPoint b, QPoint c, QPoint d) {
        const int item = at(a.x(), a.y());
        if (item < 0 || item >= first_country_class || at(b.x(), b.y()) != item ||
            at(c.x(), c.y()) == item || at(d.x(), d.y()) == item)
            return false;
        // Into the sea or other land rather than into another item.
        for (const QPoint p : {c, d}) {
            const int cls = at(p.x(), p.y());
            if (cls == sea_class || cls >= first_country_class) {
                at(p.x(), p.y()) = item;
                country_[index(p.x(), p.y())] = country_at(a.x(), a.y());
                return true;
            }
        }
        return false;
    }

    void spread(QPoint seed, int item, std::vector<bool>& reached) {
        std::deque<QPoint> pending{seed};
        reached[index(seed.x(), seed.y())] = true;
        while (!pending.empty()) {
            const QPoint p = pending.front();
            pending.pop_front();
            for (const QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                const QPoint q = p + step;
                if (inside(q.x(), q.y()) && at(q.x(), q.y()) == item &&
                    !reached[index(q.x(), q.y())]) {
                    reached[index(q.x(), q.y())] = true;
                    pending.push_back(q);
                }
            }
        }
    }

    int width_;
    int height_;
    std::vector<int> classes_;
    std::vector<int> country_;
};

// Of two neighbours that differ, the one that takes the black line: the sea
// rather than land, other land rather than an item, the larger of two items
// (small places keep their few pixels), else the left or upper.
bool takes_line(int mine, int theirs, const std::map<int, int>& sizes) {
    if (mine == sea_class || theirs == sea_class)
        return mine == sea_class;
    const bool mine_item = mine < first_country_class;
    const bool theirs_item = theirs < first_country_class;
    if (mine_item != theirs_item)
        return !mine_item;
    return !mine_item || sizes.at(mine) >= sizes.at(theirs);
}

QImage coloured(const Classes& classes) {
    QImage image(classes.width(), classes.height(), QImage::Format_RGB32);
    std::map<int, int> sizes;
    for (int y = 0; y < classes.height(); ++y) {
        for (int x = 0; x < classes.width(); ++x) {
            const int cls = classes.at(x, y);
            ++sizes[cls];
            image.setPixel(x, y,
                           cls == sea_class            ? region_sea
                           : cls < first_country_class ? region_item_land
                                                       : region_other_land);
        }
    }
    for (int y = 0; y < classes.height(); ++y) {
        for (int x = 0; x < classes.width(); ++x) {
            const int mine = classes.at(x, y);
            for (const QPoint step : {QPoint(1, 0), QPoint(0, 1)}) {
                const int nx = x + step.x();
                const int ny = y + step.y();
                if (!classes.inside(nx, ny) || classes.at(nx, ny) == mine)
                    continue;
                if (takes_line(mine, classes.at(nx, ny), sizes))
                    image.setPixel(x, y, region_border);
                else
                    image.setPixel(nx, ny, region_border);
            }
        }
    }
    return image;
}

void write_names(QImage& image) {
    QPainter painter(&image);
    QFont font("Liberation Sans");
    font.setPixelSize(10);
    font.setBold(true);
    font.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(font);
    painter.setPen(QColor::fromRgb(region_border));
    for (const Name& name : names)
        painter.drawText(name.baseline_start, QString::fromLatin1(name.text));
}

// Item land that no point's fill reaches any more (the inside of a letter, a
// sliver cut off by a border) would stay green whatever is selected: it
// becomes part of the black.
void blacken_unreached_item_land(QImage& image) {
    QImage reached = image;
    for (int item = 0; item < TSolvaraArea::item_count; ++item) {
        if (!TSolvaraArea::is_item_selectable(item))
            continue;
        for (const QPoint seed : region_seed_points[static_cast<std::size_t>(item)])
            FloodFillToBorder(reached, seed, region_sea);
    }
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((reached.pixel(x, y) & 0xffffff) == (region_item_land & 0xffffff))
                image.setPixel(x, y, region_border);
        }
    }
}

// An exact palette: the map's few colours first, unused greys after them.
QImage with_palette(const QImage& image) {
    QList<QRgb> table = {region_border, region_item_land, region_sea, region_other_land};
    for (int grey = 1; table.size() < 256; ++grey)
        table.push_back(qRgb(grey, grey, grey));
    QImage indexed(image.size(), QImage::Format_Indexed8);
    indexed.setColorTable(table);
    for (int y = 0; y < image.height(); ++y) {
        uchar* line = indexed.scanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            const auto found = table.indexOf(image.pixel(x, y) | 0xff000000u);
            if (found < 0 || found > 3)
                throw GeographyError("region map: a pixel of an unexpected colour");
            line[x] = static_cast<uchar>(found);
        }
    }
    return indexed;
}

} // namespace

QImage draw_region_map(const Geography& geography) {
    const PieceRaster raster(geography);
    Classes classes(geography, raster);
    classes.join_corners();
    classes.keep_only_land_reached_from_seeds();
    QImage image = coloured(classes);
    write_names(image);
    blacken_unreached_item_land(image);
    return with_palette(image);
}

} // namespace pemmaro::maps
