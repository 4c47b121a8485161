#pragma once
// The program-wide values that start-up and the windows set. A test that runs
// them saves and restores the lot with ScopedProgramState; every test program
// checks after each test that it left them as it found them.

#include "app/Startup.h"
#include "common/BaseDirectory.h"
#include "common/LanguageTexts.h"
#include "common/Product.h"
#include "common/ProgramFolders.h"
#include "common/ScreenColours.h"
#include "common/SettingsFile.h"
#include "common/TextEngine.h"
#include "maps_pictures/BigPictureSettings.h"
#include "sound/AudioCdDrive.h"

#include <memory>
#include <string>
#include <vector>

namespace pemmaro {
class MediaDeviceBackend;
class MessageResponder;
class Tdata;
} // namespace pemmaro

namespace pemmaro::test {

struct ProgramState {
    ProductSettings product;
    Ttextfile_handler texts;
    SettingsFile settings;
    CommonServices common;
    DisplayFonts fonts;
    ScreenProperties screen;
    BigPictureSettings big_pictures;
    BaseDirectoryState base_directory;
    StartupValues startup;
    Taudio_CD_key_checker audio_cd_key_checker;
    const Tdata* data = nullptr;
    std::string message_caption;
    const MessageResponder* message_responder = nullptr;
    const MediaDeviceBackend* media_devices = nullptr;
};

ProgramState current_program_state();
// The names of the values that differ.
std::vector<std::string> differences(const ProgramState& before, const ProgramState& after);
// Puts back what can be put back; the data set only when it is the same one.
void restore_program_state(const ProgramState& state);

class ScopedProgramState {
public:
    ScopedProgramState();
    ~ScopedProgramState();
    ScopedProgramState(const ScopedProgramState&) = delete;
    ScopedProgramState& operator=(const ScopedProgramState&) = delete;

private:
    std::unique_ptr<ProgramState> saved_;
};

} // namespace pemmaro::test
