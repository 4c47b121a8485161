#pragma once
// The cdaudio device over a CD drive or the virtual CD changer. Positions are
// disc addresses: MSF counts the 2 s lead-in, TMSF is a track and an offset in it;
// track lengths come as MSF in both. One drive may be open as several devices;
// a device is used by the thread that opened it.

#include "platform/CdDisc.h"
#include "platform/MediaDevice.h"
#include "platform/PlaybackCursor.h"

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace pemmaro {

// A drive is shared by the devices open on it, which may belong to different
// threads: its members may be called from any thread.
class CdDrive {
public:
    virtual ~CdDrive() = default;
    // The disc in the drive now, or nullptr.
    virtual std::shared_ptr<CdDisc> disc() = 0;
};

// The drive is looked at (disc changed? table of contents) at most once an
// interval; in between, and while another thread looks, the disc last seen is
// the answer, so a status query never waits for the drive.
class PhysicalCdDrive final : public CdDrive {
public:
    using Opener = std::function<std::shared_ptr<CdDisc>(const std::string& device)>;
    explicit PhysicalCdDrive(std::string device, Opener opener = CdDisc::open_drive,
                             std::chrono::milliseconds interval = std::chrono::seconds(1));
    std::shared_ptr<CdDisc> disc() override;

private:
    std::string device_;
    Opener opener_;
    std::chrono::milliseconds interval_;
    std::mutex mutex_;
    std::shared_ptr<CdDisc> disc_;
    std::optional<std::chrono::steady_clock::time_point> looked_;
    bool looking_ = false;
};

// A folder of CUE/BIN images, one of which may be in the drive. It changes discs
// only when asked for one it has; otherwise it keeps what it holds.
class CdChanger final : public CdDrive {
public:
    void set_folder(const std::string& folder); // a new folder empties the drive
    void want(const std::string& identity);
    // Called at each open: loads the disc last wanted, when the folder has it.
    void load_wanted();
    std::shared_ptr<CdDisc> disc() override;

private:
    static std::shared_ptr<CdDisc> find(const std::string& folder, const std::string& identity);

    std::mutex mutex_;
    std::string folder_;
    std::optional<std::string> wanted_;
    std::shared_ptr<CdDisc> held_;
};

class CdAudioDevice final : public MediaDevice {
public:
    explicit CdAudioDevice(CdDrive& drive)
        : drive_(drive) {} // the drive outlives the device
    ~CdAudioDevice() override;

    MciError set_time_format(mci::TimeFormat format) override;
    MciError status(mci::StatusItem item, std::uint32_t track, std::uint32_t& value) override;
    MciError seek(std::uint32_t to) override;
    MciError play(std::optional<std::uint32_t> from, std::optional<std::uint32_t> to) override;
    MciError stop() override;
    MciError samples(std::uint32_t from, std::uint32_t to, audio::SourceFactory& factory) override;

private:
    // The drive's disc; a different disc resets the position.
    std::shared_ptr<CdDisc> current_disc();
    // The sector now; once the playback has ended it becomes the resting one.
    std::int32_t position();
    std::uint32_t encode_position(const CdDisc& disc, std::int32_t sector) const;
    std::uint32_t encode_length(std::int32_t sectors) const;
    MciError decode_position(const CdDisc& disc, std::uint32_t value, std::int32_t& sector) const;

    CdDrive& drive_;
    mci::TimeFormat format_ = mci::TimeFormat::msf;
    std::shared_ptr<CdDisc> disc_;
    std::string disc_identity_;
    PlaybackCursor cursor_{1, cd_frames_per_sector}; // sectors
};

} // namespace pemmaro
