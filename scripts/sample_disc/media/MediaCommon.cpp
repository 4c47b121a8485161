#include "MediaCommon.h"

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <atomic>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace pemmaro::media {

namespace fs = std::filesystem;

std::uint64_t mix_bits(std::uint64_t value) {
    value += 0x9e3779b97f4a7c15ull;
    value = (value ^ (value >> 30)) * 0xbf58476d1ce4e5b9ull;
    value = (value ^ (value >> 27)) * 0x94d049bb133111ebull;
    return value ^ (value >> 31);
}

std::uint64_t seed_of(std::initializer_list<std::int64_t> values) {
    std::uint64_t seed = 0x5eed;
    for (std::int64_t value : values)
        seed = mix_bits(seed ^ static_cast<std::uint64_t>(value));
    return seed;
}

std::uint64_t text_hash(std::string_view text) {
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ull;
    }
    return hash;
}

std::uint64_t Random::next() {
    state_ += 0x9e3779b97f4a7c15ull;
    return mix_bits(state_);
}

double Random::uniform() {
    return static_cast<double>(next() >> 11) * 0x1.0p-53;
}

int Random::below(int count) {
    return count <= 1 ? 0 : static_cast<int>(next() % static_cast<std::uint64_t>(count));
}

double Random::normal() {
    double sum = 0;
    for (int i = 0; i < 4; ++i)
        sum += uniform();
    return (sum - 2.0) * std::sqrt(3.0);
}

std::string slashes(std::string_view data_path) {
    std::string path(data_path);
    for (char& c : path) {
        if (c == '\\')
            c = '/';
    }
    return path;
}

std::string under_base(const std::string& base, std::string_view data_path) {
    return (fs::path(base) / slashes(data_path)).string();
}

void make_parent_folders(const std::string& path) {
    const fs::path parent = fs::path(path).parent_path();
    if (parent.empty())
        return;
    std::error_code error;
    fs::create_directories(parent, error);
    if (error)
        throw MediaError("cannot create folder " + parent.string() + ": " + error.message());
}

void move_into_place(const std::string& temporary, const std::string& path) {
    make_parent_folders(path);
    std::error_code error;
    fs::rename(temporary, path, error);
    if (error) {
        fs::remove(temporary, error);
        throw MediaError("cannot move " + temporary + " to " + path);
    }
}

std::string temporary_path_for(const std::string& path) {
    static std::atomic<int> counter{0};
    return path + ".part" + std::to_string(getpid()) + "-" + std::to_string(++counter);
}

ScratchFile::~ScratchFile() {
    std::error_code error;
    fs::remove(path_, error);
}

void write_file_atomically(const std::string& path, std::span<const std::uint8_t> bytes) {
    make_parent_folders(path);
    const ScratchFile temporary(temporary_path_for(path));
    {
        std::ofstream out(temporary.path(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out)
            throw MediaError("cannot write " + temporary.path());
    }
    move_into_place(temporary.path(), path);
}

void write_file_atomically(const std::string& path, std::string_view text) {
    write_file_atomically(
        path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

std::vector<std::uint8_t> read_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw MediaError("cannot read " + path);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in),
                                     std::istreambuf_iterator<char>());
}

void run_tool(const std::string& program, const std::vector<std::string>& arguments) {
    QStringList list;
    for (const std::string& argument : arguments)
        list << QString::fromStdString(argument);
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start(QString::fromStdString(program), list);
    if (!process.waitForStarted(-1))
        throw MediaError("cannot start " + program + ": " + process.errorString().toStdString());
    process.closeWriteChannel();
    process.waitForFinished(-1);
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        const std::string errors = process.readAllStandardError().toStdString();
        throw MediaError(program + " failed (exit code " + std::to_string(process.exitCode()) +
                         "): " + errors);
    }
}

bool tool_available(const std::string& program) {
    return !QStandardPaths::findExecutable(QString::fromStdString(program)).isEmpty();
}

} // namespace pemmaro::media
