#pragma once
// Section "GENERAL" of the settings file: keys and defaults in one place.

#include <string_view>

namespace pemmaro::general_settings {

inline constexpr std::string_view section = "GENERAL";

inline constexpr std::string_view text_file = "Text File";
inline constexpr std::string_view base_directory = "Base Directory";
inline constexpr std::string_view just_installed = "Just Installed";
inline constexpr bool just_installed_default = false;
inline constexpr std::string_view sound_editing_program = "Sound Editing Program";
// None: the first sound editor found on the path serves until the user chooses.
inline constexpr std::string_view sound_editing_program_default = "";
inline constexpr std::string_view audio_cd_image_folder = "Audio CD Image Folder";
inline constexpr std::string_view audio_cd_image_folder_default_name = "cd-images";
inline constexpr std::string_view text_size = "Text Size";
inline constexpr long text_size_default = 15;
inline constexpr std::string_view maximize_sound_editing_program = "Maximize Sound Editing Program";
inline constexpr bool maximize_sound_editing_program_default = false;

} // namespace pemmaro::general_settings
