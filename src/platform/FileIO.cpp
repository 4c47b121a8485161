#include "platform/FileIO.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <mutex>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace pemmaro {

namespace {

struct FaultSeam {
    std::mutex mutex;
    FileFault fault;
};

FaultSeam& fault_seam() {
    static FaultSeam seam;
    return seam;
}

int injected_fault(FileWrite operation, const std::string& path) {
    FaultSeam& seam = fault_seam();
    std::lock_guard lock(seam.mutex);
    return seam.fault ? seam.fault(operation, path) : 0;
}

} // namespace

void set_file_fault(FileFault fault) {
    FaultSeam& seam = fault_seam();
    std::lock_guard lock(seam.mutex);
    seam.fault = std::move(fault);
}

PosixFile::~PosixFile() {
    close();
}

PosixFile::PosixFile(PosixFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1))
    , path_(std::move(other.path_)) {}

PosixFile& PosixFile::operator=(PosixFile&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, -1);
        path_ = std::move(other.path_);
    }
    return *this;
}

int PosixFile::open(const std::string& path, Mode mode) {
    close();
    int flags = O_CLOEXEC;
    if (mode == Mode::read)
        flags |= O_RDONLY;
    else if (mode == Mode::write_new)
        flags |= O_WRONLY | O_CREAT | O_EXCL;
    else
        flags |= O_WRONLY | O_CREAT | O_TRUNC;
    if (mode != Mode::read) {
        if (int code = injected_fault(FileWrite::open, path))
            return code;
    }
    int fd;
    do {
        fd = ::open(path.c_str(), flags, 0644);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return errno;
    fd_ = fd;
    path_ = path;
    return 0;
}

int PosixFile::read(char* buffer, std::size_t size, std::size_t& count) {
    count = 0;
    if (fd_ < 0)
        return EBADF;
    ssize_t result;
    do {
        result = ::read(fd_, buffer, size);
    } while (result < 0 && errno == EINTR);
    if (result < 0)
        return errno;
    count = static_cast<std::size_t>(result);
    return 0;
}

int PosixFile::write_all(const char* buffer, std::size_t size) {
    if (fd_ < 0)
        return EBADF;
    if (int code = injected_fault(FileWrite::write, path_))
        return code;
    while (size > 0) {
        ssize_t result = ::write(fd_, buffer, size);
        if (result < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        buffer += result;
        size -= static_cast<std::size_t>(result);
    }
    return 0;
}

int PosixFile::sync() {
    if (fd_ < 0)
        return EBADF;
    return ::fdatasync(fd_) == 0 ? 0 : errno;
}

int PosixFile::close() {
    if (fd_ < 0)
        return 0;
    // Never retried: on Linux the descriptor is gone even when close reports EINTR.
    int result = ::close(std::exchange(fd_, -1));
    return result < 0 ? errno : 0;
}

namespace {

// The file a link leads to, so that the link stays a link; else the name itself.
std::string link_target(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, error)))
        return path;
    const std::filesystem::path target = std::filesystem::canonical(path, error);
    return error ? path : target.string();
}

std::string temporary_name(const std::string& target) {
    return target + ".saving";
}

} // namespace

FileReplacement::FileReplacement(const std::string& path)
    : target_(link_target(path))
    , temporary_(temporary_name(target_)) {}

void remove_replacement_leftover(const std::string& path) {
    ::unlink(temporary_name(link_target(path)).c_str());
}

FileReplacement::~FileReplacement() {
    if (created_ && !committed_) {
        file_.close();
        ::unlink(temporary_.c_str());
    }
}

int FileReplacement::open() {
    // What a killed save left goes first; a new file is made so that a link
    // planted under the temporary name is never written through.
    ::unlink(temporary_.c_str());
    const int code = file_.open(temporary_, PosixFile::Mode::write_new);
    created_ = code == 0;
    return code;
}

int FileReplacement::write_all(const char* buffer, std::size_t size) {
    return file_.write_all(buffer, size);
}

int FileReplacement::commit() {
    if (int code = file_.sync())
        return code;
    if (int code = file_.close())
        return code;
    struct stat old {};
    if (::stat(target_.c_str(), &old) == 0 && ::chmod(temporary_.c_str(), old.st_mode & 07777) != 0)
        return errno;
    if (::rename(temporary_.c_str(), target_.c_str()) != 0)
        return errno;
    committed_ = true;
    return 0;
}

int replace_file(const std::string& path, std::string_view bytes) {
    FileReplacement file(path);
    if (int code = file.open())
        return code;
    if (int code = file.write_all(bytes.data(), bytes.size()))
        return code;
    return file.commit();
}

int make_directory(const std::string& path) {
    if (int code = injected_fault(FileWrite::make_directory, path))
        return code;
    return ::mkdir(path.c_str(), 0777) == 0 ? 0 : errno;
}

std::string system_error_text(int code) {
    return std::system_category().message(code);
}

int copy_file_time(const std::string& source, const std::string& destination) {
    struct stat info {};
    if (::stat(source.c_str(), &info) != 0)
        return errno;
    const timespec times[2] = {info.st_atim, info.st_mtim};
    if (::utimensat(AT_FDCWD, destination.c_str(), times, 0) != 0)
        return errno;
    return 0;
}

} // namespace pemmaro
