#pragma once
// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the user-interface
// thread, so the program can close its windows and save its state as on a
// normal exit. One instance at a time.

#include <QObject>
#include <memory>

class QSocketNotifier;

namespace pemmaro {

class TerminationSignals : public QObject {
    Q_OBJECT

public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

    // A signal has come (and termination_requested been emitted).
    bool requested() const { return requested_; }

signals:
    void termination_requested();

private:
    void read_signal();

    std::unique_ptr<QSocketNotifier> notifier_;
    bool requested_ = false;
};

} // namespace pemmaro
