#include "data/SpokenNames.h"

#include "common/BaseDirectory.h"
#include "common/DataPaths.h"
#include "common/Product.h"
#include "data/DataSet.h"
#include "platform/MediaDevices.h"

#include <string>

namespace pemmaro {

bool TellSpeciesName(const Tspecies& species, const ProductSettings& product) {
    // The second voices are those of the editions in Spanish, Dutch and Portuguese.
    const bool second_language =
        product.edition_spanish || product.edition_dutch || product.edition_portuguese;
    return play_sound_file_synchronously(
        base_directory() + spoken_name_path(species.family_directory_name,
                                            std::to_string(species.unique_id), second_language));
}

} // namespace pemmaro
