#include "platform/SoundFile.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sndfile.h>
#include <string_view>

namespace pemmaro {

namespace {

constexpr std::size_t read_frames = 2048;

struct SndFileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};
using SndFile = std::unique_ptr<SNDFILE, SndFileCloser>;

// problem, when given, receives why the file does not open as a wave file.
SndFile open_wave(const std::string& path, SF_INFO& info, std::string* problem = nullptr) {
    info = SF_INFO{};
    SndFile file(sf_open(path.c_str(), SFM_READ, &info));
    auto refuse = [problem](std::string why) {
        if (problem != nullptr)
            *problem = std::move(why);
        return nullptr;
    };
    if (!file)
        return refuse(std::string("The decoder says: ") + sf_strerror(nullptr));
    int major = info.format & SF_FORMAT_TYPEMASK;
    // The device plays wave files only, as its namesake does.
    if (major != SF_FORMAT_WAV && major != SF_FORMAT_WAVEX)
        return refuse("It is not a RIFF WAVE file.");
    if (info.channels < 1 || info.samplerate < 1)
        return refuse("Its header gives no channels or no sample rate.");
    return file;
}

std::uint32_t little_endian(const char* bytes, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[i]);
    return value;
}

// The format tag of the file's wave format block, the subformat's for an
// extensible one; 0 when there is no such block.
std::uint16_t wave_format_tag(const std::string& path) {
    constexpr std::uint16_t extensible = 0xFFFE;
    std::ifstream in(path, std::ios::binary);
    char header[12];
    if (!in.read(header, sizeof header) || std::string_view(header, 4) != "RIFF" ||
        std::string_view(header + 8, 4) != "WAVE")
        return 0;
    char chunk[8];
    // A format block comes before the data; a few chunks of other kinds may precede it.
    for (int chunks = 0; chunks < 64 && in.read(chunk, sizeof chunk); ++chunks) {
        const std::uint32_t size = little_endian(chunk + 4, 4);
        if (std::string_view(chunk, 4) != "fmt ") {
            in.seekg(size + (size & 1), std::ios::cur);
            continue;
        }
        char format[26] = {};
        if (size < 2 || !in.read(format, std::min<std::streamsize>(size, sizeof format)))
            return 0;
        const auto tag = static_cast<std::uint16_t>(little_endian(format, 2));
        return tag == extensible && size >= sizeof format
                   ? static_cast<std::uint16_t>(little_endian(format + 24, 2))
                   : tag;
    }
    return 0;
}

// Formats whose frame count comes straight from the data size (the block
// codecs' whole blocks included, as their decoders give them).
bool counts_exactly(int format) {
    switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_IMA_ADPCM:
    case SF_FORMAT_MS_ADPCM:
    case SF_FORMAT_GSM610:
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_PCM_U8:
    case SF_FORMAT_PCM_16:
    case SF_FORMAT_PCM_24:
    case SF_FORMAT_PCM_32:
    case SF_FORMAT_FLOAT:
    case SF_FORMAT_DOUBLE:
    case SF_FORMAT_ULAW:
    case SF_FORMAT_ALAW:
        return true;
    default:
        return false;
    }
}

std::int16_t to_sample(float value) {
    float scaled = std::clamp(value * 32767.0f, -32768.0f, 32767.0f);
    return static_cast<std::int16_t>(std::lrint(scaled));
}

class SoundFileSource final : public audio::PcmSource {
public:
    SoundFileSource(SndFile file, const SF_INFO& info, std::uint64_t frames, bool end_exact)
        : file_(std::move(file))
        , end_exact_(end_exact)
        , channels_(static_cast<std::size_t>(info.channels))
        , resampler_(static_cast<std::uint32_t>(info.samplerate))
        , remaining_(frames)
        , input_(read_frames * channels_)
        , stereo_(read_frames * audio::output_channels) {}

