#pragma once
// The play list files used last, most recent first, kept in section
// "PLAYLISTS" of the settings file for the play list window's File menu.

#include <string>
#include <vector>

namespace pemmaro {

struct SettingsFile;

std::vector<std::string> recent_play_lists(const SettingsFile& settings);
// Puts the path first, dropping it from further down and the oldest beyond the count.
void remember_recent_play_list(const SettingsFile& settings, const std::string& path);

} // namespace pemmaro
