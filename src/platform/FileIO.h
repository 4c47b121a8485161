#pragma once
// Plain file access with the system's error codes, for the helpers that report them.

#include <cstddef>
#include <cstdint>
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
};

std::string system_error_text(int code);

// Gives the destination the source's modification time; 0 or the error code.
int copy_file_time(const std::string& source, const std::string& destination);

} // namespace pemmaro
