#include "SoundFiles.h"

#include "MediaCommon.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <sndfile.h>

namespace pemmaro::media {

namespace {

class SoundFile {
public:
    SoundFile(const std::string& path, int mode, SF_INFO& info)
        : file_(sf_open(path.c_str(), mode, &info)) {
        if (file_ == nullptr)
            throw MediaError("libsndfile cannot open " + path + ": " + sf_strerror(nullptr));
    }
    ~SoundFile() { sf_close(file_); }
    SoundFile(const SoundFile&) = delete;
    SoundFile& operator=(const SoundFile&) = delete;
    SNDFILE* get() const { return file_; }

private:
    SNDFILE* file_;
};

void write_with_libsndfile(const std::string& path, int rate, int format,
                           std::span<const float> samples) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = 1;
    info.format = format;
    if (!sf_format_check(&info))
        throw MediaError("libsndfile cannot write format " + std::to_string(format));
    SoundFile file(path, SFM_WRITE, info);
    sf_command(file.get(), SFC_SET_CLIPPING, nullptr, SF_TRUE);
    const auto count = static_cast<sf_count_t>(samples.size());
    if (sf_writef_float(file.get(), samples.data(), count) != count)
        throw MediaError("libsndfile could not write " + path);
}

void check_length(const std::string& path, const SoundCheck& check, double seconds,
                  double tolerance) {
    if (std::abs(check.seconds() - seconds) > tolerance)
        throw MediaError(path + " reads back as " + std::to_string(check.seconds()) +
                         " s instead of " + std::to_string(seconds) + " s");
}

} // namespace

SoundEncoding encoding_for(int compression_number) {
    constexpr int wav = SF_FORMAT_WAV;
    switch (compression_number) {
    case 0:
        return {22050, wav | SF_FORMAT_PCM_16, 0, "PCM 16-bit 22050 Hz"};
    case 1:
        return {22050, wav | SF_FORMAT_IMA_ADPCM, 0, "IMA ADPCM 22050 Hz"};
    case 2:
        return {22050, wav | SF_FORMAT_MS_ADPCM, 0, "MS ADPCM 22050 Hz"};
    case 3:
        return {8000, wav | SF_FORMAT_GSM610, 0, "GSM 6.10 8000 Hz"};
    case 4:
        return {11025, wav | SF_FORMAT_IMA_ADPCM, 0, "IMA ADPCM 11025 Hz"};
    case 5:
        return {22050, wav | SF_FORMAT_PCM_16, 32, "MPEG layer 3 32 kbit/s"};
    case 6:
        return {22050, wav | SF_FORMAT_PCM_16, 48, "MPEG layer 3 48 kbit/s"};
    case 7:
        return {22050, wav | SF_FORMAT_PCM_16, 64, "MPEG layer 3 64 kbit/s"};
    case 8:
        return {22050, wav | SF_FORMAT_PCM_16, 96, "MPEG layer 3 96 kbit/s"};
    case 9:
        return {22050, wav | SF_FORMAT_PCM_16, 128, "MPEG layer 3 128 kbit/s"};
    default:
        throw MediaError("no sound file encoding for compression number " +
                         std::to_string(compression_number));
    }
}

SoundCheck read_back(const std::string& path) {
    SF_INFO info{};
    SoundFile file(path, SFM_READ, info);
    SoundCheck check;
    check.sample_rate = info.samplerate;
    check.channels = info.channels;
    check.format = info.format;
    // The header's frame count is not trusted (MPEG): decode until nothing comes back.
    std::vector<float> buffer(4096 * static_cast<std::size_t>(std::max(1, info.channels)));
    while (true) {
        const sf_count_t got = sf_readf_float(file.get(), buffer.data(), 4096);
        if (got <= 0)
            break;
        check.frames_read += got;
    }
    if (sf_error(file.get()) != SF_ERR_NO_ERROR)
        throw MediaError("libsndfile failed reading " + path + ": " + sf_strerror(file.get()));
    return check;
}

void write_sound_file(const std::string& path, std::span<const float> samples,
                      int compression_number, const std::string& scratch) {
    const SoundEncoding encoding = encoding_for(compression_number);
    const double seconds = static_cast<double>(samples.size()) / encoding.sample_rate;
    make_parent_folders(path);
    const ScratchFile written(temporary_path_for(path));
    if (encoding.mp3_kbps == 0) {
        write_with_libsndfile(written.path(), encoding.sample_rate, encoding.format, samples);
    } else {
        const std::filesystem::path name = std::filesystem::path(path).filename();
        const ScratchFile pcm(temporary_path_for((std::filesystem::path(scratch) / name).string()));
        write_with_libsndfile(pcm.path(), encoding.sample_rate, encoding.format, samples);
        // Without the bit reservoir every frame carries its own data, so that
        // decoding from any place (a thumb moved, a pause resumed) has what it
        // needs; with it, the decoder complains of the frames a seek lands on.
        run_tool("ffmpeg", {"-loglevel",  "error",       "-y",
                            "-i",         pcm.path(),    "-c:a",
                            "libmp3lame", "-b:a",        std::to_string(encoding.mp3_kbps) + "k",
                            "-reservoir", "0",           "-f",
                            "wav",        "-fflags",     "+bitexact",
                            "-flags:a",   "+bitexact",   "-map_metadata",
                            "-1",         written.path()});
    }
    const SoundCheck check = read_back(written.path());
    const int expected_subtype =
        encoding.mp3_kbps > 0 ? SF_FORMAT_MPEG_LAYER_III : (encoding.format & SF_FORMAT_SUBMASK);
    if ((check.format & SF_FORMAT_SUBMASK) != expected_subtype ||
        check.sample_rate != encoding.sample_rate || check.channels != 1)
        throw MediaError(path + " reads back in another format than " + encoding.name);
    // MPEG adds the encoder's delay and pads its last frame; ADPCM and GSM pad
    // their last block.
    check_length(path, check, seconds, encoding.mp3_kbps > 0 ? 0.25 : 0.2);
    move_into_place(written.path(), path);
}

void write_pcm_wav(const std::string& path, int rate, int channels,
                   std::span<const std::int16_t> interleaved) {
    make_parent_folders(path);
    const ScratchFile written(temporary_path_for(path));
    {
        SF_INFO info{};
        info.samplerate = rate;
        info.channels = channels;
        info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
        SoundFile file(written.path(), SFM_WRITE, info);
        const auto frames = static_cast<sf_count_t>(interleaved.size()) / channels;
        if (sf_writef_short(file.get(), interleaved.data(), frames) != frames)
            throw MediaError("libsndfile could not write " + path);
    }
    move_into_place(written.path(), path);
}

void write_spoken_name(const std::string& path, const std::string& utf8_name) {
    make_parent_folders(path);
    const ScratchFile written(temporary_path_for(path));
    run_tool("espeak-ng", {"-v", "en", "-s", "150", "-w", written.path(), utf8_name});
    const SoundCheck check = read_back(written.path());
    if (check.seconds() < 0.2)
        throw MediaError(path + ": espeak-ng wrote " + std::to_string(check.seconds()) + " s");
    move_into_place(written.path(), path);
}

} // namespace pemmaro::media