    std::size_t read(std::int16_t* samples, std::size_t frames) override {
        std::size_t made = 0;
        while (made < frames) {
            made += resampler_.pull(samples + made * audio::output_channels, frames - made);
            if (made == frames || resampler_.finished())
                break;
            decode_more();
        }
        return made;
    }

    bool failed() const override { return failed_; }

private:
    void decode_more() {
        if (remaining_ == 0) {
            resampler_.end_input();
            return;
        }
        auto wanted = static_cast<sf_count_t>(std::min<std::uint64_t>(remaining_, read_frames));
        sf_count_t got = sf_readf_float(file_.get(), input_.data(), wanted);
        if (got <= 0) {
            // Fewer frames than counted: the file changed or broke.
            failed_ = end_exact_ || sf_error(file_.get()) != SF_ERR_NO_ERROR;
            resampler_.end_input();
            return;
        }
        auto count = static_cast<std::size_t>(got);
        for (std::size_t i = 0; i < count; ++i) {
            const float* frame = input_.data() + i * channels_;
            stereo_[2 * i] = to_sample(frame[0]);
            stereo_[2 * i + 1] = to_sample(channels_ > 1 ? frame[1] : frame[0]);
        }
        resampler_.push(stereo_.data(), count);
        remaining_ -= count;
    }

    SndFile file_;
    bool end_exact_;
    std::size_t channels_;
    LinearResampler resampler_;
    std::uint64_t remaining_;
    std::vector<float> input_;
    std::vector<std::int16_t> stereo_;
    bool failed_ = false;
};

bool skip_frames(SNDFILE* file, const SF_INFO& info, std::uint64_t frames) {
    if (frames == 0)
        return true;
    if (info.seekable)
        return sf_seek(file, static_cast<sf_count_t>(frames), SEEK_SET) ==
               static_cast<sf_count_t>(frames);
    std::vector<float> buffer(read_frames * static_cast<std::size_t>(info.channels));
    while (frames > 0) {
        auto wanted = static_cast<sf_count_t>(std::min<std::uint64_t>(frames, read_frames));
        sf_count_t got = sf_readf_float(file, buffer.data(), wanted);
        if (got <= 0)
            return false;
        frames -= static_cast<std::uint64_t>(got);
    }
    return true;
}

} // namespace

SoundFileProbe probe_sound_file(const std::string& path) {
    SoundFileProbe probe;
    auto refuse = [&probe, &path](std::string problem) {
        probe.format_tag = wave_format_tag(path);
        // libsndfile's words for MPEG data it cannot decode speak of a missing file.
        probe.problem = probe.format_tag == wave_format_mpeg_layer_3
                            ? "Its MPEG layer 3 data cannot be decoded."
                            : std::move(problem);
        return probe;
    };
    SF_INFO info;
    std::string problem;
    SndFile file = open_wave(path, info, &problem);
    if (!file)
        return refuse(std::move(problem));
    SoundFileFormat format;
    format.rate = static_cast<std::uint32_t>(info.samplerate);
    format.channels = static_cast<std::uint32_t>(info.channels);
    format.frames = info.frames > 0 ? static_cast<std::uint64_t>(info.frames) : 0;
    format.frames_exact = counts_exactly(info.format);
    if (!format.frames_exact && format.frames > 0) {
        // A header over data nothing can decode shows at the first frames.
        std::vector<float> first(read_frames * static_cast<std::size_t>(info.channels));
        if (sf_readf_float(file.get(), first.data(), static_cast<sf_count_t>(read_frames)) <= 0)
            return refuse("No sound could be decoded from it.");
    }
    probe.format = format;
    return probe;
}

std::optional<std::uint64_t> count_decodable_frames(const std::string& path, std::stop_token stop) {
    SF_INFO info;
    SndFile file = open_wave(path, info);
    if (!file)
        return std::nullopt;
    std::vector<float> buffer(read_frames * static_cast<std::size_t>(info.channels));
    std::uint64_t total = 0;
    while (!stop.stop_requested()) {
        sf_count_t got =
            sf_readf_float(file.get(), buffer.data(), static_cast<sf_count_t>(read_frames));
        if (got <= 0)
            return total;
        total += static_cast<std::uint64_t>(got);
    }
    return std::nullopt;
}

