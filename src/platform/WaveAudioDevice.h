#pragma once
// The waveaudio device: one sound file, positions in milliseconds.

#include "platform/MediaDevice.h"
#include "platform/PlaybackCursor.h"
#include "platform/SoundFile.h"

#include <memory>
#include <string>

namespace pemmaro {

class WaveAudioDevice final : public MediaDevice {
public:
    // The element is a data path (backslashes, any case). file_not_found or
    // invalid_file when it cannot be played.
    static MciError open(const std::string& element, std::unique_ptr<MediaDevice>& device);

    WaveAudioDevice(std::string path, SoundFileFormat format);
    ~WaveAudioDevice() override;

    MciError set_time_format(mci::TimeFormat format) override;
    MciError status(mci::StatusItem item, std::uint32_t track, std::uint32_t& value) override;
    MciError seek(std::uint32_t to) override;
    MciError play(std::optional<std::uint32_t> from, std::optional<std::uint32_t> to) override;
    MciError stop() override;

private:
    // The position now; once the playback has ended it becomes the resting one.
    std::uint32_t position();
    std::uint64_t frame_at(std::uint32_t ms) const;

    std::string path_;
    SoundFileFormat format_;
    std::uint32_t length_;
    PlaybackCursor cursor_{1000, audio::output_rate}; // milliseconds
};

} // namespace pemmaro
