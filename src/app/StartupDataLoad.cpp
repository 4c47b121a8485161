#include "app/StartupDataLoad.h"

#include "platform/Messages.h"
#include "platform/OverrideCursor.h"
#include "platform/UserThread.h"

namespace pemmaro {

StartupDataLoad::StartupDataLoad(std::function<void()> prepare, std::function<void()> load)
    : worker_(
          [this, prepare = std::move(prepare), load = std::move(load)] { run(prepare, load); }) {}

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

void StartupDataLoad::run(const std::function<void()>& prepare, const std::function<void()>& load) {
    set_user_thread_carrier([this](const std::function<void()>& work) { carry_to_user(work); });
    try {
        prepare();
        reach(Stage::prepared);
        load();
    } catch (const WorkerFatalError& error) {
        fatal_text_ = error.text;
    } catch (...) {
        error_ = std::current_exception();
    }
    set_user_thread_carrier(nullptr);
    reach(Stage::done);
}

void StartupDataLoad::reach(Stage stage) {
    const std::lock_guard lock(mutex_);
    stage_ = stage;
    prepared_ = prepared_ || stage == Stage::prepared;
    changed_.notify_all();
}

bool StartupDataLoad::wait_until_prepared() {
    Q_ASSERT(QThread::currentThread() == user_thread_);
    answer_until(Stage::prepared);
    const std::lock_guard lock(mutex_);
    return prepared_;
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

// A question is asked in the stage that was current when it came: once the
// stage is reached, those waiting belong to a later one.
void StartupDataLoad::answer_until(Stage stage) {
    std::unique_lock lock(mutex_);
    while (true) {
        changed_.wait(lock, [this, stage] { return !questions_.empty() || stage_ >= stage; });
        if (stage_ >= stage)
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
}

void StartupDataLoad::answer_until_done() {
    if (!worker_.joinable())
        return;
    answer_until(Stage::done);
    worker_.join();
}

} // namespace pemmaro
