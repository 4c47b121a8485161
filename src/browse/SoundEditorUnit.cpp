#include "browse/SoundEditorUnit.h"

#include "common/GeneralSettings.h"
#include "common/Globals1Unit.h"
#include "common/SettingsFileUnit.h"
#include "common/WInitial.h"
#include "platform/Messages.h"

namespace pemmaro {

namespace {

bool editor_exists(const std::string& path) {
    return !path.empty() && file_status(path).kind == FileKind::existing_file;
}

void store_editor(const std::string& path) {
    startup_values().sound_editing_program = path;
    write_string(general_settings::section, general_settings::sound_editing_program, path);
}

} // namespace

std::string editor_failure_text() {
    return "Either the sound editing program is not present, or its file name is incorrect.\n\n"
           "We recommend Audacity, a free sound editor: install it with your system's package "
           "manager (package \"audacity\") or get it from https://www.audacityteam.org/.\n\n"
           "If the file name is incorrect: please correct it in the Options dialog.";
}

bool select_sound_editor(const EditorChooser& choose) {
    const std::optional<std::string> chosen = choose(startup_values().sound_editing_program);
    if (!chosen)
        return false;
    store_editor(*chosen);
    return true;
}

EditorStart load_into_editor(const std::string& sound_file, const EditorChooser& choose) {
    while (!editor_exists(startup_values().sound_editing_program)) {
        if (!select_sound_editor(choose))
            return EditorStart::cancelled;
    }
    const StartupValues& values = startup_values();
    if (execute(values.sound_editing_program, {sound_file}, false,
                values.maximize_sound_editing_program)) {
        message_with_caption(editor_failure_caption, editor_failure_text(), MessageIcon::warning);
        return EditorStart::failed;
    }
    return EditorStart::started;
}

} // namespace pemmaro
