// Any bytes as the settings file: reading it as the program does must never
// crash or hang, and a value the program writes into it must read back as
// written whatever else the file holds.

#include "FuzzSupport.h"
#include "common/SettingsFile.h"
#include "common/SoundOptions.h"
#include "platform/ProfileFile.h"

#include <array>
#include <cstdlib>
#include <string_view>

namespace {

using namespace pemmaro;

constexpr std::array<std::string_view, 4> sections = {"GENERAL", "WINDOW 1", "PlayLists",
                                                      "Recent Play Lists"};
constexpr std::string_view written_value = "Written by the program";

void read_as_settings(const fuzz::MemoryFile& file) {
    const SettingsFile settings{file.path()};
    for (std::string_view section : sections) {
        static_cast<void>(read_sound_options(settings, section));
        static_cast<void>(settings.read_set(section, "Audio CDs", NumberSet().set()));
        static_cast<void>(settings.read_path(section, "Base Directory", ""));
        static_cast<void>(settings.read_integer(section, "Text Size", 15));
    }
}

void edit_and_read_back(ProfileDocument document) {
    for (std::string_view section : sections) {
        for (const std::string& key : document.keys(section)) {
            static_cast<void>(text_to_set(*document.value(section, key)));
            static_cast<void>(profile_integer_of(*document.value(section, key)));
        }
        document.set_value(section, "Visible", written_value);
        if (document.value(section, "Visible") != written_value)
            std::abort();
    }
    // The edited file, read again, still holds the values.
    const ProfileDocument again(document.bytes());
    for (std::string_view section : sections)
        if (again.value(section, "Visible") != written_value)
            std::abort();
    document.remove_key(sections[1], "Visible");
    document.remove_section(sections[0]);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::prepare_run();
    static const fuzz::MemoryFile file;
    const std::string_view bytes = fuzz::text_of(data, size);
    file.replace(bytes);
    read_as_settings(file);
    edit_and_read_back(ProfileDocument(std::string(bytes)));
    return 0;
}
