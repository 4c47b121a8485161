#include "app/StartupDataLoad.h"

#include "platform/Messages.h"
#include "platform/OverrideCursor.h"
#include "platform/UserThread.h"

namespace pemmaro {

StartupDataLoad::StartupDataLoad(std::function<void()> load)
    : worker_([this, load = std::move(load)] {
        set_user_thread_carrier([this](const std::function<void()>& work) { carry_to_user(work); });
        try {
            load();
        } catch (const WorkerFatalError& error) {
            fatal_text_ = error.text;
        } catch (...) {
            error_ = std::current_exception();
        }
        set_user_thread_carrier(nullptr);
        const std::lock_guard lock(mutex_);
        done_ = true;
        changed_.notify_all();
    }) {}

StartupDataLoad::~StartupDataLoad() {
    answer_until_done();
}

void StartupDataLoad::wait() {
    Q_ASSERT(QThread::currentThread() == user_thread_);
    {
        const OverrideCursor busy(Qt::WaitCursor);
        answer_until_done();
    }
    if (fatal_text_)
        fatal(*fatal_text_);
    if (error_)
        std::rethrow_exception(std::exchange(error_, nullptr));
}

// Worker: the question runs on the user's thread; its exception comes back here.
void StartupDataLoad::carry_to_user(const std::function<void()>& work) {
    Question question{&work, nullptr};
    std::unique_lock lock(mutex_);
    questions_.push_back(&question);
    changed_.notify_all();
    changed_.wait(lock, [&question] { return question.answered; });
    if (question.error)
        std::rethrow_exception(question.error);
}

void StartupDataLoad::answer_until_done() {
    if (!worker_.joinable())
        return;
    std::unique_lock lock(mutex_);
    while (true) {
        changed_.wait(lock, [this] { return !questions_.empty() || done_; });
        if (questions_.empty())
            break;
        Question* question = questions_.front();
        questions_.pop_front();
        lock.unlock();
        try {
            (*question->work)();
        } catch (...) {
            question->error = std::current_exception();
        }
        lock.lock();
        question->answered = true;
        changed_.notify_all();
    }
    lock.unlock();
    worker_.join();
}

} // namespace pemmaro
