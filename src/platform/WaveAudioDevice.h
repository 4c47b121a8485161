#pragma once
// The waveaudio device: one sound file, positions in milliseconds.

#include "platform/MediaDevice.h"
#include "platform/PlaybackCursor.h"
#include "platform/SoundFile.h"

#include <atomic>
#include <memory>
#include <string>
#include <thread>

namespace pemmaro {

// A wave file that is there but does not decode: MPEG layer 3 (format tag
// 0x55) on a machine without its decoder is the output's problem, as the
// codec's absence was where these files come from; anything else is a
// broken file.
MciError undecodable_file_error(std::uint16_t format_tag, bool mpeg_layer_3_decoder);

// The length of a file whose header only estimates it (MPEG layer 3) starts as
// that estimate and becomes the decoder's own once a worker has counted the
// frames, a few milliseconds a minute after the open; positions up to the
// estimate stay valid and mean the end.
class WaveAudioDevice final : public MediaDevice {
public:
    // The element is a data path (backslashes, any case). file_not_found when
    // it is not there; else, when it cannot be played, the error of
    // undecodable_file_error with the reason in detail.
    static MciError open(const std::string& element, std::unique_ptr<MediaDevice>& device,
                         std::string& detail);

    WaveAudioDevice(std::string path, SoundFileFormat format);
    ~WaveAudioDevice() override;

    MciError set_time_format(mci::TimeFormat format) override;
    MciError status(mci::StatusItem item, std::uint32_t track, std::uint32_t& value) override;
    MciError seek(std::uint32_t to) override;
    MciError play(std::optional<std::uint32_t> from, std::optional<std::uint32_t> to) override;
    MciError stop() override;
    MciError samples(std::uint32_t from, std::uint32_t to, audio::SourceFactory& factory) override;

private:
    audio::SourceFactory source(std::uint32_t first, std::uint32_t last) const;
    // Takes the worker's count once it is there.
    void learn_length();
    // The position now; once the playback has ended it becomes the resting one.
    std::uint32_t position();
    std::uint64_t frame_at(std::uint32_t ms) const;

    std::string path_;
    SoundFileFormat format_;
    std::uint32_t length_;
    std::uint32_t longest_length_;                    // positions up to it are accepted
    PlaybackCursor cursor_{1000, audio::output_rate}; // milliseconds
    std::atomic<bool> counted_{false};
    std::atomic<std::uint64_t> counted_frames_{0};
    // Last, so that it stops and joins before the rest goes.
    std::jthread counter_;
};

} // namespace pemmaro
