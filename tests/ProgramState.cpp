#include "ProgramState.h"

#include "data/DataSet.h"
#include "platform/MediaDevices.h"
#include "platform/Messages.h"

namespace pemmaro::test {

ProgramState current_program_state() {
    ProgramState state;
    state.product = product();
    state.texts = textfile();
    state.settings = settings_file();
    state.common = common_services();
    state.fonts = display_fonts();
    state.screen = screen_properties();
    state.big_pictures = big_picture_settings();
    state.base_directory = base_directory_state();
    state.startup = startup_values();
    state.audio_cd_key_checker = audio_cd_key_checker();
    state.data = data();
    state.message_caption = message_caption();
    state.message_responder = message_responder();
    state.media_devices = &media_devices();
    return state;
}

std::vector<std::string> differences(const ProgramState& before, const ProgramState& after) {
    std::vector<std::string> names;
    const auto compare = [&](bool same, const char* name) {
        if (!same)
            names.emplace_back(name);
    };
    compare(before.product == after.product, "product");
    compare(before.texts == after.texts, "language texts");
    compare(before.settings == after.settings, "settings file");
    compare(before.common == after.common, "folders and separators");
    compare(before.fonts == after.fonts, "display fonts");
    compare(before.screen == after.screen, "screen colours");
    compare(before.big_pictures == after.big_pictures, "big picture settings");
    compare(before.base_directory == after.base_directory, "base directory");
    compare(before.startup == after.startup, "start-up values");
    compare(before.audio_cd_key_checker == after.audio_cd_key_checker, "audio CD key checker");
    compare(before.data == after.data, "data set");
    compare(before.message_caption == after.message_caption, "message caption");
    compare(before.message_responder == after.message_responder, "message responder");
    compare(before.media_devices == after.media_devices, "media devices");
    return names;
}

void restore_program_state(const ProgramState& state) {
    product() = state.product;
    textfile() = state.texts;
    settings_file() = state.settings;
    common_services() = state.common;
    display_fonts() = state.fonts;
    screen_properties() = state.screen;
    big_picture_settings() = state.big_pictures;
    base_directory_state() = state.base_directory;
    startup_values() = state.startup;
    audio_cd_key_checker() = state.audio_cd_key_checker;
    if (data() != state.data)
        set_data(nullptr);
    set_message_caption(state.message_caption);
}

ScopedProgramState::ScopedProgramState()
    : saved_(std::make_unique<ProgramState>(current_program_state())) {}

ScopedProgramState::~ScopedProgramState() {
    restore_program_state(*saved_);
}

} // namespace pemmaro::test
