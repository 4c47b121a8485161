#pragma once
// Section "PLAYLISTS" of the settings file: keys and defaults in one place.

#include <string_view>

namespace pemmaro::play_list_settings {

inline constexpr std::string_view section = "PLAYLISTS";

// Whether the play list window was open when the program ended.
inline constexpr std::string_view open_at_startup = "Open at Startup";
inline constexpr bool open_at_startup_default = false;

} // namespace pemmaro::play_list_settings
