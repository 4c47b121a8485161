#pragma once
// Work that needs the user (a message box, a folder dialog), asked for on a
// worker thread: the worker hands it to the user-interface thread through its
// carrier and waits until it has run there. On a thread without a carrier the
// work runs at once, on that thread.

#include <functional>

namespace pemmaro {

// Runs the work on the user-interface thread, or here without a carrier.
void run_on_user_thread(const std::function<void()>& work);

// Called on the worker: hands the work over and returns once it has run.
using UserThreadCarrier = std::function<void(const std::function<void()>& work)>;

// Installs the carrier for the calling thread; an empty one removes it.
void set_user_thread_carrier(UserThreadCarrier carrier);
// Whether the calling thread has a carrier (it is a worker that waits for the user).
bool has_user_thread_carrier();

} // namespace pemmaro
