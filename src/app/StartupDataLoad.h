#pragma once
// The data set loads on a worker thread while Qt and the first window's
// infrastructure start, in two parts: what the settings give (settings file,
// language texts, product), then the data set. What the load asks of the user
// (its messages, the folder prompt) waits until the user-interface thread
// calls wait_until_prepared() or wait(), which answer it there, in order; a
// fatal error of the load is reported by wait() as well, so the user sees the
// same messages and the same exit code 1 as when the load ran on that thread.

#include "platform/MessageText.h"

#include <QThread>
#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace pemmaro {

class StartupDataLoad {
public:
    // Starts the load at once. The load must touch nothing the starting
    // thread uses before wait() but through platform/UserThread.h; once
    // wait_until_prepared() is true, that thread may read what prepare made.
    // The starting thread must be the one that makes the QApplication.
    StartupDataLoad(std::function<void()> prepare, std::function<void()> load);
    // Without wait(): answers the load's questions and lets it end, but
    // reports nothing (the program ends for another reason).
    ~StartupDataLoad();
    StartupDataLoad(const StartupDataLoad&) = delete;
    StartupDataLoad& operator=(const StartupDataLoad&) = delete;

    // On the thread that made the object, under the wait cursor: answers the
    // load's questions until it ends. A fatal error of the load ends the
    // program here (fatal()); any other exception of the load is rethrown.
    void wait();
    // On the same thread: answers the load's questions until prepare has
    // ended. False when the load failed there (wait() reports it).
    bool wait_until_prepared();

private:
    struct Question {
        const std::function<void()>* work;
        std::exception_ptr error;
        bool answered = false;
    };

    enum class Stage { preparing, prepared, done };

    void run(const std::function<void()>& prepare, const std::function<void()>& load);
    void reach(Stage stage);
    void carry_to_user(const std::function<void()>& work);
    void answer_until(Stage stage);
    void answer_until_done();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Question*> questions_;
    Stage stage_ = Stage::preparing;
    bool prepared_ = false;
    std::optional<MessageText> fatal_text_;
    std::exception_ptr error_;
    // Qt takes the first thread that uses its thread data for the main one,
    // so the starting thread claims that before the worker can (QFile does).
    QThread* const user_thread_ = QThread::currentThread();
    std::thread worker_; // last: starts once the members above are made
};

} // namespace pemmaro
