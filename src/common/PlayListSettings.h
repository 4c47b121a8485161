#pragma once
// Section "PLAYLISTS" of the settings file: keys and defaults in one place.

#include <string_view>

namespace pemmaro::play_list_settings {

inline constexpr std::string_view section = "PLAYLISTS";

// Whether the play list window was open when the program ended.
inline constexpr std::string_view open_at_startup = "Open at Startup";
inline constexpr bool open_at_startup_default = false;

// The play list file loaded at start; empty: a new list.
inline constexpr std::string_view current = "Current";
// The window's rectangle: left, top, right, bottom.
inline constexpr std::string_view coord = "Coord";

// The sound options of the window follow, under the keys of common/SoundOptions.h.

// The recently used play list files, most recent first: "Recent 1" ...
inline constexpr std::string_view recent_prefix = "Recent ";
inline constexpr int recent_count = 4;

} // namespace pemmaro::play_list_settings
