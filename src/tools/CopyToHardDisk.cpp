#include "tools/CopyToHardDisk.h"

#include "common/BaseDirectory.h"
#include "common/DataPaths.h"
#include "common/LanguageTexts.h"
#include "platform/Messages.h"
#include "tools/MessageWhileCopyingForm.h"

namespace pemmaro {

namespace {

namespace lines = copy_to_hard_disk;

// Line "before", the folder in quotes, line "after", a line break and the last line.
MessageText end_text(const TextLine& before, const std::string& folder, const TextLine& after,
                     const TextLine& last) {
    return text(before) + " \"" + system_text(folder) + "\" " + text(after) + "\n" + text(last);
}

// The worker owns itself: after an abort it may finish its file after the window has gone.
CopyOutcome run_copying_window(QWidget* window, const std::string& destination) {
    TMessageWhileCopyingForm form(base_directory(), destination, window);
    form.exec();
    if (form.succeeded)
        return CopyOutcome::succeeded;
    return form.failed ? CopyOutcome::failed : CopyOutcome::aborted;
}

} // namespace

CopyCommandResult copy_data_to_hard_disk(QWidget* window, const CopyFolderChooser& choose_folder) {
    if (!base_directory_is_on_cd_rom()) {
        message(text(lines::not_on_cd_rom), MessageIcon::error);
        return CopyCommandResult::not_on_cd_rom;
    }
    const std::optional<std::string> chosen =
        choose_folder ? choose_folder(window, text(lines::folder_caption)) : std::nullopt;
    if (!chosen || chosen->empty())
        return CopyCommandResult::cancelled;
    const std::string destination = with_trailing_separator(*chosen);
    // A copy inside the data's own folder would copy itself without end.
    if (destination.starts_with(with_trailing_separator(base_directory()))) {
        message(text(lines::inside_data_folder), MessageIcon::error);
        return CopyCommandResult::cancelled;
    }
    switch (run_copying_window(window, destination)) {
    case CopyOutcome::succeeded:
        set_base_directory(destination);
        message(end_text(lines::succeeded_before_folder, destination, lines::succeeded_after_folder,
                         lines::succeeded_last_line),
                MessageIcon::information);
        return CopyCommandResult::succeeded;
    case CopyOutcome::failed:
        message(end_text(lines::failed_before_folder, destination, lines::failed_after_folder,
                         lines::failed_last_line),
                MessageIcon::error);
        return CopyCommandResult::failed;
    case CopyOutcome::aborted:
        break;
    }
    message(text(lines::aborted) + "\n" + text(lines::aborted_last_line), MessageIcon::error);
    return CopyCommandResult::aborted;
}

} // namespace pemmaro
