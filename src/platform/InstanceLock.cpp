#include "platform/InstanceLock.h"

#include "platform/Log.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pemmaro {

namespace {

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

bool is_usable_directory(const char* path) {
    struct stat info {};
    return path != nullptr && *path != '\0' && ::stat(path, &info) == 0 && S_ISDIR(info.st_mode) &&
           ::access(path, W_OK | X_OK) == 0;
}

} // namespace

std::string runtime_directory() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    return is_usable_directory(runtime) ? std::string(runtime) : std::string("/tmp");
}

// Every running instance holds a shared lock; a new one first tries for an
// exclusive lock, which fails while any other instance runs, and then joins
// the shared holders either way (as an extra handle keeps a named mutex alive).
InstanceLock::InstanceLock(std::string_view mutex_name)
    : path_(runtime_directory() + "/" + lock_file_name(mutex_name)) {
    fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ < 0) {
        log_line("Cannot open the instance lock " + path_ + ": " + std::strerror(errno));
        return;
    }
    if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK)
            already_existed_ = true;
        else
            log_line("Cannot lock " + path_ + ": " + std::strerror(errno));
    }
    if (::flock(fd_, LOCK_SH | LOCK_NB) != 0)
        log_line("Cannot share the instance lock " + path_ + ": " + std::strerror(errno));
}

InstanceLock::~InstanceLock() {
    if (fd_ >= 0)
        ::close(fd_); // releases the lock; the file stays for the next start
}

} // namespace pemmaro
