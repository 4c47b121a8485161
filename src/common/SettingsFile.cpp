#include "common/SettingsFile.h"

#include "common/FileOperations.h"
#include "common/ProgramFolders.h"
#include "platform/Ansi.h"
#include "platform/Drives.h"
#include "platform/Log.h"
#include "platform/Messages.h"
#include "platform/ProfileFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <unistd.h>

namespace pemmaro {

namespace {

constexpr std::string_view settings_file_name = "Pemmaro.ini";
constexpr std::size_t string_limit = 200;
constexpr std::size_t flag_limit = 3;
constexpr std::size_t set_limit = 1000;

std::string configuration_folder() {
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty())
        base = QDir::homePath() + "/.config";
    const QString folder = base + "/pemmaro";
    QDir().mkpath(folder);
    return folder.toStdString() + "/";
}

// The shipped settings ("Base Directory", "Just Installed") start the user's own
// file; the copy is the user's to write, whatever the shipped file's mode.
// Without shipped settings the user's file starts empty: every value has its
// default, and the first start does not report a missing settings file.
void seed_user_settings(const std::string& shipped, const std::string& own) {
    const QString own_name = QFile::decodeName(own.c_str());
    const QString shipped_name = QFile::decodeName(shipped.c_str());
    if (QFileInfo::exists(own_name))
        return;
    if (!QFileInfo(shipped_name).isFile()) {
        QFile created(own_name);
        if (!created.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            log_line("Could not create the settings file " + own);
        return;
    }
    if (!QFile::copy(shipped_name, own_name)) {
        log_line("Could not copy the settings " + shipped + " to " + own);
        return;
    }
    QFile::setPermissions(own_name, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                        QFile::ReadOther);
}

// A named file is written even when the program's settings file lies on a CD-ROM.
SettingsFile settings_or(const OptionalFile& file) {
    return file ? SettingsFile{*file, false} : settings_file();
}

} // namespace

SettingsFile& settings_file() {
    static SettingsFile file;
    return file;
}

void initialise_settings_file(const std::string& program_directory) {
    // An installed program never writes into its installation, even as root.
    const bool writable = installed_data_directory_of(program_directory).empty() &&
                          ::access(program_directory.c_str(), W_OK) == 0;
    initialise_settings_file(
        {program_directory, writable, writable ? std::string() : configuration_folder()});
}

void initialise_settings_file(const SettingsPlaces& places) {
    SettingsFile& settings = settings_file();
    const std::string beside_program = places.program_directory + std::string(settings_file_name);
    settings.on_cd_rom = is_on_cd_rom(places.program_directory);
    if (settings.on_cd_rom || places.program_directory_writable) {
        settings.path = beside_program;
        return;
    }
    settings.path = places.user_directory + std::string(settings_file_name);
    seed_user_settings(beside_program, settings.path);
}

void check_settings_file() {
    if (file_status(settings_file().path).kind != FileKind::existing_file)
        message("There is a problem with the file " + system_text(settings_file().path),
                MessageIcon::error);
}

std::string SettingsFile::read_string(std::string_view section, std::string_view key,
                                      std::string_view default_value) const {
    return profile_string(path, section, key, default_value, string_limit);
}

std::string SettingsFile::read_path(std::string_view section, std::string_view key,
                                    std::string_view default_value) const {
    return profile_string(path, section, key, default_value, std::string::npos);
}

long SettingsFile::read_integer(std::string_view section, std::string_view key,
                                long default_value) const {
    return profile_integer(path, section, key, default_value);
}

bool SettingsFile::read_flag(std::string_view section, std::string_view key,
                             bool default_value) const {
    return text_to_flag(profile_string(path, section, key, default_value ? "Y" : "N", flag_limit));
}

NumberSet SettingsFile::read_set(std::string_view section, std::string_view key,
                                 const NumberSet& default_value) const {
    return text_to_set(profile_string(path, section, key, set_to_text(default_value), set_limit));
}

bool SettingsFile::write_string(std::string_view section, std::string_view key,
                                std::string_view value) const {
    if (on_cd_rom)
        return true;
    const bool written = update_profile_file(
        path, [&](ProfileDocument& document) { document.set_value(section, key, value); });
    if (!written)
        log_line("Could not write \"" + std::string(key) + "\" to " + path);
    return written;
}

bool SettingsFile::write_integer(std::string_view section, std::string_view key, long value) const {
    return write_string(section, key, std::to_string(value));
}

bool SettingsFile::write_flag(std::string_view section, std::string_view key, bool value) const {
    return write_string(section, key, value ? "Yes" : "No");
}

bool SettingsFile::write_set(std::string_view section, std::string_view key,
                             const NumberSet& value) const {
    return write_string(section, key, set_to_text(value));
}

std::string read_string(std::string_view section, std::string_view key,
                        std::string_view default_value, const OptionalFile& file) {
    return settings_or(file).read_string(section, key, default_value);
}

std::string read_path(std::string_view section, std::string_view key,
                      std::string_view default_value, const OptionalFile& file) {
    return settings_or(file).read_path(section, key, default_value);
}

long read_integer(std::string_view section, std::string_view key, long default_value,
                  const OptionalFile& file) {
    return settings_or(file).read_integer(section, key, default_value);
}

bool read_flag(std::string_view section, std::string_view key, bool default_value,
               const OptionalFile& file) {
    return settings_or(file).read_flag(section, key, default_value);
}

NumberSet read_set(std::string_view section, std::string_view key, const NumberSet& default_value,
                   const OptionalFile& file) {
    return settings_or(file).read_set(section, key, default_value);
}

bool write_string(std::string_view section, std::string_view key, std::string_view value,
                  const OptionalFile& file) {
    return settings_or(file).write_string(section, key, value);
}

bool write_integer(std::string_view section, std::string_view key, long value,
                   const OptionalFile& file) {
    return settings_or(file).write_integer(section, key, value);
}

bool write_flag(std::string_view section, std::string_view key, bool value,
                const OptionalFile& file) {
    return settings_or(file).write_flag(section, key, value);
}

bool write_set(std::string_view section, std::string_view key, const NumberSet& value,
               const OptionalFile& file) {
    return settings_or(file).write_set(section, key, value);
}

std::string set_to_text(const NumberSet& set) {
    std::string text;
    for (std::size_t member = 1; member < set.size(); ++member) {
        if (!set.test(member))
            continue;
        if (!text.empty())
            text += '-';
        text += std::to_string(member);
    }
    return text;
}

// Digits make a number that a '-' or the end adds when it is 1..255; any other
// character is passed over without ending the number.
NumberSet text_to_set(std::string_view text) {
    NumberSet set;
    int number = 0;
    bool has_digits = false;
    auto add_number = [&] {
        if (has_digits && number >= 1 && number <= 255)
            set.set(static_cast<std::size_t>(number));
        number = 0;
        has_digits = false;
    };
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            number = std::min(number * 10 + (c - '0'), 1000);
            has_digits = true;
        } else if (c == '-') {
            add_number();
        }
    }
    add_number();
    return set;
}

bool text_to_flag(std::string_view text) {
    if (text.empty())
        return false;
    const char first = ascii_upper(text.front());
    return first == 'Y' || first == 'T';
}

} // namespace pemmaro
