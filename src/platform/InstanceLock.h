#pragma once
// The single-instance check: a lock file named after the mutex name, held with
// flock for the life of the object, so it vanishes with the process.

#include <string>
#include <string_view>

namespace pemmaro {

class InstanceLock {
public:
    explicit InstanceLock(std::string_view mutex_name);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // True when another process holds the lock of the same name.
    bool already_existed() const { return already_existed_; }
    const std::string& lock_path() const { return path_; }

private:
    std::string path_;
    int fd_ = -1;
    bool already_existed_ = false;
};

// $XDG_RUNTIME_DIR when it is a usable directory, else /tmp.
std::string runtime_directory();

} // namespace pemmaro
