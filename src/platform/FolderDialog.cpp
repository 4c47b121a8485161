#include "platform/FolderDialog.h"

#include "platform/Ansi.h"
#include "platform/Paths.h"

#include <QFileDialog>

namespace pemmaro {

std::optional<std::string> choose_folder(const std::string& caption,
                                         const std::string& start_folder) {
    const std::optional<std::string> start = resolve_existing_path(start_folder);
    const QString folder = QFileDialog::getExistingDirectory(
        nullptr, to_qstring(caption), start ? QString::fromStdString(*start) : QString());
    if (folder.isEmpty())
        return std::nullopt;
    return folder.toStdString();
}

} // namespace pemmaro
