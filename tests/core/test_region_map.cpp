// The region's select-area map as committed: its colours, and that the fill
// from each item's points, bounded by black as the window fills, covers that
// item's land and nothing else.

#include "maps_pictures/MapFill.h"
#include "maps_pictures/RegionSeedPoints.h"
#include "data/SolvaraAreas.h"

#include <QImage>
#include <gtest/gtest.h>
#include <set>

using namespace pemmaro;

namespace {

constexpr QRgb sea = qRgb(77, 255, 255);
constexpr QRgb green = qRgb(0, 255, 0);
constexpr QRgb filled = qRgb(255, 0, 255); // in no map

const QImage& region_map() {
    static const QImage image(PEMMARO_RESOURCES_DIR "/maps/solvara_map_bitmap.png");
    return image;
}

std::string item_name(int item) {
    return std::string(TSolvaraArea::AreaItemCodes[static_cast<std::size_t>(item)]) + " (" +
           std::to_string(item) + ")";
}

// The map after filling every point of the item.
QImage filled_item(int item) {
    QImage image = region_map().convertToFormat(QImage::Format_RGB32);
    for (const QPoint seed : region_seed_points[static_cast<std::size_t>(item)])
        FloodFillToBorder(image, seed, filled);
    return image;
}

} // namespace

TEST(RegionMap, IsA256ColourBitmapOfTheMapsSizeWithTheExactColours) {
    const QImage& map = region_map();
    ASSERT_FALSE(map.isNull());
    EXPECT_EQ(map.size(), QSize(574, 472));
    EXPECT_EQ(map.format(), QImage::Format_Indexed8);
    EXPECT_EQ(map.colorCount(), 256);
    std::set<QRgb> used;
    for (int y = 0; y < map.height(); ++y) {
        for (int x = 0; x < map.width(); ++x)
            used.insert(map.pixel(x, y));
    }
    EXPECT_TRUE(used.count(sea) && used.count(green) && used.count(map_border_colour));
}

TEST(RegionMap, EachItemsFillStaysOnItsOwnLandAndReachesNoOtherItemsPoint) {
    const QImage original = region_map().convertToFormat(QImage::Format_RGB32);
    QImage all_filled = original;
    for (int item = 0; item < TSolvaraArea::item_count; ++item) {
        if (!TSolvaraArea::is_item_selectable(item))
            continue;
        SCOPED_TRACE(item_name(item));
        for (const QPoint seed : region_seed_points[static_cast<std::size_t>(item)]) {
            ASSERT_TRUE(original.rect().contains(seed)) << seed.x() << "," << seed.y();
            EXPECT_EQ(original.pixel(seed), green) << "point " << seed.x() << "," << seed.y();
        }
        const QImage image = filled_item(item);
        int sea_reached = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixel(x, y) == filled && original.pixel(x, y) == sea)
                    ++sea_reached;
            }
        }
        EXPECT_EQ(sea_reached, 0);
        for (int other = 0; other < TSolvaraArea::item_count; ++other) {
            if (other == item || !TSolvaraArea::is_item_selectable(other))
                continue;
            for (const QPoint seed : region_seed_points[static_cast<std::size_t>(other)])
                EXPECT_NE(image.pixel(seed), filled) << "reaches " << item_name(other);
        }
        for (const QPoint seed : region_seed_points[static_cast<std::size_t>(item)])
            FloodFillToBorder(all_filled, seed, filled);
    }
    // No green is left that no item fills: every piece has its point.
    int orphans = 0;
    for (int y = 0; y < all_filled.height(); ++y) {
        for (int x = 0; x < all_filled.width(); ++x)
            orphans += all_filled.pixel(x, y) == green;
    }
    EXPECT_EQ(orphans, 0);
}

TEST(RegionMap, PointsOfItemsThatCannotBeSelectedLieOffTheMapOrOffItsGreen) {
    for (const int item : {12, 14, 15}) {
        for (const QPoint seed : region_seed_points[static_cast<std::size_t>(item)]) {
            EXPECT_TRUE(!region_map().rect().contains(seed) || region_map().pixel(seed) != green)
                << item_name(item) << " at " << seed.x() << "," << seed.y();
        }
    }
    // The one point of index 13 lies on an island of the Philippines.
    const QImage philippines = filled_item(19);
    EXPECT_EQ(philippines.pixel(region_seed_points[13].front()), filled);
}
