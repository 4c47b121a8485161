#include "app/Startup.h"

#include "browse/DisplayLines.h"
#include "common/BaseDirectory.h"
#include "common/CoreContext.h"
#include "common/GeneralSettings.h"
#include "common/LanguageTexts.h"
#include "common/Product.h"
#include "common/ProgramFolders.h"
#include "common/QtTextMeasurer.h"
#include "common/ScreenColours.h"
#include "common/SettingsFile.h"
#include "common/TextEngine.h"
#include "data/DataFileReader.h"
#include "data/DataLoading.h"
#include "maps_pictures/BigPictureSettings.h"
#include "platform/MediaDevices.h"
#include "platform/OverrideCursor.h"
#include "platform/Paths.h"
#include "sound/AudioCdDrive.h"

#include <QDate>
#include <QFileInfo>

namespace pemmaro {

namespace {

void read_startup_values() {
    StartupValues& values = startup_values();
    values.sound_editor = read_sound_editor_choice(settings_file());
    const CommonServices& folders = common_services();
    values.help_file_path = folders.program_directory + ProgramConfiguration::help_file_name;
    // An installed program's help lies with its other shared files.
    if (!folders.installed_data_directory.empty() &&
        !QFileInfo::exists(QString::fromStdString(values.help_file_path)))
        values.help_file_path =
            folders.installed_data_directory + ProgramConfiguration::help_file_name;
}

} // namespace

StartupValues& startup_values() {
    static StartupValues values;
    return values;
}

void initialise_modules_before_data(const std::string& program_directory) {
    initialise_common_services(program_directory);
    initialise_settings_file(common_services().program_directory);
    check_settings_file();
    open_language_texts();
    establish_product();
}

void load_data_set() {
    set_data(load_data(program_context()));
}

void initialise_modules_up_to_data(const std::string& program_directory) {
    initialise_modules_before_data(program_directory);
    const OverrideCursor busy(Qt::WaitCursor);
    load_data_set();
}

void initialise_modules(const std::string& program_directory) {
    initialise_modules_up_to_data(program_directory);
    initialise_display_fonts();
    initialise_modules_after_data();
}

void initialise_modules_after_data() {
    read_base_directory();
    set_base_directory_changed_handler([] {
        if (Tdata* loaded = data())
            loaded->clear_small_picture_caches();
    });
    measure_screen();
    read_big_picture_settings(settings_file(), screen_properties().screen_colour_count,
                              QDate::currentDate().month());
    read_startup_values();
    // The virtual CD changer's images: by default the data disc's image folder.
    set_cd_image_folder(to_native_separators(read_path(
        general_settings::section, general_settings::audio_cd_image_folder,
        base_directory() + std::string(general_settings::audio_cd_image_folder_default_name))));
    initialise_audio_cds();
}

void initialise_display_fonts() {
    display_fonts().build(
        static_cast<int>(read_integer(general_settings::section, general_settings::text_size,
                                      general_settings::text_size_default)));
    measure_display_fonts_ahead(text_measurer(), display_fonts());
}

void finalise_modules() {
    save_base_directory();
    write_big_picture_settings(settings_file());
    write_integer(general_settings::section, general_settings::text_size,
                  display_fonts().base_height());
    set_base_directory_changed_handler(nullptr);
    if (std::unique_ptr<Tdata> loaded = release_data())
        save_audio_cd_state(*loaded, settings_file());
}

std::string instance_mutex_name() {
    return "Pemmaro Mutex" + product().product_title + " " + product().product_version;
}

} // namespace pemmaro
