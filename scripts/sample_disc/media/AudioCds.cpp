#include "AudioCds.h"

#include "MediaCommon.h"
#include "SoundFiles.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>

namespace pemmaro::media {

namespace {

// The image is little-endian and written straight from memory.
static_assert(std::endian::native == std::endian::little);

std::string two_digits(int n) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", n);
    return text;
}

std::int16_t to_pcm(float value) {
    return static_cast<std::int16_t>(std::lround(std::clamp(value, -1.0f, 1.0f) * 32767.0f));
}

// The track's samples, interleaved left and right.
std::vector<std::int16_t> render_track(int track, int seconds, const std::vector<CdSpan>& spans,
                                       std::uint64_t seed) {
    const std::size_t frames = static_cast<std::size_t>(seconds) * cd_rate;
    std::vector<float> left(frames, 0.0f);
    std::vector<float> right(frames, 0.0f);
    add_background(left, cd_rate, seed_of({static_cast<std::int64_t>(seed), track, 1}), 0.006);
    add_background(right, cd_rate, seed_of({static_cast<std::int64_t>(seed), track, 2}), 0.006);
    for (const CdSpan& span : spans) {
        if (span.track != track || span.length_ms <= 0 || span.singers.empty())
            continue;
        const std::size_t start = static_cast<std::size_t>(span.offset_ms) * cd_rate / 1000;
        const std::size_t length = static_cast<std::size_t>(span.length_ms) * cd_rate / 1000;
        if (start >= frames)
            continue;
        std::vector<float> song(std::min(length, frames - start), 0.0f);
        std::uint64_t singer_seed = text_hash(span.key);
        for (const Singer& singer : span.singers) {
            singer_seed = mix_bits(singer_seed);
            add_song(song, cd_rate, singer, singer_seed);
        }
        // Constant power panning, unity in the centre.
        const double angle = (span.singers.front().voice.pan + 1) * std::numbers::pi / 4;
        const auto left_gain = static_cast<float>(std::cos(angle) * std::numbers::sqrt2);
        const auto right_gain = static_cast<float>(std::sin(angle) * std::numbers::sqrt2);
        for (std::size_t i = 0; i < song.size(); ++i) {
            left[start + i] += left_gain * song[i];
            right[start + i] += right_gain * song[i];
        }
    }
    std::vector<std::int16_t> pcm(2 * frames);
    for (std::size_t i = 0; i < frames; ++i) {
        pcm[2 * i] = to_pcm(left[i]);
        pcm[2 * i + 1] = to_pcm(right[i]);
    }
    return pcm;
}

std::string quoted(std::string text) {
    std::replace(text.begin(), text.end(), '"', '\'');
    return "\"" + text + "\"";
}

} // namespace

std::string CdLayout::identity() const {
    std::string text = std::to_string(track_count());
    for (int t = 0; t < std::min(track_count(), 25); ++t)
        text +=
            ";" + std::to_string(start_sectors[static_cast<std::size_t>(t)] / sectors_per_second);
    return text;
}

CdLayout lay_out_cd(const std::vector<CdSpan>& spans) {
    int track_count = 0;
    for (const CdSpan& span : spans)
        track_count = std::max(track_count, span.track);
    CdLayout layout;
    layout.seconds.assign(static_cast<std::size_t>(track_count), 20);
    for (const CdSpan& span : spans) {
        if (span.track < 1)
            continue;
        const int end_ms = span.offset_ms + span.length_ms;
        const int needed = (end_ms + 999) / 1000 + 3;
        int& seconds = layout.seconds[static_cast<std::size_t>(span.track - 1)];
        seconds = std::max(seconds, needed);
    }
    int sector = lead_in_sectors;
    for (int seconds : layout.seconds) {
        layout.start_sectors.push_back(sector);
        sector += sectors_per_second * seconds;
    }
    return layout;
}

std::string cue_time(int sectors) {
    const int minutes = sectors / (60 * sectors_per_second);
    const int seconds = sectors / sectors_per_second % 60;
    const int frames = sectors % sectors_per_second;
    return two_digits(minutes) + ":" + two_digits(seconds) + ":" + two_digits(frames);
}

std::string cue_sheet(const CdLayout& layout, const std::string& bin_name,
                      const std::string& title) {
    std::string cue;
    if (!title.empty())
        cue += "TITLE " + quoted(title) + "\r\n";
    cue += "FILE " + quoted(bin_name) + " BINARY\r\n";
    for (int t = 1; t <= layout.track_count(); ++t) {
        const int start = layout.start_sectors[static_cast<std::size_t>(t - 1)] - lead_in_sectors;
        cue += "  TRACK " + two_digits(t) + " AUDIO\r\n";
        cue += "    INDEX 01 " + cue_time(start) + "\r\n";
    }
    return cue;
}

std::string copied_track_name(int track) {
    return two_digits(track) + " Track " + two_digits(track) + ".wav";
}

std::vector<std::string> write_audio_cd(const CdLayout& layout, const std::vector<CdSpan>& spans,
                                        std::uint64_t seed, const CdFiles& files) {
    std::vector<std::string> written;
    make_parent_folders(files.bin_path);
    const ScratchFile bin_part(temporary_path_for(files.bin_path));
    {
        std::ofstream bin(bin_part.path(), std::ios::binary | std::ios::trunc);
        for (int t = 1; t <= layout.track_count(); ++t) {
            const std::vector<std::int16_t> pcm =
                render_track(t, layout.seconds[static_cast<std::size_t>(t - 1)], spans, seed);
            bin.write(reinterpret_cast<const char*>(pcm.data()),
                      static_cast<std::streamsize>(pcm.size() * sizeof(std::int16_t)));
            if (!files.copies_folder.empty()) {
                const std::string copy =
                    (std::filesystem::path(files.copies_folder) / copied_track_name(t)).string();
                write_pcm_wav(copy, cd_rate, 2, pcm);
                written.push_back(copy);
            }
        }
        if (!bin)
            throw MediaError("cannot write " + bin_part.path());
    }
    move_into_place(bin_part.path(), files.bin_path);
    written.push_back(files.bin_path);
    const std::string bin_name = std::filesystem::path(files.bin_path).filename().string();
    write_file_atomically(files.cue_path, cue_sheet(layout, bin_name, files.title));
    written.push_back(files.cue_path);
    return written;
}

} // namespace pemmaro::media
