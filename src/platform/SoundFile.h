#pragma once
// Sound files (RIFF WAVE: PCM, IMA and MS ADPCM, GSM 6.10, MPEG layer 3) read with
// libsndfile and converted to the output's format: 44.1 kHz stereo 16-bit,
// resampled linearly. Mono plays on both channels; beyond two, the first two play.

#include "platform/AudioOutput.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

namespace pemmaro {

struct SoundFileFormat {
    std::uint32_t rate = 0;
    std::uint32_t channels = 0;
    // The header's count: exact for PCM and for the block codecs (ADPCM, GSM),
    // an estimate for MPEG layer 3, whose decoder gives somewhat less.
    std::uint64_t frames = 0;
    bool frames_exact = true;
};

inline constexpr std::uint16_t wave_format_mpeg_layer_3 = 0x55;

struct SoundFileProbe {
    std::optional<SoundFileFormat> format; // when the file can be played
    // Why not, as a sentence for the user (the decoder's own words where it has any).
    std::string problem;
    // Of the file's wave format block when it cannot be played; 0 when it has none.
    std::uint16_t format_tag = 0;
};

// The format of a RIFF WAVE file libsndfile can decode, from its header and
// its first frames: the same cost for a file of any length.
SoundFileProbe probe_sound_file(const std::string& path);

// The frames that really decode, read until none come back (an MPEG minute
// takes about 16 ms); none when the file does not open or stop was requested.
// For a worker thread.
std::optional<std::uint64_t> count_decodable_frames(const std::string& path,
                                                    std::stop_token stop = {});

// Whether this machine's libsndfile decodes MPEG layer 3.
bool mpeg_layer_3_decoding_available();

// Frames [first, end) of the file in the output's format. A file that cannot seek
// (GSM 6.10) is read from its start. When end is not exact (a header's
// estimate), the decoder's own end before it is the end, not a failure.
// nullptr when the file no longer opens. Meant to run on the output thread.
std::unique_ptr<audio::PcmSource> open_sound_file_source(const std::string& path,
                                                         std::uint64_t first, std::uint64_t end,
                                                         bool end_exact = true);

// Linear resampling of stereo 16-bit frames to the output's rate, streamed: input
// is pushed in pieces and output pulled as far as the input reaches.
class LinearResampler {
public:
    explicit LinearResampler(std::uint32_t input_rate);
    void push(const std::int16_t* samples, std::size_t frames);
    void end_input() { ended_ = true; }
    std::size_t pull(std::int16_t* samples, std::size_t frames);
    // The input has ended and every output frame has been pulled.
    bool finished() const;
    // The number of output frames that `input_frames` frames make.
    static std::uint64_t output_frames(std::uint64_t input_frames, std::uint32_t input_rate);

private:
    std::uint64_t input_index(std::uint64_t output_index) const;

    std::uint64_t rate_;
    std::uint64_t next_output_ = 0;
    std::uint64_t base_ = 0; // input index of the first frame kept
    std::uint64_t input_total_ = 0;
    bool ended_ = false;
    std::vector<std::int16_t> input_;
};

} // namespace pemmaro
