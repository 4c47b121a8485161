#pragma once
// The sound files of the data disc in their ten encodings (compression
// numbers 0..9), the spoken names and the copied CD tracks; every file is
// read back with libsndfile before it is put in place.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace pemmaro::media {

struct SoundEncoding {
    int sample_rate = 22050;
    int format = 0;   // libsndfile format of the file written directly
    int mp3_kbps = 0; // above 0: MPEG layer 3 inside WAV, made by ffmpeg
    const char* name = "";
};

// Throws for a compression number outside 0..9.
SoundEncoding encoding_for(int compression_number);

struct SoundCheck {
    int sample_rate = 0;
    int channels = 0;
    int format = 0;
    std::int64_t frames_read = 0; // decoded until no frame came back
    double seconds() const {
        return sample_rate > 0 ? static_cast<double>(frames_read) / sample_rate : 0;
    }
};

// Opens the file with libsndfile and decodes all of it; throws when it cannot.
SoundCheck read_back(const std::string& path);

// Writes mono samples (at the encoding's rate) as a sound file; scratch is a
// folder for ffmpeg's input. Checks the result: format and length.
void write_sound_file(const std::string& path, std::span<const float> samples,
                      int compression_number, const std::string& scratch);

// 16-bit PCM WAV, interleaved channels.
void write_pcm_wav(const std::string& path, int rate, int channels,
                   std::span<const std::int16_t> interleaved);

// The name spoken by espeak-ng (English voice) into a WAV file.
void write_spoken_name(const std::string& path, const std::string& utf8_name);

} // namespace pemmaro::media
