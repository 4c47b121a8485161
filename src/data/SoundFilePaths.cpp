#include "data/SoundFilePaths.h"

#include "common/DataPaths.h"
#include "data/DataSet.h"
#include "platform/Paths.h"

namespace pemmaro {

std::string cut_part_sound_file_path(const Tcutpart& cut_part, const std::string& base_directory) {
    const SoundFileKey key{cut_part.tape_number, cut_part.side_letter, cut_part.cut_number,
                           cut_part.sub_letter, cut_part.compression_number};
    const std::string path = base_directory + sound_file_path(key);
    return resolve_existing_path(path).value_or(to_native_separators(path));
}

} // namespace pemmaro
