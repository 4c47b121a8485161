#include "sound/RecentPlayLists.h"

#include "common/PlayListSettings.h"
#include "common/SettingsFile.h"

#include <algorithm>

namespace pemmaro {

namespace {

std::string recent_key(int n) {
    return std::string(play_list_settings::recent_prefix) + std::to_string(n);
}

} // namespace

std::vector<std::string> recent_play_lists(const SettingsFile& settings) {
    std::vector<std::string> paths;
    for (int n = 1; n <= play_list_settings::recent_count; ++n) {
        std::string path = settings.read_path(play_list_settings::section, recent_key(n), "");
        if (!path.empty() && std::find(paths.begin(), paths.end(), path) == paths.end())
            paths.push_back(std::move(path));
    }
    return paths;
}

void remember_recent_play_list(const SettingsFile& settings, const std::string& path) {
    std::vector<std::string> paths = recent_play_lists(settings);
    paths.erase(std::remove(paths.begin(), paths.end(), path), paths.end());
    paths.insert(paths.begin(), path);
    paths.resize(std::min<std::size_t>(paths.size(), play_list_settings::recent_count));
    for (int n = 1; n <= play_list_settings::recent_count; ++n) {
        const auto index = static_cast<std::size_t>(n - 1);
        settings.write_string(play_list_settings::section, recent_key(n),
                              index < paths.size() ? paths[index] : std::string());
    }
}

} // namespace pemmaro
