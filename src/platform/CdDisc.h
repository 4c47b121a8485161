#pragma once
// An audio CD read with libcdio, from a drive or from a CUE/BIN image: its table of
// contents, its identity and its audio sectors (little-endian 16-bit stereo at
// 44.1 kHz, 588 frames a sector, 75 sectors a second).

#include "platform/AudioOutput.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace pemmaro {

inline constexpr std::int32_t cd_sectors_per_second = 75;
// Disc positions (MSF) count this lead-in before the first sector.
inline constexpr std::int32_t cd_lead_in_sectors = 150;
inline constexpr std::uint32_t cd_frames_per_sector = 588;

struct CdTrack {
    int number = 0;
    std::int32_t start = 0;  // sector address (LSN)
    std::int32_t length = 0; // sectors of data there really are
    bool audio = false;
};

class CdDisc {
public:
    // nullptr when libcdio cannot read the image (no BIN beside the CUE, no tracks).
    static std::shared_ptr<CdDisc> open_image(const std::string& cue_path);
    // nullptr when the drive cannot be opened or holds no disc.
    static std::shared_ptr<CdDisc> open_drive(const std::string& device);
    ~CdDisc();
    CdDisc(const CdDisc&) = delete;
    CdDisc& operator=(const CdDisc&) = delete;

    const std::vector<CdTrack>& tracks() const { return tracks_; }
    const CdTrack* track(int number) const;
    // The track that holds the sector, or the first one before it.
    const CdTrack& track_at(std::int32_t sector) const;
    std::int32_t end() const { return end_; } // the lead-out's address
    // The number of tracks, then ";" and the start in whole seconds of each of
    // tracks 1..25 that exists (the MSF position's minutes * 60 + seconds).
    std::string identity() const;
    bool is_image() const { return image_; }
    // For drives: whether the disc may have changed since it was read. Never
    // waits for a sector read: a disc being read is there. Any thread.
    bool media_changed();

    // Reads whole sectors into samples (count * 588 stereo frames); false on
    // failure. May be called from any thread.
    bool read_audio(std::int32_t sector, std::uint32_t count, std::int16_t* samples);

    struct Handle;
    CdDisc(std::unique_ptr<Handle> handle, bool image);

private:
    std::unique_ptr<Handle> handle_;
    std::mutex mutex_; // libcdio's handle serves one call at a time
    bool image_;
    std::vector<CdTrack> tracks_;
    std::int32_t end_ = 0;
};

// The CD drives of the machine, in libcdio's order.
std::vector<std::string> cd_drive_names();

// Sectors [first, end) of the disc as output frames; reading stops at the first
// failure. Meant to run on the output thread.
std::unique_ptr<audio::PcmSource> open_cd_source(std::shared_ptr<CdDisc> disc, std::int32_t first,
                                                 std::int32_t end);

} // namespace pemmaro
