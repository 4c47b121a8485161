#pragma once
// Section "WINDOW n" of the settings file, one per browsing window (the first
// window is number 1): where it stood, its display options, its visibility
// filter and its fold state. Keys and defaults in one place.

#include <cstddef>
#include <string>
#include <string_view>

namespace pemmaro::window_settings {

inline std::string section(int number) {
    return "WINDOW " + std::to_string(number);
}

// Left, top, right and bottom; none: the default bounds, maximised.
inline constexpr std::string_view coord = "Coord";
inline constexpr std::string_view maximized = "Maximized";
inline constexpr bool maximized_default = true;

// The display options.
inline constexpr std::string_view other_language = "Other Language";
inline constexpr bool other_language_default = true;
inline constexpr std::string_view scientific = "Scientific";
inline constexpr bool scientific_default = true;
// Which name stands first: one of the two values.
inline constexpr std::string_view main = "Main";
inline constexpr std::string_view main_scientific = "Scientific";
inline constexpr std::string_view main_other_language = "Other Language";
inline constexpr std::string_view main_default = main_other_language;
inline constexpr std::string_view systematic_order = "Systematic Order";
inline constexpr long systematic_order_default = 2;
inline constexpr std::string_view squeeze_horizontal = "Squeeze Horizontal";
inline constexpr bool squeeze_horizontal_default = false;
inline constexpr std::string_view show_threatened = "Show Threatened Bird Indications";
inline constexpr bool show_threatened_default = true;

// The visibility filter. Without "Used Audio CDs" every audio CD is used;
// without "Selected Area" (or with an empty one) the whole area is selected.
inline constexpr std::string_view show_all_species_of_area = "Show All Species of Area";
inline constexpr bool show_all_species_of_area_default = false;
inline constexpr std::string_view used_audio_cds = "Used Audio CDs";
inline constexpr std::string_view selected_area = "Selected Area";

// The fold state: top family, top species, current family, current species,
// then up to 20 unfolded families.
inline constexpr std::string_view visible = "Visible";
inline constexpr std::string_view visible_default = "1,0,1,0";
inline constexpr std::size_t max_saved_families = 20;

} // namespace pemmaro::window_settings
