#pragma once
// Data paths such as "tapes\07\A05.WAV" on a case-sensitive file system: backslashes
// are separators and each component matches without regard to case, as on the
// file systems the data discs come from. Drive-letter paths do not exist here.

#include <optional>
#include <string>
#include <string_view>

namespace pemmaro {

std::string to_native_separators(std::string_view path);
bool is_drive_letter_path(std::string_view path); // "E:" or "E:\..."
bool is_separator(char c);                        // '/' or '\'
bool is_relative_path(std::string_view path);     // neither rooted nor drive-letter

// The existing file or folder the path names: the path itself when it exists,
// else the first match of each component without regard to case (names sorted,
// so the choice is stable). Relative paths are taken from the current directory.
std::optional<std::string> resolve_existing_path(std::string_view path);

bool data_file_exists(std::string_view path);   // a plain file
bool data_folder_exists(std::string_view path); // a directory

} // namespace pemmaro
