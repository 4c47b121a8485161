#include "platform/AudioOutput.h"

#include "platform/Log.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QCoreApplication>
#include <QMediaDevices>
#include <QThread>
#include <algorithm>
#include <utility>
#include <vector>

namespace pemmaro::audio {

namespace {

constexpr std::size_t bytes_per_frame = output_channels * sizeof(std::int16_t);
constexpr std::size_t chunk_frames = 1024;
constexpr auto playing_tick = std::chrono::milliseconds(5);
constexpr auto idle_tick = std::chrono::milliseconds(100);
// A quarter of a second rides out a busy machine without a gap; stopping still
// cuts the sound off at once, as the stream is dropped, not drained.
constexpr std::size_t sink_buffer_frames = output_rate / 4;
// Closing the stream soon after a sound would cut its tail; keeping it open for
// ever would keep the sound server busy.
constexpr auto close_after_idle = std::chrono::seconds(1);

std::uint64_t frames_in(Clock::duration duration) {
    auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(duration).count();
    return ns <= 0 ? 0 : static_cast<std::uint64_t>(ns) * output_rate / 1'000'000'000u;
}

// Where the frames go.
class Sink {
public:
    virtual ~Sink() = default;
    // A fresh stream with nothing queued.
    virtual bool start() = 0;
    virtual void stop() = 0;
    virtual bool is_open() const = 0;
    // The stream died under us (sound server gone).
    virtual bool broken() const = 0;
    virtual std::size_t writable_frames() = 0;
    virtual std::size_t write(const std::int16_t* samples, std::size_t frames) = 0;
    virtual std::uint64_t frames_written() const = 0;
    // Frames the device has taken from the stream so far.
    virtual std::uint64_t frames_consumed() = 0;
    virtual std::size_t buffer_frames() const = 0;
};

// Takes frames as a real device would, paced by the clock.
class SilentSink final : public Sink {
public:
    bool start() override {
        started_ = Clock::now();
        written_ = 0;
        open_ = true;
        return true;
    }
    void stop() override { open_ = false; }
    bool is_open() const override { return open_; }
    bool broken() const override { return false; }
    std::size_t writable_frames() override {
        std::uint64_t allowed = buffer_frames() + elapsed();
        return allowed > written_ ? static_cast<std::size_t>(allowed - written_) : 0;
    }
    std::size_t write(const std::int16_t*, std::size_t frames) override {
        written_ += frames;
        return frames;
    }
    std::uint64_t frames_written() const override { return written_; }
    std::uint64_t frames_consumed() override { return std::min(written_, elapsed()); }
    // A small lead, so the first frames go out at once as with a real device.
    std::size_t buffer_frames() const override { return output_rate / 50; }

private:
    std::uint64_t elapsed() const { return frames_in(Clock::now() - started_); }

