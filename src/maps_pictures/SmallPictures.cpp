#include "maps_pictures/SmallPictures.h"

#include "common/BaseDirectory.h"
#include "common/DataPaths.h"
#include "data/DataSet.h"
#include "maps_pictures/PictureFiles.h"

#include <string>

namespace pemmaro {

std::optional<std::pair<int, int>> TSmallPictures::acquire(Tspecies& species) {
    auto found = pictures_.find(&species);
    if (found == pictures_.end()) {
        if (species.small_picture_missing)
            return std::nullopt;
        const JpegPicture loaded = load_jpeg_file(
            base_directory() +
            small_picture_path(species.family_directory_name, std::to_string(species.unique_id)));
        // A file that cannot be decoded is as good as absent: nothing to show.
        if (loaded.image.isNull()) {
            species.small_picture_missing = true;
            return std::nullopt;
        }
        found = pictures_.emplace(&species, Entry{loaded.image, 0}).first;
    }
    ++found->second.users;
    return std::make_pair(found->second.image.width(), found->second.image.height());
}

void TSmallPictures::release(Tspecies& species) {
    const auto found = pictures_.find(&species);
    if (found != pictures_.end() && --found->second.users <= 0)
        pictures_.erase(found);
}

const QImage* TSmallPictures::picture(const Tspecies& species) const {
    const auto found = pictures_.find(&species);
    return found == pictures_.end() ? nullptr : &found->second.image;
}

TSmallPictures& small_pictures() {
    static TSmallPictures pictures;
    return pictures;
}

} // namespace pemmaro
