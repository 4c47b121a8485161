#pragma once
// Settings access on the settings file "Pemmaro.ini" with the program's value
// encodings. A SettingsFile reads and writes one file, and writes nothing when
// that file lies on a CD-ROM; the core is given one. The free functions take
// an optional file name; without one they use the program's settings file.

#include <bitset>
#include <optional>
#include <string>
#include <string_view>

namespace pemmaro {

using NumberSet = std::bitset<256>; // members 1 to 255

struct SettingsFile {
    std::string path;
    bool on_cd_rom = false; // then nothing is written

    std::string read_string(std::string_view section, std::string_view key,
                            std::string_view default_value) const;
    // A folder or file name: read whole, since a path cut short names another place.
    std::string read_path(std::string_view section, std::string_view key,
                          std::string_view default_value) const;
    long read_integer(std::string_view section, std::string_view key, long default_value) const;
    bool read_flag(std::string_view section, std::string_view key, bool default_value) const;
    NumberSet read_set(std::string_view section, std::string_view key,
                       const NumberSet& default_value) const;

    // Each returns true when the value reached the file (or nothing was to be written).
    bool write_string(std::string_view section, std::string_view key, std::string_view value) const;
    bool write_integer(std::string_view section, std::string_view key, long value) const;
    bool write_flag(std::string_view section, std::string_view key, bool value) const;
    bool write_set(std::string_view section, std::string_view key, const NumberSet& value) const;

    bool operator==(const SettingsFile&) const = default;
};

// The program's settings file, chosen at start-up.
SettingsFile& settings_file();

// Chooses the settings file: beside the program when that folder is writable or
// on a CD-ROM (read only, then), else $XDG_CONFIG_HOME/pemmaro/, which the
// first time gets a copy of the file shipped beside the program as its seed
// (an empty file when none is shipped). An installed program (one with
// ../share/pemmaro/) always uses $XDG_CONFIG_HOME/pemmaro/.
void initialise_settings_file(const std::string& program_directory);

// Where the settings may live; the part of the choice that tests can stage.
struct SettingsPlaces {
    std::string program_directory; // with a trailing '/'
    bool program_directory_writable = true;
    std::string user_directory; // with a trailing '/'
};
void initialise_settings_file(const SettingsPlaces& places);
// Reports a settings file that is missing or no plain file (not fatal).
void check_settings_file();

using OptionalFile = std::optional<std::string>;

std::string read_string(std::string_view section, std::string_view key,
                        std::string_view default_value, const OptionalFile& file = {});
// A folder or file name: read whole, since a path cut short names another place.
std::string read_path(std::string_view section, std::string_view key,
                      std::string_view default_value, const OptionalFile& file = {});
long read_integer(std::string_view section, std::string_view key, long default_value,
                  const OptionalFile& file = {});
bool read_flag(std::string_view section, std::string_view key, bool default_value,
               const OptionalFile& file = {});
NumberSet read_set(std::string_view section, std::string_view key, const NumberSet& default_value,
                   const OptionalFile& file = {});

// Each returns true when the value reached the file (or nothing was to be written).
bool write_string(std::string_view section, std::string_view key, std::string_view value,
                  const OptionalFile& file = {});
bool write_integer(std::string_view section, std::string_view key, long value,
                   const OptionalFile& file = {});
bool write_flag(std::string_view section, std::string_view key, bool value,
                const OptionalFile& file = {});
bool write_set(std::string_view section, std::string_view key, const NumberSet& value,
               const OptionalFile& file = {});

std::string set_to_text(const NumberSet& set);
NumberSet text_to_set(std::string_view text);
bool text_to_flag(std::string_view text);

} // namespace pemmaro
