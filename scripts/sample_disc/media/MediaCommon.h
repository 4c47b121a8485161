#pragma once
// Helpers shared by the sample disc's media generators: a seeded random
// source (so every file is the same on every build), file writing that never
// leaves a half-written file behind, and running the external encoders.

#include <cstdint>
#include <initializer_list>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace pemmaro::media {

struct MediaError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::uint64_t mix_bits(std::uint64_t value);
std::uint64_t seed_of(std::initializer_list<std::int64_t> values);
std::uint64_t text_hash(std::string_view text);

class Random {
public:
    explicit Random(std::uint64_t seed)
        : state_(seed) {}
    std::uint64_t next();
    double uniform(); // [0, 1)
    double between(double low, double high) { return low + (high - low) * uniform(); }
    int below(int count); // 0 .. count-1
    bool chance(double probability) { return uniform() < probability; }
    // Roughly normal, mean 0, deviation 1: cheap enough for noise.
    double normal();

private:
    std::uint64_t state_;
};

// A data path ("tapes\07\A05.WAV") as a path under the base folder.
std::string under_base(const std::string& base, std::string_view data_path);
std::string slashes(std::string_view data_path);

// A name beside the target to write it under first; unique among the threads
// and processes that may write the same folder.
std::string temporary_path_for(const std::string& path);

// Removes its file at the end unless it was moved into place.
class ScratchFile {
public:
    explicit ScratchFile(std::string path)
        : path_(std::move(path)) {}
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// Writes through a temporary file beside the target, so an interrupted run
// leaves either the old file or the new one.
void write_file_atomically(const std::string& path, std::span<const std::uint8_t> bytes);
void write_file_atomically(const std::string& path, std::string_view text);
// Creates the folders leading to the file.
void make_parent_folders(const std::string& path);
// Renames the temporary file onto the target (folders created).
void move_into_place(const std::string& temporary, const std::string& path);
std::vector<std::uint8_t> read_bytes(const std::string& path);

// Runs a program with an argument list (no shell) and waits; throws with its
// error output when it cannot start or fails.
void run_tool(const std::string& program, const std::vector<std::string>& arguments);
bool tool_available(const std::string& program);

} // namespace pemmaro::media
