#pragma once
// Section "SLIDES AND SOUNDS SHOW" of the settings file: keys and defaults in
// one place, and the show settings a browsing window keeps and its show
// dialog edits.

#include "common/SoundOptions.h"

#include <string_view>

namespace pemmaro {

struct ProductSettings;
struct SettingsFile;

namespace show_settings {

inline constexpr std::string_view section = "SLIDES AND SOUNDS SHOW";

inline constexpr std::string_view show_type = "Show Type";
inline constexpr std::string_view sounds_only = "Sounds Only";
inline constexpr std::string_view slides_only = "Slides Only";
inline constexpr std::string_view slides_and_sounds = "Slides and Sounds";
inline constexpr std::string_view show_type_default = slides_and_sounds;

inline constexpr std::string_view slide_show_speed = "Slide Show Speed";
inline constexpr long slide_show_speed_default = 10;

// The sound options follow, under the keys of common/SoundOptions.h; the two
// "Tell" keys read as "No" in the products without spoken names.

} // namespace show_settings

// The show settings of a browsing window. At least one of slides and sounds is on.
struct ShowSettings {
    bool slides = true;
    bool sounds = true;
    int slide_interval = 10; // seconds per slide
    // Neither of these two is stored: every window starts with them.
    bool show_species_names = true;
    int sound_quality_level = 1; // 1: "X" and "A" items, 2: also "B", 3: all
    TSoundOptions sound_options;
    bool operator==(const ShowSettings&) const = default;
};

ShowSettings read_show_settings(const SettingsFile& settings, const ProductSettings& product);
// Show type, speed and sound options; false when a value did not reach the file.
bool write_show_settings(const SettingsFile& settings, const ShowSettings& show);

} // namespace pemmaro
