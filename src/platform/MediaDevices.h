#pragma once
// The media devices: an MCI-like command layer over sound files (libsndfile)
// and audio CDs (libcdio: CD drives and a virtual CD changer of CUE/BIN
// images), playing through one audio output (Qt Multimedia, or a silent output
// that keeps time when the machine has no audio device).
//
// Callers see device identifiers, commands and MCI error numbers, as the
// players are built on them. Positions and lengths are in the device's time
// format: milliseconds, MSF (m | s << 8 | f << 16) or TMSF
// (t | m << 8 | s << 16 | f << 24), a CD frame being 1/75 s.
//
// Threads: commands never block on decoding; decoding and filling the output
// run on worker threads. Devices are opened on the user-interface thread, and
// CD devices also on a worker that looks at the drive for the status line; a
// device is used by the thread that opened it.

#include "platform/AudioOutput.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pemmaro {

using MciDeviceId = std::uint32_t; // 0: no device
using MciError = std::uint32_t;    // 0: success

namespace mci {

// Error numbers (their texts come from error_text).
inline constexpr MciError invalid_device_id = 257;
inline constexpr MciError hardware = 262;
inline constexpr MciError invalid_device_name = 263; // no device of that type or ordinal
inline constexpr MciError cannot_load_driver = 266;
inline constexpr MciError unsupported_function = 274;
inline constexpr MciError file_not_found = 275;
inline constexpr MciError device_not_ready = 276;
inline constexpr MciError outofrange = 282;
inline constexpr MciError bad_time_format = 293;
inline constexpr MciError invalid_file = 296;
inline constexpr MciError wave_outputs_unsuitable = 326;
inline constexpr MciError wave_outputs_in_use = 320;

inline constexpr std::uint32_t devtype_cd_audio = 516;
inline constexpr std::uint32_t mode_not_ready = 524;
inline constexpr std::uint32_t mode_stop = 525;
inline constexpr std::uint32_t mode_play = 526;
inline constexpr std::uint32_t mode_seek = 527;
inline constexpr std::uint32_t mode_pause = 529;
inline constexpr std::uint32_t mode_open = 530;

enum class TimeFormat : std::uint32_t { milliseconds = 0, msf = 2, tmsf = 10 };
enum class StatusItem : std::uint32_t {
    length = 1,
    position = 2,
    number_of_tracks = 3,
    mode = 4,
    media_present = 5
};

struct OpenParameters {
    // Low word the device type (devtype_cd_audio), high word the drive's ordinal.
    std::optional<std::uint32_t> device_type;
    std::optional<std::string> element; // a sound file
    bool shareable = false;
};

inline std::uint32_t msf(std::uint32_t minutes, std::uint32_t seconds, std::uint32_t frames) {
    return minutes | seconds << 8 | frames << 16;
}
inline std::uint32_t msf_minutes(std::uint32_t value) {
    return value & 0xFF;
}
inline std::uint32_t msf_seconds(std::uint32_t value) {
    return (value >> 8) & 0xFF;
}
inline std::uint32_t msf_frames(std::uint32_t value) {
    return (value >> 16) & 0xFF;
}

} // namespace mci

// The seam through which players reach the devices; tests install a fake.
class MediaDeviceBackend {
public:
    virtual ~MediaDeviceBackend() = default;
    // detail: on failure, what the device knows beyond the error number (why a
    // file that is there cannot be played), as a sentence; empty otherwise.
    virtual MciError open(const mci::OpenParameters& parameters, MciDeviceId& device,
                          std::string& detail) = 0;
    MciError open(const mci::OpenParameters& parameters, MciDeviceId& device) {
        std::string detail;
        return open(parameters, device, detail);
    }
    virtual MciError set_time_format(MciDeviceId device, mci::TimeFormat format) = 0;
    // track 0: the item of the whole medium; else of that track (CD: length and
    // position of the track).
    virtual MciError status(MciDeviceId device, mci::StatusItem item, std::uint32_t track,
                            std::uint32_t& value) = 0;
    virtual MciError seek(MciDeviceId device, std::uint32_t to) = 0;
    // Returns at once; playing goes on until `to` (or the end) is reached.
    virtual MciError play(MciDeviceId device, std::optional<std::uint32_t> from,
                          std::optional<std::uint32_t> to) = 0;
    virtual MciError stop(MciDeviceId device) = 0;
    // The decoded frames of [from, to] (current time format) exactly as play
    // hands them to the output, for analysis on a worker: the factory may run
    // on any thread, also after the device closed.
    virtual MciError samples(MciDeviceId /*device*/, std::uint32_t /*from*/, std::uint32_t /*to*/,
                             audio::SourceFactory& /*factory*/) {
        return mci::unsupported_function;
    }
    virtual MciError close(MciDeviceId device) = 0;
    // The number of CD audio devices (drives and the virtual changer).
    virtual std::uint32_t cd_audio_device_count() = 0;
    // The virtual changer loads the image with this disc identity at the next
    // open, when its folder has one; drives ignore it.
    virtual void want_disc(const std::string& identity) = 0;
};

// The backend in use: the real devices unless a test installed another.
MediaDeviceBackend& media_devices();
// Non-owning; nullptr restores the real devices.
void set_media_device_backend(MediaDeviceBackend* backend);

// The text for an error number, like mciGetErrorString; none when unknown.
std::optional<std::string> mci_error_text(MciError error);

// Plays a WAV file to its end before returning (spoken species names).
bool play_sound_file_synchronously(const std::string& path);
// The number of audio outputs of the machine (0 when there is none).
int wave_output_device_count();

// The virtual CD changer's folder of CUE/BIN images, set by start-up from
// "Audio CD Image Folder" (empty: no images). A new folder empties the
// changer. Each image is a CUE file with its BIN beside it under the same
// name ("Disc.cue", "Disc.bin"): libcdio reads that BIN.
void set_cd_image_folder(const std::string& folder);

} // namespace pemmaro
