#include "sound/DiscInDriveCheck.h"

#include "sound/AudioCdDrive.h"

#include <QCoreApplication>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace pemmaro {

namespace {

// One thread for the looks of every window: they are rare and short, but a
// slow drive must hold up none but them.
class DriveLookout {
public:
    static DriveLookout& instance() {
        static DriveLookout lookout;
        return lookout;
    }

    void post(std::function<void()> job) {
        {
            std::lock_guard lock(mutex_);
            jobs_.push_back(std::move(job));
        }
        wake_.notify_one();
    }

private:
    void run(std::stop_token stop) {
        for (;;) {
            std::function<void()> job;
            {
                std::unique_lock lock(mutex_);
                if (!wake_.wait(lock, stop, [this] { return !jobs_.empty(); }))
                    return;
                job = std::move(jobs_.front());
                jobs_.pop_front();
            }
            job();
        }
    }

    std::mutex mutex_;
    std::condition_variable_any wake_;
    std::deque<std::function<void()>> jobs_;
    // Last: it stops and joins before the queue goes.
    std::jthread thread_{[this](std::stop_token stop) { run(stop); }};
};

} // namespace

void look_at_audio_cd_drive(int drive_number, std::function<void(const std::string& text)> done) {
    if (QCoreApplication::instance() == nullptr)
        return;
    DriveLookout::instance().post([drive_number, done = std::move(done)] {
        const DiscInDrive disc = read_disc_in_drive(drive_number);
        // The texts and the data set are read on the user-interface thread.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [disc, done] { done(DescribeDiscInDrive(disc)); },
            Qt::QueuedConnection);
    });
}

} // namespace pemmaro
