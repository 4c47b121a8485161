#pragma once
// Section "SONOGRAM" of the settings file: the sonogram pane's frequency range,
// analysis window and dynamic range. Keys and defaults in one place.

#include <array>
#include <string_view>

namespace pemmaro::sonogram_settings {

inline constexpr std::string_view section = "SONOGRAM";

// The frequencies shown, in hertz.
inline constexpr std::string_view lowest_frequency = "Lowest Frequency";
inline constexpr int lowest_frequency_default = 0;
inline constexpr std::string_view highest_frequency = "Highest Frequency";
inline constexpr int highest_frequency_default = 11000;

// Samples per analysis window: one of window_sizes.
inline constexpr std::string_view window_size = "Window Size";
inline constexpr int window_size_default = 512;
inline constexpr std::array<int, 3> window_sizes{256, 512, 1024};

// Decibels between the loudest level shown and silence (the darkest colour).
inline constexpr std::string_view dynamic_range = "Dynamic Range";
inline constexpr int dynamic_range_default = 70;
inline constexpr int dynamic_range_lowest = 20;
inline constexpr int dynamic_range_highest = 120;

} // namespace pemmaro::sonogram_settings