    Clock::time_point started_;
    std::uint64_t written_ = 0;
    bool open_ = false;
};

QAudioFormat output_format() {
    QAudioFormat format;
    format.setSampleRate(static_cast<int>(output_rate));
    format.setChannelCount(static_cast<int>(output_channels));
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

// A Qt audio sink in push mode; lives and dies on the output thread.
class QtSink final : public Sink {
public:
    explicit QtSink(QAudioDevice device)
        : device_(std::move(device)) {}
    ~QtSink() override { stop(); }

    bool start() override {
        stop();
        sink_ = std::make_unique<QAudioSink>(device_, output_format());
        // The sink keeps the size it was granted, so it is asked for each time.
        sink_->setBufferSize(static_cast<qsizetype>(sink_buffer_frames * bytes_per_frame));
        io_ = sink_->start();
        if (io_ == nullptr || sink_->state() == QAudio::StoppedState) {
            stop();
            return false;
        }
        written_ = 0;
        return true;
    }
    void stop() override {
        if (sink_) {
            sink_->stop();
            sink_.reset();
        }
        io_ = nullptr;
    }
    bool is_open() const override { return sink_ != nullptr; }
    bool broken() const override { return sink_ && sink_->state() == QAudio::StoppedState; }
    std::size_t writable_frames() override {
        return sink_ ? static_cast<std::size_t>(sink_->bytesFree()) / bytes_per_frame : 0;
    }
    std::size_t write(const std::int16_t* samples, std::size_t frames) override {
        if (io_ == nullptr)
            return 0;
        const char* bytes = reinterpret_cast<const char*>(samples);
        qint64 wanted = static_cast<qint64>(frames * bytes_per_frame);
        qint64 done = io_->write(bytes, wanted);
        // A frame cut in two would swap the channels from here on.
        while (done > 0 && done % static_cast<qint64>(bytes_per_frame) != 0) {
            qint64 more = io_->write(bytes + done, static_cast<qint64>(bytes_per_frame) -
                                                       done % static_cast<qint64>(bytes_per_frame));
            if (more <= 0)
                break;
            done += more;
        }
        std::size_t taken = done > 0 ? static_cast<std::size_t>(done) / bytes_per_frame : 0;
        written_ += taken;
        return taken;
    }
    std::uint64_t frames_written() const override { return written_; }
    std::uint64_t frames_consumed() override {
        if (!sink_)
            return written_;
        qsizetype queued = sink_->bufferSize() - sink_->bytesFree();
        std::uint64_t queued_frames =
            queued > 0 ? static_cast<std::uint64_t>(queued) / bytes_per_frame : 0;
        return written_ > queued_frames ? written_ - queued_frames : 0;
    }
    std::size_t buffer_frames() const override {
        return sink_ ? static_cast<std::size_t>(sink_->bufferSize()) / bytes_per_frame : 0;
    }

private:
    QAudioDevice device_;
    std::unique_ptr<QAudioSink> sink_;
    QIODevice* io_ = nullptr; // owned by sink_
    std::uint64_t written_ = 0;
};

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

struct Request {
    std::shared_ptr<Playback> playback;
    SourceFactory factory;
};

// The state of the output thread: the current playback, its source, and the
// tail of the last sound that is still leaving the buffer.
class Pump {
public:
    explicit Pump(std::unique_ptr<Sink> sink)
        : sink_(std::move(sink)) {}
    ~Pump() {
        if (current_)
            current_->finish(Playback::State::stopped);
        if (tail_)
            tail_->playback->mark_drained();
    }

    bool busy() const { return current_ || tail_; }
    bool sink_open() const { return sink_->is_open(); }

    void begin(Request request) {
        end_current(Playback::State::stopped);
        if (!request.playback->active())
            return;
        if (!sink_->start())
            fall_back_to_silence("the sound device would not start");
        current_ = std::move(request.playback);
        try {
            source_ = request.factory();
        } catch (const std::exception& e) {
            log_line(std::string("audio output: ") + e.what());
        }
        if (!source_)
            end_current(Playback::State::failed);
    }

    void step() {
        if (sink_->broken())
            fall_back_to_silence("the sound server went away");
        if (current_ && !current_->active()) {
            // Stopped by its device or by a newer sound: cut it off.
            end_current(Playback::State::stopped);
        }
        if (current_)
            feed();
        if (tail_)
            drain();
        close_when_idle();
    }

private:
    // Positions and ends keep working; only the sound is lost.
    void fall_back_to_silence(const char* why) {
        log_line(std::string("audio output: ") + why + "; going on silently");
        sink_ = std::make_unique<SilentSink>();
        sink_->start();
    }

    void end_current(Playback::State state) {
        if (tail_) {
            tail_->playback->mark_drained();
            tail_.reset();
        }
        if (!current_)
            return;
        current_->finish(state);
        current_->mark_drained();
        current_.reset();
        source_.reset();
        pending_ = 0;
        sink_->stop();
        idle_since_ = Clock::now();
    }

    void feed() {
        std::size_t room = sink_->writable_frames();
        while (room > 0) {
            if (pending_ == 0) {
                offset_ = 0;
                pending_ = source_->read(buffer_.data(), std::min(room, chunk_frames));
                if (pending_ == 0) {
                    complete();
                    return;
                }
            }
            std::size_t taken =
                sink_->write(buffer_.data() + offset_ * output_channels, std::min(pending_, room));
            if (!current_->add_frames(taken))
                return; // stopped meanwhile: the next step cuts it off
            offset_ += taken;
            pending_ -= taken;
            room -= taken;
            if (taken == 0)
                return;
        }
    }

    void complete() {
        auto state = source_->failed() ? Playback::State::failed : Playback::State::completed;
        tail_ = Tail{current_, sink_->frames_written(), sink_->buffer_frames()};
        current_->finish(state);
        current_.reset();
        source_.reset();
    }

    // Silence after the sound pushes it through the stream's start threshold and
    // keeps the stream from stopping on its last frames.
    void drain() {
        static const std::vector<std::int16_t> silence(chunk_frames * output_channels, 0);
        while (tail_->padding_left > 0) {
            std::size_t room =
                std::min({sink_->writable_frames(), tail_->padding_left, chunk_frames});
            if (room == 0)
                break;
            std::size_t taken = sink_->write(silence.data(), room);
            tail_->padding_left -= taken;
            if (taken == 0)
                break;
        }
        if (sink_->frames_consumed() >= tail_->end) {
            tail_->playback->mark_drained();
            tail_.reset();
            idle_since_ = Clock::now();
        }
    }

    void close_when_idle() {
        if (busy() || !sink_->is_open())
            return;
        if (idle_since_ && Clock::now() - *idle_since_ >= close_after_idle)
            sink_->stop();
    }

    struct Tail {
        std::shared_ptr<Playback> playback;
        std::uint64_t end; // frames written when the sound ended
        std::size_t padding_left;
    };

    std::unique_ptr<Sink> sink_;
    std::shared_ptr<Playback> current_;
    std::unique_ptr<PcmSource> source_;
    std::vector<std::int16_t> buffer_ = std::vector<std::int16_t>(chunk_frames * output_channels);
    std::size_t offset_ = 0;  // first frame of buffer_ not yet taken
    std::size_t pending_ = 0; // frames of buffer_ not yet taken
    std::optional<Tail> tail_;
    std::optional<Clock::time_point> idle_since_;
};

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
            sink = std::make_unique<QtSink>(*device_);
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
