#include "platform/Drives.h"

#include "platform/Paths.h"

#include <QFile>
#include <filesystem>
#include <mutex>
#include <optional>
#include <vector>

namespace pemmaro {

namespace {

struct MountEntry {
    std::string mount_point;
    std::string fs_type;
    std::string source;
};

// Mount points escape blanks, tabs, newlines and backslashes as \ooo.
std::string unescape_octal(std::string_view text) {
    auto octal = [](char c) { return c >= '0' && c <= '7'; };
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size() && octal(text[i + 1]) && octal(text[i + 2]) &&
            octal(text[i + 3])) {
            result.push_back(static_cast<char>((text[i + 1] - '0') * 64 + (text[i + 2] - '0') * 8 +
                                               (text[i + 3] - '0')));
            i += 3;
            continue;
        }
        result.push_back(text[i]);
    }
    return result;
}

std::vector<std::string_view> split_fields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t pos = 0;
    while (pos < line.size()) {
        std::size_t end = line.find(' ', pos);
        if (end == std::string_view::npos)
            end = line.size();
        if (end > pos)
            fields.push_back(line.substr(pos, end - pos));
        pos = end + 1;
    }
    return fields;
}

// One line: id parent major:minor root mount-point options [optional...] - type source super
std::optional<MountEntry> parse_mount_line(std::string_view line) {
    const auto fields = split_fields(line);
    if (fields.size() < 7)
        return std::nullopt;
    std::size_t dash = 6;
    while (dash < fields.size() && fields[dash] != "-")
        ++dash;
    if (dash + 1 >= fields.size())
        return std::nullopt;
    MountEntry entry;
    entry.mount_point = unescape_octal(fields[4]);
    entry.fs_type = std::string(fields[dash + 1]);
    entry.source = dash + 2 < fields.size() ? unescape_octal(fields[dash + 2]) : std::string();
    return entry;
}

bool is_under(const std::string& path, const std::string& mount_point) {
    if (mount_point == "/")
        return !path.empty() && path.front() == '/';
    if (path.compare(0, mount_point.size(), mount_point) != 0)
        return false;
    return path.size() == mount_point.size() || path[mount_point.size()] == '/';
}

// The last (topmost) of the longest mount points that hold the path.
std::optional<MountEntry> mount_of(std::string_view mountinfo, const std::string& path) {
    std::optional<MountEntry> best;
    std::size_t pos = 0;
    while (pos < mountinfo.size()) {
        std::size_t end = mountinfo.find('\n', pos);
        if (end == std::string_view::npos)
            end = mountinfo.size();
        if (auto entry = parse_mount_line(mountinfo.substr(pos, end - pos))) {
            if (is_under(path, entry->mount_point) &&
                (!best || entry->mount_point.size() >= best->mount_point.size()))
                best = std::move(entry);
        }
        pos = end + 1;
    }
    return best;
}

DriveType type_of(const MountEntry& entry) {
    const std::string& type = entry.fs_type;
    const std::string& source = entry.source;
    if (type == "iso9660" || type == "udf" || source.starts_with("/dev/sr") ||
        source.starts_with("/dev/scd") || source.starts_with("/dev/cdrom"))
        return DriveType::cd_rom;
    if (type.starts_with("nfs") || type == "cifs" || type == "smb3" || type == "smbfs" ||
        type == "9p" || type == "fuse.sshfs" || type == "afs")
        return DriveType::remote;
    if (type == "tmpfs" || type == "ramfs")
        return DriveType::ram_disk;
    return DriveType::fixed;
}

std::string read_mountinfo() {
    QFile file("/proc/self/mountinfo");
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().toStdString();
}

std::string absolute_native(const std::string& path) {
    std::error_code error;
    auto absolute = std::filesystem::weakly_canonical(
        std::filesystem::absolute(to_native_separators(path), error), error);
    return error ? std::string() : absolute.lexically_normal().string();
}

struct CdRomOverride {
    std::mutex mutex;
    std::function<bool(const std::string&)> is_cd_rom;
};

CdRomOverride& cd_rom_override() {
    static CdRomOverride instance;
    return instance;
}

} // namespace

DriveType drive_type_in(std::string_view mountinfo, const std::string& absolute_path) {
    if (absolute_path.empty() || absolute_path.front() != '/')
        return DriveType::no_root_dir;
    auto entry = mount_of(mountinfo, absolute_path);
    return entry ? type_of(*entry) : DriveType::unknown;
}

DriveType drive_type(const std::string& path) {
    if (path.empty() || is_drive_letter_path(path))
        return DriveType::no_root_dir;
    return drive_type_in(read_mountinfo(), absolute_native(path));
}

bool is_on_cd_rom(const std::string& path) {
    {
        std::lock_guard lock(cd_rom_override().mutex);
        if (cd_rom_override().is_cd_rom)
            return cd_rom_override().is_cd_rom(path);
    }
    return drive_type(path) == DriveType::cd_rom;
}

std::string mount_point_in(std::string_view mountinfo, const std::string& absolute_path) {
    auto entry = mount_of(mountinfo, absolute_path);
    return entry ? entry->mount_point : std::string("/");
}

std::string mount_point_of(const std::string& path) {
    return mount_point_in(read_mountinfo(), absolute_native(path));
}

void set_cd_rom_override(std::function<bool(const std::string&)> is_cd_rom) {
    std::lock_guard lock(cd_rom_override().mutex);
    cd_rom_override().is_cd_rom = std::move(is_cd_rom);
}

} // namespace pemmaro
