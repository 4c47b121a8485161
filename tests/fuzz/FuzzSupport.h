#pragma once
// What the fuzz programs share: fatal errors that throw instead of ending the
// run, messages answered without windows, files rewritten in memory for each
// input, and the sample disc loaded once.

#include "TestContext.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace pemmaro {
class Tdata;
}

namespace pemmaro::fuzz {

struct FatalStop : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Silences the log, makes fatal() throw FatalStop and answers every message
// with its safe answer. Idempotent; each program calls it on its first input.
void prepare_run();

// The input as text.
std::string_view text_of(const std::uint8_t* data, std::size_t size);

// One file in memory for the whole run, rewritten for each input: readers
// take a file name, and a file on disk would cost a write per input.
class MemoryFile {
public:
    MemoryFile();
    ~MemoryFile();
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    const std::string& path() const { return path_; }
    void replace(std::string_view bytes) const;

private:
    int fd_;
    std::string path_;
};

// A folder of the run's own, in memory where the system has a memory file
// system; removed at exit.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder's path, ending with "/".
    const std::string& path() const { return path_; }
    void write(const std::string& name, std::string_view bytes) const;
    void remove(const std::string& name) const;

private:
    std::string path_;
};

// The sample disc's data set and a context made for it (its language texts,
// product 106, a settings file in memory that the caller fills).
struct SampleDisc {
    test::TestContext context;
    MemoryFile settings;
    std::unique_ptr<Tdata> data;
};
SampleDisc& sample_disc();

} // namespace pemmaro::fuzz
