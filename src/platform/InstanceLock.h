#pragma once
// The single-instance check: a lock file named after the mutex name, in a
// folder of the user's own, locked for the life of the object, so it vanishes
// with the process.

#include <functional>
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

// $XDG_RUNTIME_DIR when it is a folder of this user that no one else may
// write, else /tmp/pemmaro-<user id> made the same way; empty when neither
// can be had (the check is then skipped).
std::string runtime_directory();

// Test seam: called by a first instance after its check and before it joins
// the other holders.
void set_instance_lock_check_hook(std::function<void()> hook);

} // namespace pemmaro
