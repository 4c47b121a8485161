#include "platform/TerminationSignals.h"

#include "platform/Log.h"

#include <QSocketNotifier>
#include <array>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace pemmaro {

namespace {

std::array<int, 2> signal_pipe{-1, -1};
constexpr std::array<int, 3> handled_signals{SIGTERM, SIGINT, SIGHUP};

extern "C" void on_termination_signal(int) {
    const char byte = 1;
    [[maybe_unused]] auto written = ::write(signal_pipe[0], &byte, 1);
}

} // namespace

TerminationSignals::TerminationSignals(QObject* parent)
    : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signal_pipe.data()) != 0) {
        log_line("Termination signals are not handled: no socket pair.");
        return;
    }
    notifier_ = std::make_unique<QSocketNotifier>(signal_pipe[1], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &TerminationSignals::read_signal);
    struct sigaction action {};
    action.sa_handler = on_termination_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : handled_signals)
        ::sigaction(number, &action, nullptr);
}

TerminationSignals::~TerminationSignals() {
    for (int number : handled_signals)
        std::signal(number, SIG_DFL);
    notifier_.reset();
    for (int& fd : signal_pipe) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

void TerminationSignals::read_signal() {
    char byte = 0;
    [[maybe_unused]] auto count = ::read(signal_pipe[1], &byte, 1);
    requested_ = true;
    emit termination_requested();
}

} // namespace pemmaro
