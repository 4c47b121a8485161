#pragma once
// What kind of medium a path lies on, from the kernel's mount table.

#include <functional>
#include <string>
#include <string_view>

namespace pemmaro {

enum class DriveType { unknown, no_root_dir, removable, fixed, remote, cd_rom, ram_disk };

DriveType drive_type(const std::string& path);
// For tests and for callers that already hold /proc/self/mountinfo's text.
DriveType drive_type_in(std::string_view mountinfo, const std::string& absolute_path);
bool is_on_cd_rom(const std::string& path);

// The mount point of the file system that holds the path ("/" when unknown).
std::string mount_point_of(const std::string& path);
std::string mount_point_in(std::string_view mountinfo, const std::string& absolute_path);

// Test seam: decides is_on_cd_rom instead of the mount table while set.
void set_cd_rom_override(std::function<bool(const std::string&)> is_cd_rom);

} // namespace pemmaro
