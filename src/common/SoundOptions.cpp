#include "common/SoundOptions.h"

#include "common/SettingsFile.h"

namespace pemmaro {

using namespace sound_option_keys;

TSoundOptions read_sound_options(const SettingsFile& settings, std::string_view section) {
    TSoundOptions options;
    options.seconds_between_sounds = static_cast<int>(
        settings.read_integer(section, seconds_between_sounds, seconds_between_sounds_default));
    options.tell_species_names =
        settings.read_flag(section, tell_species_names, tell_species_names_default);
    options.tell_names_afterwards =
        settings.read_flag(section, tell_names_afterwards, tell_names_afterwards_default);
    options.seconds_after_spoken_names = static_cast<int>(settings.read_integer(
        section, seconds_after_spoken_names, seconds_after_spoken_names_default));
    return options;
}

bool write_sound_options(const SettingsFile& settings, std::string_view section,
                         const TSoundOptions& options) {
    bool written =
        settings.write_integer(section, seconds_between_sounds, options.seconds_between_sounds);
    written =
        settings.write_flag(section, tell_species_names, options.tell_species_names) && written;
    written = settings.write_flag(section, tell_names_afterwards, options.tell_names_afterwards) &&
              written;
    written = settings.write_integer(section, seconds_after_spoken_names,
                                     options.seconds_after_spoken_names) &&
              written;
    return written;
}

} // namespace pemmaro
