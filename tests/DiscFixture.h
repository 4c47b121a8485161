#pragma once
// A small data disc written into a temporary folder, file by file, so tests
// can break one file and keep the others good. Lines are joined with CR LF.

#include "TestContext.h"
#include "TestSupport.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace pemmaro {
class Tdata;
}

namespace pemmaro::test {

class DiscFixture {
public:
    DiscFixture();

    // Replaces a file's lines (the file is written by write()).
    void set(const std::string& file, std::vector<std::string> lines);
    // Adds lines (records) at the end of a file.
    void append(const std::string& file, const std::vector<std::string>& lines);
    void remove(const std::string& file);
    // Writes all files, the settings file and the language texts of the reader.
    void write() const;
    const std::string& folder() const { return dir_.path(); }
    std::string settings_path() const { return dir_.file("Pemmaro.ini"); }

private:
    TempDir dir_;
    std::map<std::string, std::vector<std::string>> files_;
};

// The context the loaders are given (the fixture's settings file and
// language texts, product 106, the fixture's folder as start-up and program
// folder) in the fixture's folder; loads the fixture; fatal errors throw.
class LoadedDisc {
public:
    explicit LoadedDisc(const DiscFixture& disc);
    std::unique_ptr<Tdata> load();
    RecordingResponder& messages() { return responder_.responder; }
    TestContext& context() { return context_; }

private:
    ScopedCurrentDirectory current_;
    ScopedResponder responder_;
    ScopedFatalThrows fatal_throws_;
    TestContext context_;
};

std::string join_crlf(const std::vector<std::string>& lines);

// The sample disc, loaded as the program loads it, in a context of its own
// (a settings file of its own, the disc's language texts); fatal errors throw.
std::unique_ptr<Tdata> load_sample_disc();

} // namespace pemmaro::test
