#pragma once
// The browsing window's look at the audio CD drive, made on a worker thread: a
// drive that spins a disc up may take seconds to answer, and the window must
// not wait. The text for the status line comes back on the user-interface
// thread.

#include <functional>
#include <memory>
#include <string>

namespace pemmaro {

class DiscInDriveCheck {
public:
    using Done = std::function<void(const std::string& text)>;

    DiscInDriveCheck();
    // An answer still under way is dropped; the drive is not waited for.
    ~DiscInDriveCheck();
    DiscInDriveCheck(const DiscInDriveCheck&) = delete;
    DiscInDriveCheck& operator=(const DiscInDriveCheck&) = delete;

    // Starts a look at the drive (numbered from 1) unless one is under way;
    // done gets the status line's text on the user-interface thread.
    // User-interface thread, with a Qt application.
    void DescribeDiscInDrive(int drive_number, Done done);

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
};

} // namespace pemmaro
