#pragma once
// The folder-browsing dialog behind the base-directory prompt.

#include <optional>
#include <string>

namespace pemmaro {

// Returns the chosen folder, none when the user cancels.
std::optional<std::string> choose_folder(const std::string& caption,
                                         const std::string& start_folder);

} // namespace pemmaro
