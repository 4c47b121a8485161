#include "maps_pictures/MapFill.h"
#include "maps_pictures/MapGeometry.h"
#include "maps_pictures/MapOverlay.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace pemmaro;

namespace {

GeoPosition corner_position(const DATA_Tmap_data& map, bool east, bool north) {
    return {east ? map.EastLongitude : map.WestLongitude,
            north ? map.NorthLatitude : map.SouthLatitude};
}

QPoint corner_pixel(const MapCorner& corner) {
    return {static_cast<int>(corner.x), static_cast<int>(corner.y)};
}

// On the India map at 82.5 degrees east: the latitude whose pixel, before the
// bend, has this y (the south edge runs from (36, 277) to (366, 276)).
double india_latitude_at(double y_before_bend) {
    return 10 + 20 * (276.5 - y_before_bend) / 256;
}

} // namespace

TEST(MapGeometry, FrameCornersLandOnTheCornerPixelsOfEveryMap) {
    for (const DATA_Tmap_data& map : solvara_map_records) {
        SCOPED_TRACE(std::string(map.ResourceName));
        EXPECT_EQ(GeoToPixel(map, corner_position(map, false, false)).point,
                  corner_pixel(map.CornerSW));
        EXPECT_EQ(GeoToPixel(map, corner_position(map, false, true)).point,
                  corner_pixel(map.CornerNW));
        EXPECT_EQ(GeoToPixel(map, corner_position(map, true, false)).point,
                  corner_pixel(map.CornerSE));
        EXPECT_EQ(GeoToPixel(map, corner_position(map, true, true)).point,
                  corner_pixel(map.CornerNE));
        const QPointF drawn = GeoToPaintPoint(map, corner_position(map, true, true));
        EXPECT_DOUBLE_EQ(drawn.x(), static_cast<double>(map.CornerNE.x) + 0.5);
        EXPECT_DOUBLE_EQ(drawn.y(), static_cast<double>(map.CornerNE.y) + 0.5);
    }
}

TEST(MapGeometry, TheIndiaMapBendsUpToEightPixelsDownAndTwoRight) {
    const DATA_Tmap_data& india = *find_map_record("INDIA_MAP");
    DATA_Tmap_data straight = india;
    straight.ResourceName = "STRAIGHT";
    const auto bend = [&](GeoPosition position) {
        return GeoToPixel(india, position).point - GeoToPixel(straight, position).point;
    };
    EXPECT_EQ(bend({82.5, 20}), QPoint(2, 8));
    EXPECT_EQ(bend({76.25, 15}), QPoint(1, 4)); // s = t = 1/4
    EXPECT_EQ(bend({95, 30}), QPoint(0, 0));
    // Other maps keep straight lines.
    const DATA_Tmap_data& china = *find_map_record("CHINA_MAP");
    DATA_Tmap_data china_renamed = china;
    china_renamed.ResourceName = "OTHER";
    EXPECT_EQ(GeoToPixel(china, {110, 32.5}).point, GeoToPixel(china_renamed, {110, 32.5}).point);
}

TEST(MapGeometry, APointOnTheMapLiesWithinTenPixelsOfItsExtentBeforeTheBend) {
    // The region map: parallels run straight across, y = 356 - 193 t; along
    // the equator x = 5 + 484 s.
    const DATA_Tmap_data& region = region_map_record();
    const auto at_y = [&](double y) { return GeoToPixel(region, {95, 20 * (356 - y) / 193}); };
    const auto at_x = [&](double x) { return GeoToPixel(region, {70 + 50 * (x - 5) / 484, 0}); };
    EXPECT_TRUE(at_y(-10).on_map);
    EXPECT_FALSE(at_y(-11).on_map);
    EXPECT_TRUE(at_y(482).on_map);
    EXPECT_FALSE(at_y(483).on_map);
    EXPECT_EQ(at_x(-10).point.x(), -10);
    EXPECT_TRUE(at_x(-10).on_map);
    EXPECT_FALSE(at_x(-11).on_map);
    EXPECT_TRUE(at_x(584).on_map);
    EXPECT_FALSE(at_x(585).on_map);

    // Bent 8 pixels below the limit, still on the map; one pixel further off.
    const DATA_Tmap_data& india = *find_map_record("INDIA_MAP");
    const MapPoint bent = GeoToPixel(india, {82.5, india_latitude_at(350)});
    EXPECT_EQ(bent.point.y(), 358);
    EXPECT_TRUE(bent.on_map);
    EXPECT_FALSE(GeoToPixel(india, {82.5, india_latitude_at(351)}).on_map);
}

