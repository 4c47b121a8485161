#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace pemmaro::test {

TempDir::TempDir() {
    if (!dir_.isValid())
        throw std::runtime_error("cannot create a temporary folder");
    path_ = QDir(dir_.path()).canonicalPath().toStdString() + "/";
}

void write_file(const std::string& path, std::string_view content) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

void copy_files(const std::string& from_folder, const std::string& to_folder) {
    for (const auto& entry : std::filesystem::directory_iterator(from_folder)) {
        if (entry.is_regular_file())
            std::filesystem::copy_file(entry.path(),
                                       std::filesystem::path(to_folder) / entry.path().filename(),
                                       std::filesystem::copy_options::overwrite_existing);
    }
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

bool exists(const std::string& path) {
    return std::filesystem::exists(path);
}

ScopedResponder::ScopedResponder() {
    set_message_responder(&responder);
}

ScopedResponder::~ScopedResponder() {
    set_message_responder(nullptr);
}

ScopedFatalThrows::ScopedFatalThrows() {
    set_fatal_handler([](const std::string& text) { throw FatalError(text); });
}

ScopedFatalThrows::~ScopedFatalThrows() {
    set_fatal_handler(nullptr);
}

ScopedCurrentDirectory::ScopedCurrentDirectory(const std::string& path)
    : previous_(std::filesystem::current_path().string()) {
    std::filesystem::current_path(path);
}

ScopedCurrentDirectory::~ScopedCurrentDirectory() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
}

} // namespace pemmaro::test
