#include "platform/Log.h"

#include <atomic>
#include <cstdio>
#include <mutex>

namespace pemmaro {

namespace {
std::atomic<bool> silenced{false};
std::mutex output_mutex;
} // namespace

void log_line(std::string_view text) {
    if (silenced)
        return;
    std::lock_guard lock(output_mutex);
    std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
    std::fflush(stderr);
}

void set_log_silenced(bool value) {
    silenced = value;
}

} // namespace pemmaro
