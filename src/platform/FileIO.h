#pragma once
// Plain file access with the system's error codes, for the helpers that report them.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace pemmaro {

class PosixFile {
public:
    enum class Mode { read, write_truncate };

    PosixFile() = default;
    ~PosixFile();
    PosixFile(PosixFile&& other) noexcept;
    PosixFile& operator=(PosixFile&& other) noexcept;
    PosixFile(const PosixFile&) = delete;
    PosixFile& operator=(const PosixFile&) = delete;

    // Each returns 0 or the system's error code.
    int open(const std::string& path, Mode mode);
    int read(char* buffer, std::size_t size, std::size_t& count);
    int write_all(const char* buffer, std::size_t size);
    int close();

    bool is_open() const { return fd_ >= 0; }

private:
    int fd_ = -1;
    std::string path_; // for the fault seam
};

std::string system_error_text(int code);

// Gives the destination the source's modification time; 0 or the error code.
int copy_file_time(const std::string& source, const std::string& destination);

// Creates one folder; 0 or the system's error code.
int make_directory(const std::string& path);

// Test seam for the failures of a full disk or a read-only folder: while set,
// each write-side operation (opening a file for writing, writing, making a
// folder) asks it first and fails with the error code it returns (0: go on).
// May be called from any thread; set it while no copying runs.
enum class FileWrite { open, write, make_directory };
using FileFault = std::function<int(FileWrite operation, const std::string& path)>;
void set_file_fault(FileFault fault);

} // namespace pemmaro
