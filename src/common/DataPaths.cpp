#include "common/DataPaths.h"

#include "common/FileOperations.h"
#include "platform/Ansi.h"
#include "platform/Paths.h"

#include <array>
#include <filesystem>

namespace pemmaro {

namespace {

constexpr std::array<std::string_view, 10> compression_suffixes = {
    "", "_R", "_2R", "_C", "_2C", "_MF", "_MC", "_MT", "_M4", "_M2"};

bool is_blank_letter(char c) {
    return c == ' ' || c == '\0';
}

std::string two_digits(int n) {
    return n >= 0 && n < 10 ? "0" + std::to_string(n) : std::to_string(n);
}

std::string species_file_base(std::string_view folder, std::string_view family_directory_name,
                              std::string_view unique_id) {
    return std::string(folder) + "\\" + family_folder_name(family_directory_name) + "\\" +
           std::string(unique_id);
}

// A relative path that no ".." component leads out of its folder.
bool stays_inside(std::string_view relative) {
    if (!is_relative_path(relative))
        return false;
    std::size_t start = 0;
    while (start <= relative.size()) {
        std::size_t end = start;
        while (end < relative.size() && !is_separator(relative[end]))
            ++end;
        if (relative.substr(start, end - start) == "..")
            return false;
        start = end + 1;
    }
    return true;
}

} // namespace

std::string family_folder_name(std::string_view family_directory_name) {
    std::string name(family_directory_name);
    if (name.size() > 8)
        name.insert(8, ".");
    return name.substr(0, 12);
}

std::string tape_folder_name(int tape_number) {
    return two_digits(tape_number);
}

std::string_view compression_suffix(int compression_number) {
    if (compression_number < 0 ||
        compression_number >= static_cast<int>(compression_suffixes.size()))
        return "";
    return compression_suffixes[static_cast<std::size_t>(compression_number)];
}

std::string sound_file_name(const SoundFileKey& key) {
    std::string name;
    if (!is_blank_letter(key.side_letter))
        name += key.side_letter;
    name += two_digits(key.cut_number);
    if (!is_blank_letter(key.sub_letter))
        name += key.sub_letter;
    return name + std::string(compression_suffix(key.compression_number)) + ".WAV";
}

std::string sound_file_path(const SoundFileKey& key) {
    return "tapes\\" + tape_folder_name(key.tape_number) + "\\" + sound_file_name(key);
}

std::string small_picture_path(std::string_view family_directory_name, std::string_view unique_id) {
    return species_file_base("smalpict", family_directory_name, unique_id) + ".jpg";
}

std::string big_picture_folder_path(std::string_view family_directory_name,
                                    std::string_view unique_id) {
    return species_file_base("big_pict", family_directory_name, unique_id);
}

std::string big_picture_extension(int n) {
    std::string digits = std::to_string(n);
    if (digits.size() < 3)
        digits.insert(0, 3 - digits.size(), ' ');
    if (digits[0] == ' ')
        digits[0] = 'j';
    if (digits[1] == ' ')
        digits[1] = 'p';
    return digits;
}

std::string big_picture_path(std::string_view family_directory_name, std::string_view unique_id,
                             int n) {
    return big_picture_folder_path(family_directory_name, unique_id) + "." +
           big_picture_extension(n);
}

std::string distribution_map_path(std::string_view family_directory_name,
                                  std::string_view unique_id, int n, std::string_view extension) {
    return species_file_base("distmaps", family_directory_name, unique_id) + "-" +
           std::to_string(n) + "." + std::string(extension);
}

std::string spoken_name_path(std::string_view family_directory_name, std::string_view unique_id,
                             bool second_language_voices) {
    const std::string folder = second_language_voices ? "voices\\lang2" : "voices\\lang1";
    return species_file_base(folder, family_directory_name, unique_id) + ".wav";
}

std::optional<std::string> site_description_path(std::string_view description_file) {
    if (description_file.empty() || !stays_inside(description_file))
        return std::nullopt;
    return "localities\\" + std::string(description_file);
}

std::optional<std::string> copied_track_path(std::string_view hard_disk_directory, int track) {
    std::string folder(hard_disk_directory);
    while (!folder.empty() && is_separator(folder.back()))
        folder.pop_back();
    if (folder.empty())
        return std::nullopt;
    const std::optional<std::string> resolved = resolve_existing_path(folder);
    if (!resolved)
        return std::nullopt;
    const std::string number = two_digits(track);
    for (const std::string& name : list_folder(*resolved, false, false, false)) {
        std::error_code error;
        const std::string path = *resolved + "/" + name;
        if (name.find(number) != std::string::npos && std::filesystem::is_regular_file(path, error))
            return path;
    }
    return std::nullopt;
}

std::string with_trailing_separator(std::string_view folder) {
    if (!folder.empty() && is_separator(folder.back()))
        return std::string(folder);
    const bool windows_style = folder.empty() || is_drive_letter_path(folder) ||
                               folder.find('\\') != std::string_view::npos;
    return std::string(folder) + (windows_style ? "\\" : "/");
}

} // namespace pemmaro
