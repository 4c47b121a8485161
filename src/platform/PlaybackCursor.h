#pragma once
// Where a media device playing a stretch of its medium stands, in the device's
// own units (milliseconds, CD sectors). Output frames become units at a fixed
// ratio; once the playback has ended, the place it reached is the resting one.

#include "platform/AudioOutput.h"

#include <cstdint>
#include <memory>

namespace pemmaro {

class PlaybackCursor {
public:
    // units_played = frames * units_per_step / frames_per_step
    PlaybackCursor(std::uint64_t units_per_step, std::uint64_t frames_per_step)
        : units_per_step_(units_per_step)
        , frames_per_step_(frames_per_step) {}

    // The place now; reading it notices a playback that has ended.
    std::int64_t position();
    bool playing();
    // Stops any playback and rests at the unit.
    void rest_at(std::int64_t unit);
    // Stops any playback, then plays [from, to] from the factory's source.
    void play(std::int64_t from, std::int64_t to, audio::SourceFactory factory);
    void stop(); // rests where the playback had got to

private:
    std::uint64_t units_per_step_;
    std::uint64_t frames_per_step_;
    std::int64_t position_ = 0;
    std::int64_t from_ = 0;
    std::int64_t to_ = 0;
    std::shared_ptr<audio::Playback> playback_;
};

} // namespace pemmaro
