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
    show.sound_options = read_sound_options(settings, section);
    TSoundOptions& options = show.sound_options;
    options.tell_species_names = options.tell_species_names && product.is_product_104;
    options.tell_names_afterwards = options.tell_names_afterwards && product.is_product_104;
    return show;
}

bool write_show_settings(const SettingsFile& settings, const ShowSettings& show) {
    const std::string_view type = !show.slides   ? sounds_only
                                  : !show.sounds ? slides_only
                                                 : slides_and_sounds;
    bool written = settings.write_string(section, show_type, type);
    written = settings.write_integer(section, slide_show_speed, show.slide_interval) && written;
    written = write_sound_options(settings, section, show.sound_options) && written;
    return written;
}

} // namespace pemmaro
