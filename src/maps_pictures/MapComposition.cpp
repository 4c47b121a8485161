#include "maps_pictures/MapComposition.h"

#include "common/DataPaths.h"
#include "common/Product.h"
#include "data/DataSet.h"
#include "maps_pictures/MapOverlay.h"
#include "maps_pictures/PictureFiles.h"

#include <QPainter>
#include <cstdlib>

namespace pemmaro {

namespace {

constexpr QRgb no_range = qRgb(255, 255, 255);

void draw_base_map(QImage& target, const DATA_Tmap_data& map) {
    const QImage base = base_map_picture(map);
    if (base.isNull())
        return;
    QPainter painter(&target);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(0, 0), base);
}

// The range stretched over its frame, cut to the map's own extent.
QImage range_overlay(const MapComposition& composition, QSize size) {
    QImage overlay(size, QImage::Format_RGB32);
    overlay.fill(no_range);
    const Tmap_data* frame = composition.species->maps[1].map;
    const QRect rect = OverlayRect(*composition.map, *frame);
    const PictureLoad loaded = LoadPictureFile(composition.distribution_file, true);
    if (!loaded.dib || rect.width() <= 0 || rect.height() <= 0)
        return overlay;
    const DATA_Tmap_data& map = *composition.map;
    QPainter painter(&overlay);
    painter.setClipRect(QRect(map.XMin, map.YMin, map.XMax - map.XMin, map.YMax - map.YMin));
    DrawDib(painter, rect.x(), rect.y(), false, &*loaded.dib, rect.height(), rect.width());
    return overlay;
}

void draw_complete_map(QImage& target, const std::string& file) {
    const PictureLoad loaded = LoadPictureFile(file, true);
    if (!loaded.dib)
        return;
    QPainter painter(&target);
    DrawDib(painter, 0, 0, false, &*loaded.dib, 0, 0);
}

void set_pixel(QImage& image, int x, int y, QRgb colour) {
    if (image.rect().contains(x, y))
        image.setPixel(x, y, colour);
}

bool is_corner(int dx, int dy, int reach) {
    return std::abs(dx) == reach && std::abs(dy) == reach;
}

} // namespace

bool has_map_file(const Tspecies& species) {
    return species.has_map_file || species.map_count > 0;
}

bool has_range_mask(const Tspecies& species) {
    return species.map_count > 0 && species.maps[1].is_mask && species.maps[1].map != nullptr;
}

const DATA_Tmap_data& map_record_for(const Tspecies* species, const Tlocality* locality) {
    if (species && has_map_file(*species) && !has_range_mask(*species))
        return region_map_record();
    return ChooseMapRecord(locality ? std::string_view(locality->country) : std::string_view());
}

std::string distribution_map_file(const Tspecies& species, int n,
                                  const ProductCapabilities& product,
                                  const std::string& base_directory) {
    return base_directory + distribution_map_path(species.family_directory_name,
                                                  std::to_string(species.unique_id), n,
                                                  product.distribution_map_extension);
}

QImage base_map_picture(const DATA_Tmap_data& map) {
    const std::string_view name = map.ResourceName;
    if (map.IsJpeg) {
        const std::optional<JpegPicture> jpeg = LoadJpegResource(name);
        return jpeg ? jpeg->image : QImage();
    }
    return QImage(QStringLiteral(":/") +
                  QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
}

QImage ComposeMap(const MapComposition& composition) {
    const DATA_Tmap_data& map = *composition.map;
    QImage picture(map.MapWidth, map.MapHeight, QImage::Format_RGB32);
    picture.fill(Qt::white);
    const Tspecies* species = composition.species;
    if (species && has_range_mask(*species)) {
        draw_base_map(picture, map);
        CombineOverlay(picture, range_overlay(composition, picture.size()));
    } else if (species && has_map_file(*species)) {
        draw_complete_map(picture, composition.distribution_file);
    } else {
        draw_base_map(picture, map);
    }
    if (composition.locality)
        DrawLocalityMarker(picture, *composition.locality, locality_marker_colour, true);
    return picture;
}

void DrawLocalityMarker(QImage& image, QPoint point, QRgb colour, bool ring) {
    image.convertTo(QImage::Format_RGB32);
    for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
            if (!is_corner(dx, dy, 2))
                set_pixel(image, point.x() + dx, point.y() + dy, colour);
        }
    }
    if (!ring)
        return;
    for (int dy = -3; dy <= 3; ++dy) {
        for (int dx = -3; dx <= 3; ++dx) {
            const int x = point.x() + dx;
            const int y = point.y() + dy;
            if (is_corner(dx, dy, 3) || !image.rect().contains(x, y))
                continue;
            if ((image.pixel(x, y) & 0xffffffu) != (colour & 0xffffffu))
                image.setPixel(x, y, qRgb(255, 255, 255));
        }
    }
}

} // namespace pemmaro
