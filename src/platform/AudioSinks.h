#pragma once
// Where the output thread hands its frames: the machine's Qt audio device, or
// a silent stand-in that takes frames as a device would, paced by the clock.
// Sinks are made, used and destroyed on the output thread only.

#include "platform/AudioOutput.h"

#include <cstddef>
#include <cstdint>
#include <memory>

class QAudioDevice;

namespace pemmaro::audio {

class Sink {
public:
    virtual ~Sink() = default;
    // A fresh stream with nothing queued; false when the device will not start.
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

class SilentSink final : public Sink {
public:
    bool start() override;
    void stop() override { open_ = false; }
    bool is_open() const override { return open_; }
    bool broken() const override { return false; }
    std::size_t writable_frames() override;
    std::size_t write(const std::int16_t*, std::size_t frames) override;
    std::uint64_t frames_written() const override { return written_; }
    std::uint64_t frames_consumed() override;
    // A small lead, so the first frames go out at once as with a real device.
    std::size_t buffer_frames() const override { return output_rate / 50; }

private:
    std::uint64_t elapsed() const;

    Clock::time_point started_;
    std::uint64_t written_ = 0;
    bool open_ = false;
};

// A Qt audio sink in push mode on the device.
std::unique_ptr<Sink> make_qt_sink(const QAudioDevice& device);

} // namespace pemmaro::audio
