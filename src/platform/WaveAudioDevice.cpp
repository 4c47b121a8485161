#include "platform/WaveAudioDevice.h"

#include "platform/Paths.h"

#include <algorithm>
#include <limits>

namespace pemmaro {

MciError undecodable_file_error(std::uint16_t format_tag, bool mpeg_layer_3_decoder) {
    return format_tag == wave_format_mpeg_layer_3 && !mpeg_layer_3_decoder
               ? mci::wave_outputs_unsuitable
               : mci::invalid_file;
}

MciError WaveAudioDevice::open(const std::string& element, std::unique_ptr<MediaDevice>& device,
                               std::string& detail) {
    std::optional<std::string> path = resolve_existing_path(element);
    if (!path || !data_file_exists(*path))
        return mci::file_not_found;
    SoundFileProbe probe = probe_sound_file(*path);
    if (!probe.format) {
        detail = std::move(probe.problem);
        return undecodable_file_error(probe.format_tag, mpeg_layer_3_decoding_available());
    }
    device = std::make_unique<WaveAudioDevice>(std::move(*path), *probe.format);
    return 0;
}

namespace {

std::uint32_t milliseconds_of(std::uint64_t frames, std::uint32_t rate) {
    return static_cast<std::uint32_t>(
        std::min<std::uint64_t>(frames * 1000 / rate, std::numeric_limits<std::uint32_t>::max()));
}

} // namespace

WaveAudioDevice::WaveAudioDevice(std::string path, SoundFileFormat format)
    : path_(std::move(path))
    , format_(format)
    , length_(milliseconds_of(format.frames, format.rate))
    , longest_length_(length_) {
    if (format_.frames_exact)
        return;
    counter_ = std::jthread([this, path = path_](std::stop_token stop) {
        if (std::optional<std::uint64_t> frames = count_decodable_frames(path, stop)) {
            counted_frames_ = *frames;
            counted_ = true;
        }
    });
}

void WaveAudioDevice::learn_length() {
    if (format_.frames_exact || !counted_)
        return;
    format_.frames = counted_frames_;
    format_.frames_exact = true;
    length_ = milliseconds_of(format_.frames, format_.rate);
    longest_length_ = std::max(longest_length_, length_);
}

WaveAudioDevice::~WaveAudioDevice() {
    stop();
}

MciError WaveAudioDevice::set_time_format(mci::TimeFormat format) {
    return format == mci::TimeFormat::milliseconds ? 0 : mci::bad_time_format;
}

MciError WaveAudioDevice::status(mci::StatusItem item, std::uint32_t track, std::uint32_t& value) {
    learn_length();
    switch (item) {
    case mci::StatusItem::length:
    case mci::StatusItem::position:
        if (track > 1)
            return mci::outofrange;
        value = item == mci::StatusItem::length ? length_ : position();
        return 0;
    case mci::StatusItem::number_of_tracks:
    case mci::StatusItem::media_present:
        value = 1;
        return 0;
    case mci::StatusItem::mode:
        value = cursor_.playing() ? mci::mode_play : mci::mode_stop;
        return 0;
    }
    return mci::unsupported_function;
}

MciError WaveAudioDevice::seek(std::uint32_t to) {
    learn_length();
    if (to > longest_length_)
        return mci::outofrange;
    cursor_.rest_at(std::min(to, length_));
    return 0;
}

MciError WaveAudioDevice::play(std::optional<std::uint32_t> from, std::optional<std::uint32_t> to) {
    learn_length();
    std::uint32_t first = from.value_or(position());
    std::uint32_t last = to.value_or(length_);
    if (first > longest_length_ || last > longest_length_ || first > last)
        return mci::outofrange;
    first = std::min(first, length_);
    last = std::min(last, length_);
    if (first == last) {
        cursor_.rest_at(first);
        return 0;
    }
    cursor_.play(first, last, source(first, last));
    return 0;
}

MciError WaveAudioDevice::samples(std::uint32_t from, std::uint32_t to,
                                  audio::SourceFactory& factory) {
    learn_length();
    if (from > longest_length_ || to > longest_length_ || from > to)
        return mci::outofrange;
    factory = source(std::min(from, length_), std::min(to, length_));
    return 0;
}

audio::SourceFactory WaveAudioDevice::source(std::uint32_t first, std::uint32_t last) const {
    return
        [path = path_, begin = frame_at(first), end = frame_at(last),
         exact = format_.frames_exact] { return open_sound_file_source(path, begin, end, exact); };
}

MciError WaveAudioDevice::stop() {
    cursor_.stop();
    return 0;
}

std::uint32_t WaveAudioDevice::position() {
    // A sound that played to an estimated end stopped at the real one.
    return static_cast<std::uint32_t>(std::min<std::int64_t>(cursor_.position(), length_));
}

std::uint64_t WaveAudioDevice::frame_at(std::uint32_t ms) const {
    // The last millisecond holds the frames the rounding of the length left out.
    if (ms >= length_)
        return format_.frames;
    return std::min<std::uint64_t>(format_.frames, std::uint64_t{ms} * format_.rate / 1000);
}

} // namespace pemmaro
