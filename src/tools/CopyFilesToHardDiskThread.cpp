#include "tools/CopyFilesToHardDiskThread.h"

#include "common/DataPaths.h"
#include "common/FileOperations.h"
#include "platform/Paths.h"

#include <thread>

namespace pemmaro {

std::shared_ptr<TCopyFilesToHardDiskThread>
TCopyFilesToHardDiskThread::create(const std::string& source, const std::string& destination,
                                   CopyReports reports) {
    return std::shared_ptr<TCopyFilesToHardDiskThread>(new TCopyFilesToHardDiskThread(
        with_trailing_separator(source), with_trailing_separator(destination), std::move(reports)));
}

TCopyFilesToHardDiskThread::TCopyFilesToHardDiskThread(std::string source, std::string destination,
                                                       CopyReports reports)
    : source_(std::move(source))
    , destination_(std::move(destination))
    , reports_(std::move(reports)) {}

void TCopyFilesToHardDiskThread::start() {
    {
        std::lock_guard lock(mutex_);
        if (started_)
            return;
        started_ = true;
    }
    // The thread keeps the object alive until it has ended.
    std::thread([self = shared_from_this()] { self->run(); }).detach();
}

void TCopyFilesToHardDiskThread::pause() {
    std::lock_guard lock(mutex_);
    paused_ = true;
}

void TCopyFilesToHardDiskThread::resume() {
    {
        std::lock_guard lock(mutex_);
        paused_ = false;
    }
    resumed_.notify_all();
}

void TCopyFilesToHardDiskThread::abort() {
    abort_ = true;
}

bool TCopyFilesToHardDiskThread::aborted() const {
    return abort_;
}

bool TCopyFilesToHardDiskThread::held() const {
    std::lock_guard lock(mutex_);
    return held_;
}

bool TCopyFilesToHardDiskThread::ended() const {
    std::lock_guard lock(mutex_);
    return ended_;
}

void TCopyFilesToHardDiskThread::file_boundary() {
    std::unique_lock lock(mutex_);
    held_ = paused_;
    resumed_.wait(lock, [this] { return !paused_; });
    held_ = false;
}

void TCopyFilesToHardDiskThread::run() {
    CopyOutcome outcome = copy_folders();
    // Held here too, so the end never overtakes the user's answer to a question.
    file_boundary();
    if (aborted())
        outcome = CopyOutcome::aborted;
    {
        std::lock_guard lock(mutex_);
        ended_ = true;
    }
    if (reports_.ended)
        reports_.ended(outcome);
}

CopyOutcome TCopyFilesToHardDiskThread::copy_folders() {
    const SynchroniseProgress progress = [this](const std::string& file) {
        file_boundary();
        if (!aborted() && reports_.copying_file)
            reports_.copying_file(file);
    };
    for (std::string_view name : copied_data_folders) {
        file_boundary();
        if (aborted())
            return CopyOutcome::aborted;
        // The disc's own spelling of the folder, which the copy keeps.
        const std::optional<std::string> from = resolve_existing_path(source_ + std::string(name));
        if (!from || file_status(*from).kind != FileKind::directory)
            continue;
        const std::string spelt = from->substr(from->find_last_of('/') + 1);
        const std::string to =
            resolve_existing_path(destination_ + spelt).value_or(destination_ + spelt);
        if (GLB_create_directory(to) ||
            synchronise_folder(*from, to, true, progress, abort_, false))
            return CopyOutcome::failed;
    }
    return aborted() ? CopyOutcome::aborted : CopyOutcome::succeeded;
}

} // namespace pemmaro
