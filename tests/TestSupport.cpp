#include "TestSupport.h"

#include "platform/ProfileFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

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

namespace pemmaro::test {

namespace {

bool killed_child(pid_t child) {
    ::kill(child, SIGKILL);
    int status = 0;
    return ::waitpid(child, &status, 0) == child && WIFSIGNALED(status) &&
           WTERMSIG(status) == SIGKILL;
}

} // namespace

bool kill_at_pause(const std::function<void(std::function<void()> pause)>& save) {
    int ready[2];
    if (::pipe(ready) != 0)
        return false;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(ready[0]);
        const int signal_end = ready[1];
        save([signal_end] {
            [[maybe_unused]] const auto sent = ::write(signal_end, "!", 1);
            for (;;)
                ::pause();
        });
        std::_Exit(0); // the save ended without pausing
    }
    ::close(ready[1]);
    pollfd waiting{ready[0], POLLIN, 0};
    char byte = 0;
    const bool reached = ::poll(&waiting, 1, 20000) == 1 && ::read(ready[0], &byte, 1) == 1;
    ::close(ready[0]);
    return killed_child(child) && reached;
}

bool kill_in_the_middle_of(const std::function<void()>& save) {
    return kill_at_pause([&save](std::function<void()> pause) {
        set_profile_commit_hook(std::move(pause));
        save();
    });
}

void kill_while_saving(const std::function<void()>& save, std::chrono::microseconds delay) {
    const pid_t child = ::fork();
    if (child == 0) {
        for (;;)
            save();
    }
    std::this_thread::sleep_for(delay);
    killed_child(child);
}

} // namespace pemmaro::test
