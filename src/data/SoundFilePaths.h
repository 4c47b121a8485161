#pragma once
// Where the sound file of a recording lies under the base directory.

#include <string>

namespace pemmaro {

struct Tcutpart;

// The full path of the cut part's sound file under the base directory, as it
// exists on disk when some spelling of it does (data discs come from file
// systems that ignore case).
std::string cut_part_sound_file_path(const Tcutpart& cut_part, const std::string& base_directory);

} // namespace pemmaro
