// The base maps among the program's resources, under the names of their map
// records and at their sizes.

#include "maps_pictures/MapGeometry.h"
#include "maps_pictures/PictureFiles.h"
#include "platform/ProgramResources.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace pemmaro;

TEST(MapResources, EveryMapRecordHasItsPictureAtItsSize) {
    ensure_program_resources();
    for (const DATA_Tmap_data& map : solvara_map_records) {
        const std::string name(map.ResourceName);
        SCOPED_TRACE(name);
        QImage picture;
        if (map.IsJpeg) {
            const std::optional<JpegPicture> jpeg = LoadJpegResource(name);
            ASSERT_TRUE(jpeg.has_value());
            EXPECT_TRUE(jpeg->complete) << jpeg->error;
            picture = jpeg->image;
        } else {
            picture = QImage(QString::fromStdString(":/" + name));
            EXPECT_EQ(picture.format(), QImage::Format_Indexed8);
        }
        EXPECT_EQ(picture.size(), QSize(map.MapWidth, map.MapHeight));
    }
}
