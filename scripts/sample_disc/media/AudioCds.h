#pragma once
// The audio CDs as CUE/BIN images (and optionally as copied WAV tracks).
// The track layout follows the rule the data's disc identity is computed
// with, so the identity of the image can be checked against the data.

#include "BirdSounds.h"

#include <string>
#include <vector>

namespace pemmaro::media {

inline constexpr int cd_rate = 44100;
inline constexpr int frames_per_sector = 588; // 2352 bytes of 16-bit stereo
inline constexpr int sectors_per_second = 75;
inline constexpr int lead_in_sectors = 150;

struct CdSpan {
    std::string key;
    int track = 0;
    int offset_ms = 0;
    int length_ms = 0;
    std::vector<Singer> singers;
};

struct CdLayout {
    std::vector<int> seconds;       // length of track t at t-1
    std::vector<int> start_sectors; // disc sector of track t (from 150) at t-1

    int track_count() const { return static_cast<int>(seconds.size()); }
    // "N;s1;s2;...": track count, then start second of the first 25 tracks.
    std::string identity() const;
};

// N is the highest track of any span; a track lasts 20 s or 3 s beyond the
// end of its last span (whole seconds), whichever is longer.
CdLayout lay_out_cd(const std::vector<CdSpan>& spans);

// "mm:ss:ff" of a sector count.
std::string cue_time(int sectors);
std::string cue_sheet(const CdLayout& layout, const std::string& bin_name,
                      const std::string& title);

struct CdFiles {
    std::string cue_path;
    std::string bin_path;
    std::string title;
    std::string copies_folder; // empty: no copied tracks
};

// Renders every track (stereo, spans at their offsets over light noise) and
// writes the image, the cue sheet and the copies; returns the files written.
std::vector<std::string> write_audio_cd(const CdLayout& layout, const std::vector<CdSpan>& spans,
                                        std::uint64_t seed, const CdFiles& files);

// "03 Track 03.wav".
std::string copied_track_name(int track);

} // namespace pemmaro::media
