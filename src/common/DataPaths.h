#pragma once
// Relative paths of the data disc's files (under the base directory).

#include <optional>
#include <string>
#include <string_view>

namespace pemmaro {

// An 8.3 name: a '.' after the eighth character, cut to 12 characters.
std::string family_folder_name(std::string_view family_directory_name);
// Tape number with a leading "0" when it has one digit.
std::string tape_folder_name(int tape_number);
std::string_view compression_suffix(int compression_number); // 0..9; other: ""

struct SoundFileKey {
    int tape_number = 0;
    char side_letter = ' ';
    int cut_number = 0;
    char sub_letter = ' ';
    int compression_number = 0;
};
// "tapes\07\A05_R.WAV"
std::string sound_file_path(const SoundFileKey& key);
std::string sound_file_name(const SoundFileKey& key); // without "tapes\" and folder

std::string small_picture_path(std::string_view family_directory_name, std::string_view unique_id);
std::string big_picture_folder_path(std::string_view family_directory_name,
                                    std::string_view unique_id);
// Picture n of a species: the folder path + "." + n right-aligned in three
// places, a blank first place written "j" and a blank second place "p"
// (1 gives ".jp1", 12 ".j12", 123 ".123").
std::string big_picture_path(std::string_view family_directory_name, std::string_view unique_id,
                             int n);
std::string big_picture_extension(int n);
// The extension is the product's (ProductCapabilities::distribution_map_extension).
std::string distribution_map_path(std::string_view family_directory_name,
                                  std::string_view unique_id, int n, std::string_view extension);
// k = 2 for Spanish, Dutch and Portuguese editions.
std::string spoken_name_path(std::string_view family_directory_name, std::string_view unique_id,
                             bool second_language_voices);
// None as well for a name that would lead out of "localities\" (absolute, or
// with a ".." component): the page opened must lie under the base directory.
std::optional<std::string> site_description_path(std::string_view description_file);

// A track of an audio CD copied to the hard disk: the first file (by name) in
// the folder whose name starts with the track number in two digits.
std::optional<std::string> copied_track_path(std::string_view hard_disk_directory, int track);

// Appends a separator unless the folder ends with one: '/' for folders of this
// system, '\' for drive-letter and empty values (so "" becomes "\").
std::string with_trailing_separator(std::string_view folder);

} // namespace pemmaro
