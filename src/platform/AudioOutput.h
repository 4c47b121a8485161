#pragma once
// The program's one audio output: 44.1 kHz, stereo, 16-bit. A worker thread pulls
// frames from the source of the current playback and hands them to the default Qt
// audio device, or to a silent output that keeps time when the machine has none
// (or when PEMMARO_SILENT_AUDIO is set), so positions and ends behave the same
// headless. One sound at a time: a new playback stops the one before.
//
// Positions come from the frames handed to the output: the output buffers only
// about 0.1 s, so they lead what is heard by at most that much.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

namespace pemmaro::audio {

inline constexpr std::uint32_t output_rate = 44100;
inline constexpr std::uint32_t output_channels = 2;

// Frames of the output format, made on the output thread only.
class PcmSource {
public:
    virtual ~PcmSource() = default;
    // Fills up to `frames` interleaved stereo frames; 0 means the end.
    virtual std::size_t read(std::int16_t* samples, std::size_t frames) = 0;
    // Whether the end came from a read failure rather than the end of the range.
    virtual bool failed() const { return false; }
};

// Called on the output thread when playing starts; nullptr fails the playback.
using SourceFactory = std::function<std::unique_ptr<PcmSource>()>;

using Clock = std::chrono::steady_clock;

// One play request, shared by the device that made it and the output thread.
// Every member may be called from any thread.
class Playback {
public:
    enum class State { playing, completed, stopped, failed };

    State state() const;
    bool active() const { return state() == State::playing; }
    // Frames handed to the output so far; final once the state is not playing.
    std::uint64_t frames_handed() const;
    std::optional<Clock::time_point> first_frame_time() const;
    // Waits until the playback has ended and its sound has left the output's
    // buffer; false when the deadline came first.
    bool wait_until_drained(Clock::time_point deadline) const;

    // The output's side.
    bool add_frames(std::uint64_t frames); // false once no longer playing
    bool finish(State state);              // false when it had already ended
    void mark_drained();

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    State state_ = State::playing;
    bool drained_ = false;
    std::uint64_t frames_ = 0;
    std::optional<Clock::time_point> first_frame_;
};

class AudioOutput {
public:
    // The output, made on first use. With a QCoreApplication it ends with it;
    // without one it is silent.
    static AudioOutput& instance();
    ~AudioOutput();
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;

    // Returns at once; the factory runs on the output thread. Any other
    // playback stops now.
    std::shared_ptr<Playback> play(SourceFactory factory);
    // Stops the playback now (its frame count is final on return).
    void stop(const std::shared_ptr<Playback>& playback);
    bool silent() const { return silent_; }
    // The latest playback requested, for measurements.
    std::shared_ptr<const Playback> latest() const;

private:
    class Worker;
    struct Key {};

public:
    AudioOutput(Key, bool silent);

private:
    bool silent_;
    std::unique_ptr<Worker> worker_;
};

} // namespace pemmaro::audio
