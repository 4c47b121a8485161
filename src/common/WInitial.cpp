#include "common/WInitial.h"

#include "common/BaseDirectoryUnit.h"
#include "common/GeneralSettings.h"
#include "common/ProductUnit.h"
#include "common/ScreenUnit.h"
#include "common/SettingsFileUnit.h"
#include "common/TextfileUnit.h"
#include "common/WGlobals.h"

namespace pemmaro {

namespace {

constexpr std::size_t help_path_limit = 200;

void read_startup_values() {
    namespace keys = general_settings;
    StartupValues& values = startup_values();
    values.sound_editing_program = read_string(keys::section, keys::sound_editing_program,
                                               keys::sound_editing_program_default);
    values.maximize_sound_editing_program =
        read_flag(keys::section, keys::maximize_sound_editing_program,
                  keys::maximize_sound_editing_program_default);
    values.help_file_path =
        (common_services().program_directory + ProgramConfiguration::help_file_name)
            .substr(0, help_path_limit);
}

} // namespace

StartupValues& startup_values() {
    static StartupValues values;
    return values;
}

void initialise_modules(const std::string& program_directory) {
    initialise_common_services(program_directory);
    initialise_settings_file(common_services().program_directory);
    check_settings_file();
    open_language_texts();
    establish_product();
    read_base_directory();
    measure_screen();
    read_startup_values();
}

void finalise_modules() {
    save_base_directory();
}

std::string instance_mutex_name() {
    return "Pemmaro Mutex" + product().product_title + " " + product().product_version;
}

} // namespace pemmaro
