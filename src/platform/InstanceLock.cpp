#include "platform/InstanceLock.h"

#include "platform/Log.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pemmaro {

namespace {

std::function<void()>& check_hook() {
    static std::function<void()> hook;
    return hook;
}

// Names become file names: separators and control bytes are replaced, and the
// length is kept well below the file-name limit.
std::string lock_file_name(std::string_view mutex_name) {
    std::string name;
    for (char c : mutex_name.substr(0, 200)) {
        const auto byte = static_cast<unsigned char>(c);
        name.push_back(c == '/' || byte < 0x20 ? '_' : c);
    }
    return name + ".lock";
}

// A folder of this user that no other user can write into, so no one else can
// plant or hold the lock file.
bool is_private_folder(const struct stat& info) {
    return S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() && (info.st_mode & 022) == 0;
}

bool is_private_runtime_folder(const char* path) {
    struct stat info {};
    return path != nullptr && *path != '\0' && ::stat(path, &info) == 0 &&
           is_private_folder(info) && ::access(path, W_OK | X_OK) == 0;
}

std::string private_temporary_folder() {
    const std::string folder = "/tmp/pemmaro-" + std::to_string(::geteuid());
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return {};
    struct stat info {};
    if (::lstat(folder.c_str(), &info) != 0 || !is_private_folder(info)) {
        log_line("The folder " + folder + " is not this user's own; no instance check.");
        return {};
    }
    return folder;
}

// One byte of the file, locked through the open file (not the process), so
// that the lock goes with the file's last descriptor and a change from
// exclusive to shared is atomic.
bool lock_byte(int fd, short type, bool wait) {
    struct flock range {};
    range.l_type = type;
    range.l_whence = SEEK_SET;
    range.l_start = 0;
    range.l_len = 1;
    while (::fcntl(fd, wait ? F_OFD_SETLKW : F_OFD_SETLK, &range) != 0) {
        if (errno != EINTR)
            return false;
    }
    return true;
}

} // namespace

std::string runtime_directory() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    return is_private_runtime_folder(runtime) ? std::string(runtime) : private_temporary_folder();
}

void set_instance_lock_check_hook(std::function<void()> hook) {
    check_hook() = std::move(hook);
}

// Every running instance holds a shared lock. A new one asks for the exclusive
// lock without waiting: it gets it only while no other instance runs, and then
// turns it into a shared one in one step; otherwise it waits for a shared one,
// which a starting instance's exclusive lock delays only for that step. So the
// name lives while any instance holds it, as a named mutex does.
InstanceLock::InstanceLock(std::string_view mutex_name) {
    const std::string folder = runtime_directory();
    if (folder.empty())
        return;
    path_ = folder + "/" + lock_file_name(mutex_name);
    fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd_ < 0) {
        log_line("Cannot open the instance lock " + path_ + ": " + std::strerror(errno));
        return;
    }
    if (lock_byte(fd_, F_WRLCK, false)) {
        if (check_hook())
            check_hook()();
    } else if (errno == EAGAIN || errno == EACCES) {
        already_existed_ = true;
    } else {
        log_line("Cannot lock " + path_ + ": " + std::strerror(errno));
    }
    if (!lock_byte(fd_, F_RDLCK, true))
        log_line("Cannot share the instance lock " + path_ + ": " + std::strerror(errno));
}

InstanceLock::~InstanceLock() {
    if (fd_ >= 0)
        ::close(fd_); // releases the lock; the file stays for the next start
}

} // namespace pemmaro
