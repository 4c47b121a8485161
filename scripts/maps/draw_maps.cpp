// Draws the six base maps of the program's resources from the committed
// geography: the region's select-area map as an 8-bit PNG and the five JPEG
// maps, each at the size and geometry of its map record.
//
// Usage: pemmaro_draw_maps GEOGRAPHY.json OUT_FOLDER

#include "CountryMaps.h"
#include "RegionMap.h"

#include <QGuiApplication>
#include <QImageWriter>
#include <iostream>

using namespace pemmaro;
using namespace pemmaro::maps;

namespace {

QString file_name_of(const DATA_Tmap_data& map) {
    return QString::fromLatin1(map.ResourceName.data(),
                               static_cast<qsizetype>(map.ResourceName.size()))
               .toLower() +
           (map.IsJpeg ? ".jpg" : ".png");
}

void save(const QImage& image, const QString& path, const char* format, int quality) {
    QImageWriter writer(path, format);
    writer.setQuality(quality);
    if (!writer.write(image))
        throw GeographyError(path.toStdString() + ": " + writer.errorString().toStdString());
    std::cout << "wrote " << path.toStdString() << " (" << image.width() << " x " << image.height()
              << ")\n";
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 3) {
        std::cerr << "usage: pemmaro_draw_maps GEOGRAPHY.json OUT_FOLDER\n";
        return 2;
    }
    try {
        const Geography geography = load_geography(argv[1]);
        const QString folder = QString::fromLocal8Bit(argv[2]) + "/";
        for (const DATA_Tmap_data& map : solvara_map_records) {
            const QString path = folder + file_name_of(map);
            if (map.IsJpeg)
                save(draw_country_map(geography, map), path, "jpeg", 90);
            else
                save(draw_region_map(geography), path, "png", -1);
        }
    } catch (const GeographyError& error) {
        std::cerr << "pemmaro_draw_maps: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
