#include "platform/AudioOutput.h"

#include "platform/AudioPump.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QMediaDevices>
#include <QThread>
#include <algorithm>
#include <utility>
#include <vector>

namespace pemmaro::audio {

namespace {

constexpr auto playing_tick = std::chrono::milliseconds(5);
constexpr auto idle_tick = std::chrono::milliseconds(100);

std::optional<QAudioDevice> chosen_device() {
    if (QCoreApplication::instance() == nullptr ||
        !qEnvironmentVariableIsEmpty("PEMMARO_SILENT_AUDIO"))
        return std::nullopt;
    const QList<QAudioDevice> outputs = QMediaDevices::audioOutputs();
    if (outputs.isEmpty())
        return std::nullopt;
    QAudioDevice device = QMediaDevices::defaultAudioOutput();
    return device.isNull() ? outputs.front() : device;
}

} // namespace

// Playback

Playback::State Playback::state() const {
    std::lock_guard lock(mutex_);
    return state_;
}

std::uint64_t Playback::frames_handed() const {
    std::lock_guard lock(mutex_);
    return frames_;
}

std::optional<Clock::time_point> Playback::first_frame_time() const {
    std::lock_guard lock(mutex_);
    return first_frame_;
}

bool Playback::wait_until_drained(Clock::time_point deadline) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_until(lock, deadline,
                               [this] { return state_ != State::playing && drained_; });
}

bool Playback::add_frames(std::uint64_t frames) {
    std::lock_guard lock(mutex_);
    if (state_ != State::playing)
        return false;
    if (!first_frame_ && frames > 0)
        first_frame_ = Clock::now();
    frames_ += frames;
    return true;
}

bool Playback::finish(State state) {
    std::lock_guard lock(mutex_);
    if (state_ != State::playing)
        return false;
    state_ = state;
    // A stopped sound is cut off at once, even one the output never started.
    if (state == State::stopped)
        drained_ = true;
    changed_.notify_all();
    return true;
}

void Playback::mark_drained() {
    std::lock_guard lock(mutex_);
    drained_ = true;
    changed_.notify_all();
}

// The output thread

class AudioOutput::Worker final : public QThread {
public:
    explicit Worker(std::optional<QAudioDevice> device)
        : device_(std::move(device)) {}
    ~Worker() override {
        {
            std::lock_guard lock(mutex_);
            quit_ = true;
        }
        wake_.notify_all();
        wait();
    }

    void submit(Request request) {
        {
            std::lock_guard lock(mutex_);
            if (latest_)
                latest_->finish(Playback::State::stopped);
            if (next_)
                next_->playback->finish(Playback::State::stopped);
            latest_ = request.playback;
            next_ = std::move(request);
            poked_ = true;
        }
        wake_.notify_all();
    }

    void poke() {
        {
            std::lock_guard lock(mutex_);
            poked_ = true;
        }
        wake_.notify_all();
    }

    std::shared_ptr<const Playback> latest() const {
        std::lock_guard lock(mutex_);
        return latest_;
    }

protected:
    void run() override {
        std::unique_ptr<Sink> sink;
        if (device_)
            sink = make_qt_sink(*device_);
        else
            sink = std::make_unique<SilentSink>();
        Pump pump(std::move(sink));
        for (;;) {
            std::optional<Request> request;
            {
                std::unique_lock lock(mutex_);
                auto woken = [this] { return quit_ || poked_; };
                if (pump.busy())
                    wake_.wait_for(lock, playing_tick, woken);
                else if (pump.sink_open())
                    wake_.wait_for(lock, idle_tick, woken);
                else
                    wake_.wait(lock, woken);
                if (quit_)
                    break;
                poked_ = false;
                request = std::exchange(next_, std::nullopt);
            }
            if (request)
                pump.begin(std::move(*request));
            pump.step();
            if (device_)
                QCoreApplication::processEvents(); // the sink's own timers
        }
    }

private:
    std::optional<QAudioDevice> device_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool quit_ = false;
    bool poked_ = false;
    std::optional<Request> next_;
    std::shared_ptr<Playback> latest_;
};

// AudioOutput

namespace {

std::unique_ptr<AudioOutput>& output_holder() {
    static std::unique_ptr<AudioOutput> holder;
    return holder;
}

// The Qt sink must go before the application object does.
void end_output() {
    output_holder().reset();
}

} // namespace

AudioOutput& AudioOutput::instance() {
    auto& holder = output_holder();
    if (!holder) {
        std::optional<QAudioDevice> device = chosen_device();
        holder = std::make_unique<AudioOutput>(Key{}, !device.has_value());
        holder->worker_ = std::make_unique<Worker>(std::move(device));
        holder->worker_->start();
        if (QCoreApplication::instance() != nullptr)
            qAddPostRoutine(end_output);
    }
    return *holder;
}

AudioOutput::AudioOutput(Key, bool silent)
    : silent_(silent) {}

AudioOutput::~AudioOutput() = default;

std::shared_ptr<Playback> AudioOutput::play(SourceFactory factory) {
    auto playback = std::make_shared<Playback>();
    worker_->submit(Request{playback, std::move(factory)});
    return playback;
}

void AudioOutput::stop(const std::shared_ptr<Playback>& playback) {
    if (playback && playback->finish(Playback::State::stopped))
        worker_->poke();
}

std::shared_ptr<const Playback> AudioOutput::latest() const {
    return worker_->latest();
}

} // namespace pemmaro::audio
