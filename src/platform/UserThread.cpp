#include "platform/UserThread.h"

namespace pemmaro {

namespace {

thread_local UserThreadCarrier this_threads_carrier;

} // namespace

void run_on_user_thread(const std::function<void()>& work) {
    if (this_threads_carrier)
        this_threads_carrier(work);
    else
        work();
}

void set_user_thread_carrier(UserThreadCarrier carrier) {
    this_threads_carrier = std::move(carrier);
}

bool has_user_thread_carrier() {
    return static_cast<bool>(this_threads_carrier);
}

} // namespace pemmaro
