#include "platform/Paths.h"

#include "platform/Ansi.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace pemmaro {

namespace fs = std::filesystem;

namespace {

bool entry_exists(const fs::path& path) {
    // A link counts as found even when it dangles: the caller decides what it needs.
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

// The entry of the folder that equals the name without regard to case; of several,
// the first by name, so the same disc always gives the same file.
std::optional<std::string> matching_entry(const fs::path& folder, const std::string& name) {
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec)
        return std::nullopt;
    std::optional<std::string> best;
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec)
            return std::nullopt;
        std::string entry = it->path().filename().string();
        if (same_text(entry, name) && (!best || entry < *best))
            best = std::move(entry);
    }
    return best;
}

std::optional<std::string> resolve_component_wise(const std::string& native) {
    std::error_code ec;
    fs::path current = native.front() == '/' ? fs::path("/") : fs::current_path(ec);
    if (ec)
        return std::nullopt;

    std::size_t start = 0;
    while (start <= native.size()) {
        std::size_t end = native.find('/', start);
        if (end == std::string::npos)
            end = native.size();
        std::string component = native.substr(start, end - start);
        start = end + 1;

        if (component.empty() || component == ".")
            continue;
        if (component == "..") {
            // Left to the system, so ".." through a linked folder means what it means there.
            current /= component;
            continue;
        }
        if (entry_exists(current / component)) {
            current /= component;
            continue;
        }
        std::optional<std::string> match = matching_entry(current, component);
        if (!match)
            return std::nullopt;
        current /= *match;
    }
    return current.string();
}

} // namespace

std::string to_native_separators(std::string_view path) {
    std::string result(path);
    std::replace(result.begin(), result.end(), '\\', '/');
    return result;
}

bool is_drive_letter_path(std::string_view path) {
    if (path.size() < 2 || path[1] != ':')
        return false;
    char letter = ascii_upper(path[0]);
    return letter >= 'A' && letter <= 'Z';
}

bool is_separator(char c) {
    return c == '/' || c == '\\';
}

bool is_relative_path(std::string_view path) {
    if (!path.empty() && is_separator(path.front()))
        return false;
    return !is_drive_letter_path(path);
}

std::optional<std::string> resolve_existing_path(std::string_view path) {
    if (path.empty() || is_drive_letter_path(path))
        return std::nullopt;
    std::string native = to_native_separators(path);

    std::error_code ec;
    if (fs::exists(fs::status(native, ec))) {
        fs::path absolute = fs::absolute(native, ec);
        if (!ec)
            return absolute.string();
    }
    return resolve_component_wise(native);
}

bool data_file_exists(std::string_view path) {
    std::optional<std::string> resolved = resolve_existing_path(path);
    std::error_code ec;
    return resolved && fs::is_regular_file(*resolved, ec);
}

bool data_folder_exists(std::string_view path) {
    std::optional<std::string> resolved = resolve_existing_path(path);
    std::error_code ec;
    return resolved && fs::is_directory(*resolved, ec);
}

} // namespace pemmaro
