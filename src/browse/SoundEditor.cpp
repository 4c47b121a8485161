#include "browse/SoundEditor.h"

#include "common/FileOperations.h"
#include "common/GeneralSettings.h"
#include "common/SettingsFile.h"
#include "platform/Messages.h"
#include "platform/Paths.h"

#include <QFile>
#include <QStandardPaths>
#include <array>

namespace pemmaro {

namespace {

// Sound editors a Linux desktop may have, the most common first.
constexpr std::array<const char*, 6> known_sound_editors = {"audacity", "tenacity",   "ocenaudio",
                                                            "kwave",    "mhwaveedit", "sweep"};
constexpr const char* installed_programs_folder = "/usr/bin";

std::string first_sound_editor_on_path() {
    for (const char* name : known_sound_editors) {
        const QString found = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!found.isEmpty())
            return QFile::encodeName(found).toStdString();
    }
    return {};
}

bool editor_exists(const std::string& path) {
    return !path.empty() && file_status(path).kind == FileKind::existing_file;
}

void store_editor(SoundEditorChoice& choice, const SettingsFile& settings,
                  const std::string& path) {
    choice.program = path;
    settings.write_string(general_settings::section, general_settings::sound_editing_program, path);
}

} // namespace

std::string editor_failure_text() {
    return "Either the sound editing program is not present, or its file name is incorrect.\n\n"
           "We recommend Audacity, a free sound editor: install it with your system's package "
           "manager (package \"audacity\") or get it from https://www.audacityteam.org/.\n\n"
           "If the file name is incorrect: please correct it in the Options dialog.";
}

SoundEditorChoice read_sound_editor_choice(const SettingsFile& settings) {
    namespace keys = general_settings;
    return {settings.read_path(keys::section, keys::sound_editing_program,
                               keys::sound_editing_program_default),
            settings.read_flag(keys::section, keys::maximize_sound_editing_program,
                               keys::maximize_sound_editing_program_default)};
}

std::string current_sound_editor(const SoundEditorChoice& choice) {
    const std::string& chosen = choice.program;
    if (!chosen.empty() && !is_drive_letter_path(chosen))
        return chosen;
    return first_sound_editor_on_path();
}

bool select_sound_editor(SoundEditorChoice& choice, const SettingsFile& settings,
                         const EditorChooser& choose) {
    const std::string editor = current_sound_editor(choice);
    const std::optional<std::string> chosen =
        choose(editor.empty() ? installed_programs_folder : editor);
    if (!chosen)
        return false;
    store_editor(choice, settings, *chosen);
    return true;
}

EditorStart load_into_editor(SoundEditorChoice& choice, const SettingsFile& settings,
                             const std::string& sound_file, const EditorChooser& choose) {
    while (!editor_exists(current_sound_editor(choice))) {
        if (!select_sound_editor(choice, settings, choose))
            return EditorStart::cancelled;
    }
    if (execute(current_sound_editor(choice), {sound_file}, false, choice.maximise)) {
        message_with_caption(editor_failure_caption, editor_failure_text(), MessageIcon::warning);
        return EditorStart::failed;
    }
    return EditorStart::started;
}

} // namespace pemmaro
