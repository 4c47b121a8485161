#pragma once
// Copying the data disc's folders to a folder on the hard disk, on a thread of
// its own that owns itself: it ends, and goes, when the copying is over, also
// when nobody waits for it any more.
//
// The worker tells which file it is about to copy and how the copying ended
// through reports called on the worker thread. The user-interface thread may
// hold it at its next file boundary (while it asks the user something) and may
// abort it; the worker looks at both only between files, so it is never held
// while it owns a file or anything else.

#include <array>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

namespace pemmaro {

// The data folders copied, in this order.
inline constexpr std::array<std::string_view, 6> copied_data_folders = {
    "big_pict", "distmaps", "localities", "smalpict", "tapes", "Voices"};

enum class CopyOutcome { succeeded, failed, aborted };

struct CopyReports {
    // Before each file is copied, with the copy's path; not after an abort.
    std::function<void(const std::string& destination_file)> copying_file;
    // The worker's last act.
    std::function<void(CopyOutcome outcome)> ended;
};

class TCopyFilesToHardDiskThread : public std::enable_shared_from_this<TCopyFilesToHardDiskThread> {
public:
    // Both folders end with a separator once made.
    static std::shared_ptr<TCopyFilesToHardDiskThread>
    create(const std::string& source, const std::string& destination, CopyReports reports);

    // Starts the worker (once).
    void start();
    // The worker holds at its next file boundary until resumed.
    void pause();
    void resume();
    // The worker stops at its next file boundary.
    void abort();

    bool aborted() const;
    // Whether the worker is held at a file boundary now.
    bool held() const;
    bool ended() const;
    const std::string& source() const { return source_; }
    const std::string& destination() const { return destination_; }

private:
    TCopyFilesToHardDiskThread(std::string source, std::string destination, CopyReports reports);

    void run();
    CopyOutcome copy_folders();
    void file_boundary();

    const std::string source_;
    const std::string destination_;
    const CopyReports reports_;
    mutable std::mutex mutex_;
    std::condition_variable resumed_;
    bool started_ = false;
    bool paused_ = false;
    bool held_ = false;
    bool ended_ = false;
    std::atomic<bool> abort_{false};
};

} // namespace pemmaro
