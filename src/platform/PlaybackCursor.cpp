#include "platform/PlaybackCursor.h"

#include <algorithm>

namespace pemmaro {

std::int64_t PlaybackCursor::position() {
    if (!playback_)
        return position_;
    auto state = playback_->state();
    auto played =
        static_cast<std::int64_t>(playback_->frames_handed() * units_per_step_ / frames_per_step_);
    std::int64_t now =
        state == audio::Playback::State::completed ? to_ : std::min(to_, from_ + played);
    if (state != audio::Playback::State::playing) {
        position_ = now;
        playback_.reset();
    }
    return now;
}

bool PlaybackCursor::playing() {
    position();
    return playback_ != nullptr;
}

void PlaybackCursor::rest_at(std::int64_t unit) {
    stop();
    position_ = unit;
}

void PlaybackCursor::play(std::int64_t from, std::int64_t to, audio::SourceFactory factory) {
    rest_at(from);
    from_ = from;
    to_ = to;
    playback_ = audio::AudioOutput::instance().play(std::move(factory));
}

void PlaybackCursor::stop() {
    if (playback_ && playback_->active())
        audio::AudioOutput::instance().stop(playback_);
    position();
}

} // namespace pemmaro
