#include "platform/AudioSinks.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <algorithm>
#include <utility>

namespace pemmaro::audio {

namespace {

constexpr std::size_t bytes_per_frame = output_channels * sizeof(std::int16_t);
// A quarter of a second rides out a busy machine without a gap; stopping still
// cuts the sound off at once, as the stream is dropped, not drained.
constexpr std::size_t sink_buffer_frames = output_rate / 4;

std::uint64_t frames_in(Clock::duration duration) {
    auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(duration).count();
    return ns <= 0 ? 0 : static_cast<std::uint64_t>(ns) * output_rate / 1'000'000'000u;
}

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

} // namespace

// SilentSink

bool SilentSink::start() {
    started_ = Clock::now();
    written_ = 0;
    open_ = true;
    return true;
}

std::size_t SilentSink::writable_frames() {
    std::uint64_t allowed = buffer_frames() + elapsed();
    return allowed > written_ ? static_cast<std::size_t>(allowed - written_) : 0;
}

std::size_t SilentSink::write(const std::int16_t*, std::size_t frames) {
    written_ += frames;
    return frames;
}

std::uint64_t SilentSink::frames_consumed() {
    return std::min(written_, elapsed());
}

std::uint64_t SilentSink::elapsed() const {
    return frames_in(Clock::now() - started_);
}

std::unique_ptr<Sink> make_qt_sink(const QAudioDevice& device) {
    return std::make_unique<QtSink>(device);
}

} // namespace pemmaro::audio
