#pragma once
// The external sound editor: choosing it and opening a recording's sound file
// in it. The editor's path is kept in "Sound Editing Program".

#include <functional>
#include <optional>
#include <string>

namespace pemmaro {

struct SettingsFile;

// The editor the user chose and how it starts; read at start-up, kept for the
// run and shared by the windows.
struct SoundEditorChoice {
    std::string program;   // "Sound Editing Program"; empty: none chosen
    bool maximise = false; // "Maximize Sound Editing Program"
    bool operator==(const SoundEditorChoice&) const = default;
};
// Reads the two settings of section "GENERAL".
SoundEditorChoice read_sound_editor_choice(const SettingsFile& settings);

// The open-file dialog, starting at the given path (the editor in use, else
// the folder of installed programs); none when cancelled.
using EditorChooser = std::function<std::optional<std::string>(const std::string& start)>;

// The editor in use: the one chosen, else the first known sound editor on the
// path (a drive-letter path, the Windows editions' default, is no choice
// here); empty when there is none.
std::string current_sound_editor(const SoundEditorChoice& choice);

inline constexpr const char* editor_failure_caption = "Error when executing program";
// The message shown when the editor could not be started.
std::string editor_failure_text();

// One dialog; a chosen path is stored and written. Returns whether one was chosen.
bool select_sound_editor(SoundEditorChoice& choice, const SettingsFile& settings,
                         const EditorChooser& choose);

enum class EditorStart { cancelled, started, failed };

// Asks for the editor while its path names no existing file, then starts it on
// the sound file (maximised when "Maximize Sound Editing Program" is set).
EditorStart load_into_editor(SoundEditorChoice& choice, const SettingsFile& settings,
                             const std::string& sound_file, const EditorChooser& choose);

} // namespace pemmaro
