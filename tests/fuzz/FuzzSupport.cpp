#include "FuzzSupport.h"

#include "TestSupport.h"
#include "data/DataLoading.h"
#include "data/DataSet.h"
#include "platform/Log.h"
#include "platform/Messages.h"

#include <cstdlib>
#include <filesystem>
#include <sys/mman.h>
#include <unistd.h>

namespace pemmaro::fuzz {

void prepare_run() {
    static const bool prepared = [] {
        set_log_silenced(true);
        set_fatal_handler([](const std::string& text) { throw FatalStop(text); });
        // Answers each message with its safe answer and forgets it, so a long
        // run does not collect them.
        static class Forgetting : public MessageResponder {
        public:
            MessageAnswer respond(const MessageRequest& request) override {
                return safe_answer(request.buttons);
            }
        } responder;
        set_message_responder(&responder);
        return true;
    }();
    static_cast<void>(prepared);
}

std::string_view text_of(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

MemoryFile::MemoryFile()
    : fd_(memfd_create("pemmaro_fuzz", 0)) {
    if (fd_ < 0)
        std::abort();
    path_ = "/proc/self/fd/" + std::to_string(fd_);
}

MemoryFile::~MemoryFile() {
    close(fd_);
}

void MemoryFile::replace(std::string_view bytes) const {
    if (ftruncate(fd_, 0) != 0)
        std::abort();
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t count = pwrite(fd_, bytes.data() + written, bytes.size() - written,
                                     static_cast<off_t>(written));
        if (count <= 0)
            std::abort();
        written += static_cast<std::size_t>(count);
    }
}

namespace {

std::string make_scratch_folder() {
    const std::filesystem::path shm("/dev/shm");
    std::error_code ec;
    std::string pattern =
        (std::filesystem::is_directory(shm, ec) ? shm : std::filesystem::temp_directory_path()) /
        "pemmaro_fuzz_XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr)
        std::abort();
    return pattern + "/";
}

} // namespace

ScratchFolder::ScratchFolder()
    : path_(make_scratch_folder()) {}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void ScratchFolder::write(const std::string& name, std::string_view bytes) const {
    test::write_file(path_ + name, bytes);
}

void ScratchFolder::remove(const std::string& name) const {
    std::error_code ignored;
    std::filesystem::remove(path_ + name, ignored);
}

SampleDisc& sample_disc() {
    static const std::unique_ptr<SampleDisc> disc = [] {
        prepare_run();
        auto made = std::make_unique<SampleDisc>();
        const std::string folder = std::string(PEMMARO_SAMPLE_DISC_DIR) + "/";
        made->context.common.startup_directory = folder;
        made->context.common.program_directory = folder;
        made->context.settings.path = made->settings.path();
        made->context.texts = Ttextfile_handler(test::read_file(folder + "Pemmaro.txt"));
        made->data = load_data(made->context);
        return made;
    }();
    return *disc;
}

} // namespace pemmaro::fuzz
