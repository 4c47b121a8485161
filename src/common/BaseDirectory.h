#pragma once
// The base directory: the folder that holds the data disc's sub-folders. It is
// read at start, changed when the user picks another folder, saved at the end.

#include <functional>
#include <optional>
#include <string>

namespace pemmaro {

struct BaseDirectoryState {
    std::string base_directory; // ends with a separator once start-up is over
    std::string basedir_texts[2];
    bool operator==(const BaseDirectoryState&) const = default;
};

BaseDirectoryState& base_directory_state();
const std::string& base_directory();

// The folder dialog seam: returns the chosen folder, none when cancelled.
using FolderPrompt = std::function<std::optional<std::string>(const std::string& caption)>;
void set_folder_prompt(FolderPrompt prompt);

// Called when a new base directory is confirmed (small-picture caches cleared,
// main window redrawn); windows register here as they come.
void set_base_directory_changed_handler(std::function<void()> handler);

// Reads "BASEDIR", "Base Directory" and "Just Installed" (start-up).
void read_base_directory();
// Writes "Just Installed" = No and "Base Directory" (program end).
void save_base_directory();

// Makes the folder (a trailing separator added) the base directory; when it
// changed, saves it at once and calls the changed handler.
void set_base_directory(const std::string& folder);

// Asks for the folder; on confirmation stores it (with a trailing separator)
// and, when it changed, saves it at once and calls the changed handler. The
// earlier value is kept when the user cancels.
bool ask_for_base_directory();
// Builds the path with make_path until the file exists, asking for the base
// directory while it does not; none when the user cancels.
std::optional<std::string> locate_data_file(const std::function<std::string()>& make_path);

bool base_directory_is_on_cd_rom();

// The "Just Installed" rule: keep only the root of the medium the value lies on
// (a drive letter and colon, or the mount point of a path of this system). A
// path whose medium is not mounted, or that lies on the root file system, is
// kept as it is.
std::string just_installed_base_directory(const std::string& saved_value);

} // namespace pemmaro
