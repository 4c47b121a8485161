#include "platform/CdDisc.h"

#include "platform/Log.h"

#include <algorithm>
#include <bit>
#include <cdio/cdio.h>
#include <cdio/logging.h>
#include <cstring>

namespace pemmaro {

namespace {

constexpr std::uint32_t sectors_per_read = 8;

// libcdio writes its warnings (a missing BIN, a short pregap) to standard error.
void cdio_log(cdio_log_level_t level, const char* message) {
    if (level >= CDIO_LOG_ERROR)
        log_line(std::string("libcdio: ") + message);
}

void quiet_libcdio() {
    static std::once_flag once;
    std::call_once(once, [] { cdio_log_set_handler(cdio_log); });
}

struct CdioCloser {
    void operator()(CdIo_t* cdio) const { cdio_destroy(cdio); }
};

struct DeviceListFree {
    void operator()(char** list) const { cdio_free_device_list(list); }
};

} // namespace

struct CdDisc::Handle {
    std::unique_ptr<CdIo_t, CdioCloser> cdio;
};

namespace {

// Tracks as the disc really holds them: a BIN shorter than its CUE cuts the
// tracks it does not reach.
bool read_toc(CdIo_t* cdio, std::vector<CdTrack>& tracks, std::int32_t& end) {
    track_t first = cdio_get_first_track_num(cdio);
    track_t count = cdio_get_num_tracks(cdio);
    if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK || count == 0)
        return false;
    lsn_t leadout = cdio_get_track_lsn(cdio, CDIO_CDROM_LEADOUT_TRACK);
    if (leadout == CDIO_INVALID_LSN || leadout < 0)
        return false;
    end = leadout;
    for (int number = first; number < first + count; ++number) {
        auto t = static_cast<track_t>(number);
        lsn_t start = cdio_get_track_lsn(cdio, t);
        if (start == CDIO_INVALID_LSN || start < 0)
            return false;
        tracks.push_back({number, start, 0, cdio_get_track_format(cdio, t) == TRACK_FORMAT_AUDIO});
    }
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        std::int32_t next = i + 1 < tracks.size() ? tracks[i + 1].start : end;
        tracks[i].length = std::max(0, std::min(next, end) - tracks[i].start);
    }
    return true;
}

std::shared_ptr<CdDisc> make_disc(CdIo_t* opened, bool image) {
    if (opened == nullptr)
        return nullptr;
    auto handle = std::make_unique<CdDisc::Handle>();
    handle->cdio.reset(opened);
    return std::make_shared<CdDisc>(std::move(handle), image);
}

} // namespace

CdDisc::CdDisc(std::unique_ptr<Handle> handle, bool image)
    : handle_(std::move(handle))
    , image_(image) {
    if (!read_toc(handle_->cdio.get(), tracks_, end_))
        tracks_.clear();
}

CdDisc::~CdDisc() = default;

std::shared_ptr<CdDisc> CdDisc::open_image(const std::string& cue_path) {
    quiet_libcdio();
    auto disc = make_disc(cdio_open_cue(cue_path.c_str()), true);
    return disc && !disc->tracks_.empty() ? disc : nullptr;
}

std::shared_ptr<CdDisc> CdDisc::open_drive(const std::string& device) {
    quiet_libcdio();
    auto disc = make_disc(cdio_open(device.c_str(), DRIVER_DEVICE), false);
    return disc && !disc->tracks_.empty() ? disc : nullptr;
}

const CdTrack* CdDisc::track(int number) const {
    auto it = std::find_if(tracks_.begin(), tracks_.end(),
                           [number](const CdTrack& t) { return t.number == number; });
    return it == tracks_.end() ? nullptr : &*it;
}

const CdTrack& CdDisc::track_at(std::int32_t sector) const {
    auto it = std::upper_bound(tracks_.begin(), tracks_.end(), sector,
                               [](std::int32_t s, const CdTrack& t) { return s < t.start; });
    return it == tracks_.begin() ? tracks_.front() : *(it - 1);
}