TEST(MapGeometry, TheLocalitysCountryChoosesTheMap) {
    EXPECT_EQ(ChooseMapRecord("Sri lanka").ResourceName, "INDIA_MAP");
    EXPECT_EQ(ChooseMapRecord("Sri Lanka").ResourceName, "SOLVARA_MAP_BITMAP");
    EXPECT_EQ(ChooseMapRecord("Hong Kong").ResourceName, "CHINA_MAP");
    EXPECT_EQ(ChooseMapRecord("Brunei").ResourceName, "INDONESIA_MAP");
    EXPECT_EQ(ChooseMapRecord("").ResourceName, "SOLVARA_MAP_BITMAP");
    EXPECT_EQ(find_map_record("NO_SUCH_MAP"), nullptr);
}

TEST(MapFill, FillsThroughEveryColourButBlackAndStopsAtACornerToCornerLine) {
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(qRgb(255, 255, 255));
    for (int i = 0; i < 20; ++i)
        image.setPixel(i, 19 - i, map_border_colour); // a one-pixel diagonal
    image.setPixel(3, 3, qRgb(77, 255, 255));         // another colour on the way
    const QRgb green = qRgb(0, 255, 0);

    EXPECT_EQ(FloodFillToBorder(image, {2, 2}, green), 190); // the triangle above the line
    EXPECT_EQ(image.pixel(3, 3), green);
    EXPECT_EQ(image.pixel(19, 19), qRgb(255, 255, 255)); // below the line
    EXPECT_EQ(image.pixel(10, 10), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(10, 9), map_border_colour);

    // Filling again goes over pixels already of the fill colour.
    EXPECT_EQ(FloodFillToBorder(image, {0, 0}, qRgb(255, 255, 255)), 190);
    EXPECT_EQ(FloodFillToBorder(image, {10, 9}, green), 0); // on the border
    EXPECT_EQ(FloodFillToBorder(image, {20, 0}, green), 0); // outside

    QImage indexed = image.convertToFormat(QImage::Format_Indexed8);
    EXPECT_EQ(FloodFillToBorder(indexed, {19, 19}, green), 190);
    EXPECT_EQ(indexed.pixel(19, 19), green);
}

TEST(MapOverlay, BlueCoversTheMapAndRedTintsItInADiagonalCrossHatching) {
    QImage map(6, 2, QImage::Format_RGB32);
    map.fill(qRgb(90, 120, 150)); // grey value 120
    QImage overlay(6, 2, QImage::Format_RGB32);
    overlay.fill(qRgb(255, 0, 0));
    overlay.setPixel(5, 1, qRgb(0, 0, 255));
    overlay.setPixel(4, 1, qRgb(0, 255, 0)); // neither: the map shows through
    CombineOverlay(map, overlay);

    const QRgb tint = qRgb(60, 60, 187);
    const QRgb plain = qRgb(90, 120, 150);
    // Where (x + y) mod 3 or (x - y + 10000) mod 3 is 0.
    const QRgb row0[] = {tint, plain, tint, tint, plain, tint};
    const QRgb row1[] = {tint, plain, tint, tint, plain, qRgb(0, 0, 255)};
    for (int x = 0; x < 6; ++x) {
        EXPECT_EQ(map.pixel(x, 0), row0[x]) << x;
        EXPECT_EQ(map.pixel(x, 1), row1[x]) << x;
    }
}