bool mpeg_layer_3_decoding_available() {
    static const bool available = [] {
        int count = 0;
        sf_command(nullptr, SFC_GET_FORMAT_SUBTYPE_COUNT, &count, sizeof count);
        for (int i = 0; i < count; ++i) {
            SF_FORMAT_INFO subtype{};
            subtype.format = i;
            if (sf_command(nullptr, SFC_GET_FORMAT_SUBTYPE, &subtype, sizeof subtype) == 0 &&
                subtype.format == SF_FORMAT_MPEG_LAYER_III)
                return true;
        }
        return false;
    }();
    return available;
}

std::unique_ptr<audio::PcmSource> open_sound_file_source(const std::string& path,
                                                         std::uint64_t first, std::uint64_t end,
                                                         bool end_exact) {
    SF_INFO info;
    SndFile file = open_wave(path, info);
    if (!file || end < first || !skip_frames(file.get(), info, first))
        return nullptr;
    return std::make_unique<SoundFileSource>(std::move(file), info, end - first, end_exact);
}

// LinearResampler

LinearResampler::LinearResampler(std::uint32_t input_rate)
    : rate_(input_rate) {}

std::uint64_t LinearResampler::input_index(std::uint64_t output_index) const {
    return output_index * rate_ / audio::output_rate;
}

std::uint64_t LinearResampler::output_frames(std::uint64_t input_frames, std::uint32_t input_rate) {
    // Output frame k samples the input at k * rate / 44100, which must fall inside it.
    return (input_frames * audio::output_rate + input_rate - 1) / input_rate;
}

void LinearResampler::push(const std::int16_t* samples, std::size_t frames) {
    input_.insert(input_.end(), samples, samples + frames * audio::output_channels);
    input_total_ += frames;
}

std::size_t LinearResampler::pull(std::int16_t* samples, std::size_t frames) {
    constexpr std::int64_t out_rate = audio::output_rate;
    // The input position of the next output frame, index + fraction / out_rate,
    // stepped by rate / out_rate rather than divided out for every frame.
    const std::uint64_t position = next_output_ * rate_;
    std::uint64_t index = position / audio::output_rate;
    auto fraction = static_cast<std::int64_t>(position % audio::output_rate);
    const auto whole_step = static_cast<std::int64_t>(rate_ / audio::output_rate);
    const auto fraction_step = static_cast<std::int64_t>(rate_ % audio::output_rate);
    std::size_t made = 0;
    std::int16_t* out = samples;
    while (made < frames && index < input_total_) {
        const bool has_next = index + 1 < input_total_;
        if (!has_next && !ended_ && fraction != 0)
            break; // the next input frame is still to come
        const std::int16_t* a = input_.data() + (index - base_) * audio::output_channels;
        const std::int16_t* b = has_next ? a + audio::output_channels : a;
        for (std::size_t c = 0; c < audio::output_channels; ++c)
            out[c] = static_cast<std::int16_t>(a[c] + (static_cast<std::int64_t>(b[c]) - a[c]) *
                                                          fraction / out_rate);
        out += audio::output_channels;
        ++made;
        index += static_cast<std::uint64_t>(whole_step);
        fraction += fraction_step;
        if (fraction >= out_rate) {
            fraction -= out_rate;
            ++index;
        }
    }
    next_output_ += made;
    std::uint64_t needed = std::min(input_index(next_output_), input_total_);
    if (needed > base_) {
        auto drop = static_cast<std::ptrdiff_t>((needed - base_) * audio::output_channels);
        input_.erase(input_.begin(), input_.begin() + drop);
        base_ = needed;
    }
    return made;
}

bool LinearResampler::finished() const {
    return ended_ && input_index(next_output_) >= input_total_;
}

} // namespace pemmaro
