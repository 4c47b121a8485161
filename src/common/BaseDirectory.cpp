#include "common/BaseDirectory.h"

#include "common/DataPaths.h"
#include "common/GeneralSettings.h"
#include "common/LanguageTexts.h"
#include "common/ProgramFolders.h"
#include "common/SettingsFile.h"
#include "platform/Drives.h"
#include "platform/Paths.h"
#include "platform/UserThread.h"

namespace pemmaro {

namespace {

struct BaseDirectoryHooks {
    FolderPrompt prompt;
    std::function<void()> changed;
};

BaseDirectoryHooks& hooks() {
    static BaseDirectoryHooks instance;
    return instance;
}

namespace keys = general_settings;

} // namespace

BaseDirectoryState& base_directory_state() {
    static BaseDirectoryState state;
    return state;
}

const std::string& base_directory() {
    return base_directory_state().base_directory;
}

void set_folder_prompt(FolderPrompt prompt) {
    hooks().prompt = std::move(prompt);
}

void set_base_directory_changed_handler(std::function<void()> handler) {
    hooks().changed = std::move(handler);
}

std::string just_installed_base_directory(const std::string& saved_value) {
    if (saved_value.empty() || saved_value.front() != '/')
        return saved_value.substr(0, 2);
    // A medium that is not mounted now lies on the root file system as far as
    // the mount table knows; its root would be "/" and the folder lost for good.
    const std::string mount_point = mount_point_of(saved_value);
    return mount_point == "/" ? saved_value : mount_point;
}

void read_base_directory() {
    BaseDirectoryState& state = base_directory_state();
    state.basedir_texts[0] = text(basedir::question);
    state.basedir_texts[1] = text(basedir::folders_to_choose);
    std::string value = read_path(keys::section, keys::base_directory, "");
    if (read_flag(keys::section, keys::just_installed, keys::just_installed_default)) {
        value = just_installed_base_directory(value);
        write_string(keys::section, keys::base_directory, value);
    }
    // Until the user picks a folder, an installed program uses its own sample disc.
    if (value.empty())
        value = common_services().installed_data_directory;
    state.base_directory = with_trailing_separator(value);
}

void save_base_directory() {
    write_flag(keys::section, keys::just_installed, false);
    write_string(keys::section, keys::base_directory, base_directory());
}

bool ask_for_base_directory() {
    std::optional<std::string> chosen;
    // The prompt is a dialog: a worker's question waits for the user's thread.
    run_on_user_thread([&chosen] {
        // A copy: the prompt may be withdrawn while its dialog is open.
        const FolderPrompt prompt = hooks().prompt;
        if (prompt)
            chosen = prompt(base_directory_state().basedir_texts[0]);
    });
    if (!chosen || chosen->empty())
        return false;
    set_base_directory(*chosen);
    return true;
}

void set_base_directory(const std::string& chosen) {
    const std::string folder = with_trailing_separator(chosen);
    if (folder == base_directory())
        return;
    base_directory_state().base_directory = folder;
    write_string(keys::section, keys::base_directory, folder);
    if (hooks().changed)
        hooks().changed();
}

std::optional<std::string> locate_data_file(const std::function<std::string()>& make_path) {
    while (true) {
        const std::string path = make_path();
        if (data_file_exists(path))
            return resolve_existing_path(path);
        if (!ask_for_base_directory())
            return std::nullopt;
    }
}

bool base_directory_is_on_cd_rom() {
    const std::string& folder = base_directory();
    if (folder.size() < 2 || is_drive_letter_path(folder))
        return false;
    return is_on_cd_rom(to_native_separators(folder));
}

} // namespace pemmaro
