#pragma once
// Section "GENERAL" of the settings file: keys and defaults in one place.
// The web browser's two keys of this section are in WebBrowserSettings.h.

#include <string_view>

namespace pemmaro::general_settings {

inline constexpr std::string_view section = "GENERAL";

inline constexpr std::string_view text_file = "Text File";
inline constexpr std::string_view text_file_default = "Pemmaro.txt";
inline constexpr std::string_view base_directory = "Base Directory";
inline constexpr std::string_view just_installed = "Just Installed";
inline constexpr bool just_installed_default = false;
inline constexpr std::string_view sound_editing_program = "Sound Editing Program";
// None: the first sound editor found on the path serves until the user chooses.
inline constexpr std::string_view sound_editing_program_default = "";
inline constexpr std::string_view maximize_sound_editing_program = "Maximize Sound Editing Program";
inline constexpr bool maximize_sound_editing_program_default = false;
// The virtual CD changer's images; by default this folder under the base directory.
inline constexpr std::string_view audio_cd_image_folder = "Audio CD Image Folder";
inline constexpr std::string_view audio_cd_image_folder_default_name = "cd-images";
// The ordinal (1..4) of the CD audio device that plays audio CDs.
inline constexpr std::string_view audio_cd_drive = "CD-ROM drive used for audio CDs";
inline constexpr long audio_cd_drive_default = 1;
inline constexpr std::string_view text_size = "Text Size";
inline constexpr long text_size_default = 15;
// How many browsing windows were open at the end; as many open at start.
inline constexpr std::string_view windows = "Windows";
inline constexpr long windows_default = 1;
inline constexpr std::string_view show_picture_at_startup = "Show Picture at Startup";
inline constexpr bool show_picture_at_startup_default = true;
// The big picture windows' background, a Windows colour value (0x00BBGGRR).
inline constexpr std::string_view pictures_background_color = "Pictures Background Color";
inline constexpr long pictures_background_color_default = 15663103;
// The month (1 to 12) from which the few-colours warning is due again.
inline constexpr std::string_view next_month_for_colors_warning = "Next Month for Colors Warning";

} // namespace pemmaro::general_settings
