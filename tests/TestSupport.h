#pragma once
// Helpers shared by the tests: temporary folders, files, a recording message
// responder and a fatal handler that throws.

#include "platform/Messages.h"

#include <QTemporaryDir>
#include <chrono>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace pemmaro::test {

// A fresh folder, removed with its content at the end of the test.
class TempDir {
public:
    TempDir();
    // The folder's path with a trailing '/'.
    const std::string& path() const { return path_; }
    std::string file(std::string_view relative) const { return path_ + std::string(relative); }

private:
    QTemporaryDir dir_;
    std::string path_;
};

void write_file(const std::string& path, std::string_view content); // creates folders
// Copies the files of a folder (not its sub-folders) into another.
void copy_files(const std::string& from_folder, const std::string& to_folder);
std::string read_file(const std::string& path);
bool exists(const std::string& path);

// Installs a RecordingResponder for the life of the object.
class ScopedResponder {
public:
    ScopedResponder();
    ~ScopedResponder();
    RecordingResponder responder;
};

struct FatalError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// fatal() throws FatalError for the life of the object.
class ScopedFatalThrows {
public:
    ScopedFatalThrows();
    ~ScopedFatalThrows();
};

// Changes the current directory for the life of the object.
class ScopedCurrentDirectory {
public:
    explicit ScopedCurrentDirectory(const std::string& path);
    ~ScopedCurrentDirectory();

private:
    std::string previous_;
};

// Runs the save in a forked child and ends the child with SIGKILL once the
// save calls the pause it is given (through a test seam it installs). True
// when the child got there and was killed.
bool kill_at_pause(const std::function<void(std::function<void()> pause)>& save);
// The same, paused between writing a profile file's temporary file and
// putting it in place.
bool kill_in_the_middle_of(const std::function<void()>& save);

// Lets a forked child save over and over, ends it with SIGKILL after the
// delay, wherever it stands, and waits for its end.
void kill_while_saving(const std::function<void()>& save, std::chrono::microseconds delay);

} // namespace pemmaro::test
