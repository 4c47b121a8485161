#pragma once
// The output thread's work between two waits: starting a requested playback,
// handing its frames to the sink as room comes free, letting the end of the
// last sound leave the sink, and closing the stream once idle. When the sink
// will not start, or breaks, the sound goes on into a silent sink so that its
// position and end still come; the next sound tries the sink again.
// Output thread only.

#include "platform/AudioOutput.h"
#include "platform/AudioSinks.h"

#include <memory>
#include <optional>
#include <vector>

namespace pemmaro::audio {

struct Request {
    std::shared_ptr<Playback> playback;
    SourceFactory factory;
};

class Pump {
public:
    explicit Pump(std::unique_ptr<Sink> output);
    ~Pump();
    Pump(const Pump&) = delete;
    Pump& operator=(const Pump&) = delete;

    // A playback under way or a sound still leaving the sink.
    bool busy() const { return current_ || tail_; }
    bool sink_open() const { return sink_->is_open(); }

    void begin(Request request);
    void step();

private:
    struct Tail {
        std::shared_ptr<Playback> playback;
        std::uint64_t end; // frames written when the sound ended
        std::size_t padding_left;
    };

    void use_silence_for_this_sound(const char* why);
    void end_current(Playback::State state);
    void feed();
    void complete();
    void drain();
    void close_when_idle();

    std::unique_ptr<Sink> output_;
    SilentSink silence_;
    Sink* sink_; // output_ or silence_
    std::shared_ptr<Playback> current_;
    std::unique_ptr<PcmSource> source_;
    std::vector<std::int16_t> buffer_;
    std::size_t offset_ = 0;  // first frame of buffer_ not yet taken
    std::size_t pending_ = 0; // frames of buffer_ not yet taken
    std::optional<Tail> tail_;
    std::optional<Clock::time_point> idle_since_;
};

} // namespace pemmaro::audio
