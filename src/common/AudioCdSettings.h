#pragma once
// Section "AUDIO CDS" of the settings file: which audio CDs the user keeps on
// the hard disk, and where. Keys and defaults in one place.

#include <string>
#include <string_view>

namespace pemmaro::audio_cd_settings {

inline constexpr std::string_view section = "AUDIO CDS";

// The set of the CDs (by position in the data set's audio CD index) kept on
// the hard disk; none by default.
inline constexpr std::string_view on_hard_disk = "CDs on Hard Disk";

// Per CD, by its 1-based position in file order: the short name it was saved
// under (the folder is only taken while it matches), and the folder.
inline std::string short_name(int cd_index) {
    return "Part of short name CD " + std::to_string(cd_index);
}
inline std::string hard_disk_directory(int cd_index) {
    return "Directory on hard disk CD " + std::to_string(cd_index);
}

} // namespace pemmaro::audio_cd_settings
