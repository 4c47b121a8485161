// The output thread's pump over a sound device that fails now and then.

#include "platform/AudioPump.h"
#include "platform/Log.h"

#include <chrono>
#include <deque>
#include <gtest/gtest.h>
#include <thread>

namespace pemmaro::audio {
namespace {

using namespace std::chrono_literals;

// A device that takes every frame at once; it starts or breaks as told.
class ScriptedSink final : public Sink {
public:
    std::deque<bool> starts; // the results of the next starts; then success
    int started = 0;
    std::uint64_t frames = 0; // over all streams
    bool broken_now = false;

    bool start() override {
        ++started;
        bool ok = starts.empty() || starts.front();
        if (!starts.empty())
            starts.pop_front();
        open_ = ok;
        written_ = 0;
        return ok;
    }
    void stop() override { open_ = false; }
    bool is_open() const override { return open_; }
    bool broken() const override { return open_ && broken_now; }
    std::size_t writable_frames() override { return open_ ? 4096 : 0; }
    std::size_t write(const std::int16_t*, std::size_t count) override {
        written_ += count;
        frames += count;
        return count;
    }
    std::uint64_t frames_written() const override { return written_; }
    std::uint64_t frames_consumed() override { return written_; }
    std::size_t buffer_frames() const override { return 64; }

private:
    bool open_ = false;
    std::uint64_t written_ = 0;
};

// A fifth of a second of silence.
class Hush final : public PcmSource {
public:
    std::size_t read(std::int16_t* samples, std::size_t count) override {
        std::size_t n = std::min<std::size_t>(count, left_);
        std::fill(samples, samples + n * output_channels, std::int16_t{0});
        left_ -= n;
        return n;
    }

private:
    std::size_t left_ = output_rate / 5;
};

// Plays one sound through the pump to its end.
std::shared_ptr<Playback> play(Pump& pump) {
    auto playback = std::make_shared<Playback>();
    pump.begin(Request{playback, [] { return std::make_unique<Hush>(); }});
    const auto deadline = Clock::now() + 5s;
    while (pump.busy() && Clock::now() < deadline) {
        pump.step();
        std::this_thread::sleep_for(2ms);
    }
    return playback;
}

TEST(AudioPump, AFailingDeviceSilencesOnlyThatSoundAndSaysSoInTheLog) {
    auto owned = std::make_unique<ScriptedSink>();
    ScriptedSink& device = *owned;
    device.starts = {false};
    Pump pump(std::move(owned));

    set_log_silenced(false);
    testing::internal::CaptureStderr();
    auto silent = play(pump);
    const std::string log = testing::internal::GetCapturedStderr();
    set_log_silenced(true);
    EXPECT_EQ(silent->state(), Playback::State::completed) << "its end still comes";
    EXPECT_EQ(silent->frames_handed(), output_rate / 5);
    EXPECT_EQ(device.frames, 0u);
    EXPECT_NE(log.find("the sound device would not start"), std::string::npos) << log;

    auto heard = play(pump);
    EXPECT_EQ(device.started, 2) << "the next sound tries the device again";
    EXPECT_EQ(heard->state(), Playback::State::completed);
    EXPECT_GE(device.frames, output_rate / 5);

    // A stream that breaks midway: the rest of that sound goes on silently.
    device.broken_now = true;
    set_log_silenced(true);
    auto cut = play(pump);
    EXPECT_EQ(cut->state(), Playback::State::completed);
    EXPECT_EQ(cut->frames_handed(), output_rate / 5);
    device.broken_now = false;
    const std::uint64_t before = device.frames;
    play(pump);
    EXPECT_EQ(device.started, 4);
    EXPECT_GE(device.frames - before, output_rate / 5);
}

} // namespace
} // namespace pemmaro::audio
