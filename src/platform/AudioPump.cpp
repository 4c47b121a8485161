#include "platform/AudioPump.h"

#include "platform/Log.h"

#include <algorithm>
#include <exception>
#include <string>

namespace pemmaro::audio {

namespace {

constexpr std::size_t chunk_frames = 1024;
// Closing the stream soon after a sound would cut its tail; keeping it open for
// ever would keep the sound server busy.
constexpr auto close_after_idle = std::chrono::seconds(1);

} // namespace

Pump::Pump(std::unique_ptr<Sink> output)
    : output_(std::move(output))
    , sink_(output_.get())
    , buffer_(chunk_frames * output_channels) {}

Pump::~Pump() {
    if (current_)
        current_->finish(Playback::State::stopped);
    if (tail_)
        tail_->playback->mark_drained();
}

void Pump::begin(Request request) {
    end_current(Playback::State::stopped);
    if (!request.playback->active())
        return;
    // Whatever became of the sound before, this one tries the device again.
    if (sink_ != output_.get()) {
        sink_->stop();
        sink_ = output_.get();
    }
    current_ = std::move(request.playback);
    if (!sink_->start())
        use_silence_for_this_sound("the sound device would not start");
    try {
        source_ = request.factory();
    } catch (const std::exception& e) {
        log_line(std::string("audio output: ") + e.what());
    }
    if (!source_)
        end_current(Playback::State::failed);
}

void Pump::step() {
    if (sink_->broken()) {
        if (busy())
            use_silence_for_this_sound("the sound server went away");
        else
            sink_->stop(); // the next sound opens a fresh stream
    }
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

// Positions and ends keep working; only this sound is lost.
void Pump::use_silence_for_this_sound(const char* why) {
    log_line(std::string("audio output: ") + why + "; this sound goes on silently");
    sink_->stop();
    if (tail_) {
        // The end of the last sound went with the stream.
        tail_->playback->mark_drained();
        tail_.reset();
        idle_since_ = Clock::now();
    }
    sink_ = &silence_;
    silence_.start();
}

void Pump::end_current(Playback::State state) {
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

void Pump::feed() {
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

void Pump::complete() {
    auto state = source_->failed() ? Playback::State::failed : Playback::State::completed;
    tail_ = Tail{current_, sink_->frames_written(), sink_->buffer_frames()};
    current_->finish(state);
    current_.reset();
    source_.reset();
}

// Silence after the sound pushes it through the stream's start threshold and
// keeps the stream from stopping on its last frames.
void Pump::drain() {
    static const std::vector<std::int16_t> silence(chunk_frames * output_channels, 0);
    while (tail_->padding_left > 0) {
        std::size_t room = std::min({sink_->writable_frames(), tail_->padding_left, chunk_frames});
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

void Pump::close_when_idle() {
    if (busy() || !sink_->is_open())
        return;
    if (idle_since_ && Clock::now() - *idle_since_ >= close_after_idle)
        sink_->stop();
}

} // namespace pemmaro::audio
