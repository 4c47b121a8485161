#pragma once
// The program's module initialisation, in its fixed order, and the
// finalisation that runs in reverse at the end.

#include "browse/SoundEditor.h"

#include <string>

namespace pemmaro {

// The settings file's and the language text file's names are kept with them
// (common/SettingsFile.cpp, common/GeneralSettings.h).
struct ProgramConfiguration {
    static constexpr const char* help_file_name = "Pemmaro.html";
    static constexpr const char* application_title = "Pemmaro";
};

// Values read once at start and kept for the run.
struct StartupValues {
    SoundEditorChoice sound_editor;
    std::string help_file_path;
    bool operator==(const StartupValues&) const = default;
};

StartupValues& startup_values();

// Common services, settings file, language texts, product, data set, base
// directory, screen and start-up values. Needs a QGuiApplication. A fatal
// error ends the program with a message.
void initialise_modules(const std::string& program_directory);
// The steps up to the loaded data set; needs only a QCoreApplication.
void initialise_modules_up_to_data(const std::string& program_directory);
// The same in two parts, which may run on a worker thread (app/StartupDataLoad.h):
// common services, settings file, language texts and product, then the data set.
// initialise_modules runs initialise_display_fonts between the two parts and
// initialise_modules_after_data.
void initialise_modules_before_data(const std::string& program_directory);
void load_data_set();
// The display's fonts at the text size of the settings; needs the settings
// file and a QGuiApplication, not the data set.
void initialise_display_fonts();
// The steps after the data set, on the user-interface thread.
void initialise_modules_after_data();
void finalise_modules();

// "Pemmaro Mutex" followed by the product title, a blank and the version.
std::string instance_mutex_name();

} // namespace pemmaro