std::string CdDisc::identity() const {
    std::string text = std::to_string(tracks_.size());
    int listed = static_cast<int>(std::min<std::size_t>(tracks_.size(), 25));
    for (int number = 1; number <= listed; ++number) {
        if (const CdTrack* t = track(number))
            text += ";" + std::to_string((t->start + cd_lead_in_sectors) / cd_sectors_per_second);
    }
    return text;
}

bool CdDisc::media_changed() {
    if (image_)
        return false;
    std::unique_lock lock(mutex_, std::try_to_lock);
    if (!lock)
        return false; // a read is under way, so the disc is there
    return cdio_get_media_changed(handle_->cdio.get()) != 0;
}

bool CdDisc::read_audio(std::int32_t sector, std::uint32_t count, std::int16_t* samples) {
    if (sector < 0 || count == 0 || static_cast<std::int64_t>(sector) + count > end_)
        return false;
    std::lock_guard lock(mutex_);
    if (cdio_read_audio_sectors(handle_->cdio.get(), samples, sector, count) != DRIVER_OP_SUCCESS)
        return false;
    if constexpr (std::endian::native == std::endian::big) {
        for (std::size_t i = 0; i < count * cd_frames_per_sector * 2; ++i) {
            auto value = static_cast<std::uint16_t>(samples[i]);
            samples[i] =
                static_cast<std::int16_t>(static_cast<std::uint16_t>(value >> 8 | value << 8));
        }
    }
    return true;
}

std::vector<std::string> cd_drive_names() {
    quiet_libcdio();
    std::vector<std::string> names;
    std::unique_ptr<char*, DeviceListFree> list(cdio_get_devices(DRIVER_DEVICE));
    for (char** name = list.get(); name != nullptr && *name != nullptr; ++name)
        names.emplace_back(*name);
    return names;
}

namespace {

class CdSource final : public audio::PcmSource {
public:
    CdSource(std::shared_ptr<CdDisc> disc, std::int32_t first, std::int32_t end)
        : disc_(std::move(disc))
        , next_(first)
        , end_(end)
        , buffer_(sectors_per_read * cd_frames_per_sector * audio::output_channels) {}

    std::size_t read(std::int16_t* samples, std::size_t frames) override {
        std::size_t made = 0;
        while (made < frames) {
            if (available_ == 0 && !read_sectors())
                break;
            std::size_t n = std::min(available_, frames - made);
            std::memcpy(samples + made * audio::output_channels,
                        buffer_.data() + offset_ * audio::output_channels,
                        n * audio::output_channels * sizeof(std::int16_t));
            made += n;
            offset_ += n;
            available_ -= n;
        }
        return made;
    }

    bool failed() const override { return failed_; }

private:
    bool read_sectors() {
        if (next_ >= end_ || failed_)
            return false;
        auto count = static_cast<std::uint32_t>(
            std::min<std::int32_t>(end_ - next_, static_cast<std::int32_t>(sectors_per_read)));
        if (!disc_->read_audio(next_, count, buffer_.data())) {
            failed_ = true;
            return false;
        }
        next_ += static_cast<std::int32_t>(count);
        offset_ = 0;
        available_ = count * cd_frames_per_sector;
        return true;
    }

    std::shared_ptr<CdDisc> disc_;
    std::int32_t next_;
    std::int32_t end_;
    std::vector<std::int16_t> buffer_;
    std::size_t offset_ = 0;
    std::size_t available_ = 0;
    bool failed_ = false;
};

} // namespace

std::unique_ptr<audio::PcmSource> open_cd_source(std::shared_ptr<CdDisc> disc, std::int32_t first,
                                                 std::int32_t end) {
    if (!disc || first < 0 || end < first || end > disc->end())
        return nullptr;
    return std::make_unique<CdSource>(std::move(disc), first, end);
}

} // namespace pemmaro
