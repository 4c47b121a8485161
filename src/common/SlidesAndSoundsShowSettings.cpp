#include "common/SlidesAndSoundsShowSettings.h"

#include "common/Product.h"
#include "common/SettingsFile.h"

#include <string>

namespace pemmaro {

using namespace show_settings;

ShowSettings read_show_settings(const SettingsFile& settings, const ProductSettings& product) {
    ShowSettings show;
    const std::string type = settings.read_string(section, show_type, show_type_default);
    show.slides = type != sounds_only;
    show.sounds = type != slides_only;
    show.slide_interval = static_cast<int>(
        settings.read_integer(section, slide_show_speed, slide_show_speed_default));
    TSoundOptions& options = show.sound_options;
    options.seconds_between_sounds = static_cast<int>(
        settings.read_integer(section, seconds_between_sounds, seconds_between_sounds_default));
    options.tell_species_names =
        product.is_product_104 &&
        settings.read_flag(section, tell_species_names, tell_species_names_default);
    options.tell_names_afterwards =
        product.is_product_104 &&
        settings.read_flag(section, tell_names_afterwards, tell_names_afterwards_default);
    options.seconds_after_spoken_names = static_cast<int>(settings.read_integer(
        section, seconds_after_spoken_names, seconds_after_spoken_names_default));
    return show;
}

bool write_show_settings(const SettingsFile& settings, const ShowSettings& show) {
    const std::string_view type = !show.slides   ? sounds_only
                                  : !show.sounds ? slides_only
                                                 : slides_and_sounds;
    const TSoundOptions& options = show.sound_options;
    bool written = settings.write_string(section, show_type, type);
    written = settings.write_integer(section, slide_show_speed, show.slide_interval) && written;
    written =
        settings.write_integer(section, seconds_between_sounds, options.seconds_between_sounds) &&
        written;
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
