#pragma once
// Plain file access with the system's error codes, for the helpers that report them.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace pemmaro {

class PosixFile {
public:
    // write_new fails with EEXIST when the name is taken (by a link, too).
    enum class Mode { read, write_truncate, write_new };

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
    // Waits until what was written is on the disk.
    int sync();
    int close();

    bool is_open() const { return fd_ >= 0; }

private:
    int fd_ = -1;
    std::string path_; // for the fault seam
};

// Replaces a file's content whole or not at all: the new bytes go to the
// temporary file "<file>.saving" beside it, reach the disk and are renamed over
// the file, which keeps its permissions; a link is written through. The
// temporary name is fixed so that what a killed save left is overwritten by
// the next save: callers let one save of a file run at a time. Without commit
// the temporary file is removed and the file stays as it was.
class FileReplacement {
public:
    explicit FileReplacement(const std::string& path);
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Each returns 0 or the system's error code.
    int open();
    int write_all(const char* buffer, std::size_t size);
    int commit();

private:
    std::string target_;
    std::string temporary_;
    PosixFile file_;
    bool created_ = false;
    bool committed_ = false;
};

// The whole content through a FileReplacement; 0 or the system's error code.
int replace_file(const std::string& path, std::string_view bytes);

// Removes what a killed replacement of the file left, for a save that finds
// nothing to change; the caller holds the file's turn.
void remove_replacement_leftover(const std::string& path);

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
