#pragma once
// The copy-to-hard-disk command: when the data are read from a CD-ROM, the
// user chooses a folder on the hard disk, the data folders are copied there
// while a window shows the progress, and on success the program reads its
// data from the copy. User-interface thread only.

#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace pemmaro {

// Returns the chosen folder, none when cancelled.
using CopyFolderChooser =
    std::function<std::optional<std::string>(QWidget* parent, const std::string& caption)>;

enum class CopyCommandResult { not_on_cd_rom, cancelled, succeeded, failed, aborted };

CopyCommandResult copy_data_to_hard_disk(QWidget* window, const CopyFolderChooser& choose_folder);

} // namespace pemmaro
