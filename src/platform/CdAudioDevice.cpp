#include "platform/CdAudioDevice.h"

#include "platform/Ansi.h"
#include "platform/Paths.h"

#include <algorithm>
#include <filesystem>

namespace pemmaro {

namespace {

constexpr std::int32_t sectors_per_minute = 60 * cd_sectors_per_second;

std::uint32_t sectors_as_msf(std::int32_t sectors) {
    sectors = std::max(0, sectors);
    auto minutes = static_cast<std::uint32_t>(std::min(255, sectors / sectors_per_minute));
    auto seconds = static_cast<std::uint32_t>(sectors / cd_sectors_per_second % 60);
    auto frames = static_cast<std::uint32_t>(sectors % cd_sectors_per_second);
    return mci::msf(minutes, seconds, frames);
}

std::uint32_t tmsf(int track, std::int32_t offset) {
    return static_cast<std::uint32_t>(track) | sectors_as_msf(offset) << 8;
}

// Minutes, seconds and frames as sectors; nullopt when seconds or frames overflow.
std::optional<std::int32_t> msf_sectors(std::uint32_t minutes, std::uint32_t seconds,
                                        std::uint32_t frames) {
    if (seconds >= 60 || frames >= static_cast<std::uint32_t>(cd_sectors_per_second))
        return std::nullopt;
    return static_cast<std::int32_t>((minutes * 60 + seconds) * cd_sectors_per_second + frames);
}

} // namespace

// Drives

PhysicalCdDrive::PhysicalCdDrive(std::string device, Opener opener,
                                 std::chrono::milliseconds interval)
    : device_(std::move(device))
    , opener_(std::move(opener))
    , interval_(interval) {}

std::shared_ptr<CdDisc> PhysicalCdDrive::disc() {
    std::unique_lock lock(mutex_);
    const auto now = std::chrono::steady_clock::now();
    if (looking_ || (looked_ && now - *looked_ < interval_))
        return disc_;
    looking_ = true;
    const std::shared_ptr<CdDisc> known = disc_;
    lock.unlock();
    // Opening an empty drive, or one that spins up, is slow: the others go on
    // with what is known meanwhile.
    std::shared_ptr<CdDisc> seen;
    try {
        seen = known && !known->media_changed() ? known : opener_(device_);
    } catch (...) {
        lock.lock();
        looking_ = false;
        throw;
    }
    lock.lock();
    disc_ = std::move(seen);
    looked_ = std::chrono::steady_clock::now();
    looking_ = false;
    return disc_;
}

void CdChanger::set_folder(const std::string& folder) {
    std::lock_guard lock(mutex_);
    if (folder == folder_)
        return;
    folder_ = folder;
    held_.reset();
}

void CdChanger::want(const std::string& identity) {
    std::lock_guard lock(mutex_);
    wanted_ = identity;
}

std::shared_ptr<CdDisc> CdChanger::disc() {
    std::lock_guard lock(mutex_);
    return held_;
}

void CdChanger::load_wanted() {
    std::string identity;
    std::string folder;
    {
        std::lock_guard lock(mutex_);
        if (!wanted_)
            return;
        identity = std::move(*wanted_);
        wanted_.reset();
        if (held_ && held_->identity() == identity)
            return;
        folder = folder_;
    }
    // The images are read without the lock: the drive's disc stays readable.
    std::shared_ptr<CdDisc> found = find(folder, identity);
    std::lock_guard lock(mutex_);
    if (found && folder == folder_)
        held_ = std::move(found);
}

std::shared_ptr<CdDisc> CdChanger::find(const std::string& folder_path,
                                        const std::string& identity) {
    if (folder_path.empty())
        return nullptr;
    std::optional<std::string> folder = resolve_existing_path(folder_path);
    if (!folder)
        return nullptr;
    std::vector<std::filesystem::path> cues;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(*folder, ec)) {
        if (entry.is_regular_file(ec) && same_text(entry.path().extension().string(), ".cue"))
            cues.push_back(entry.path());
    }
    // By name, so the same folder always gives the same disc.
    std::sort(cues.begin(), cues.end());
    for (const auto& cue : cues) {
        auto disc = CdDisc::open_image(cue.string());
        if (disc && disc->identity() == identity)
            return disc;
    }
    return nullptr;
}

// CdAudioDevice

CdAudioDevice::~CdAudioDevice() {
    stop();
}

MciError CdAudioDevice::set_time_format(mci::TimeFormat format) {
    switch (format) {
    case mci::TimeFormat::milliseconds:
    case mci::TimeFormat::msf:
    case mci::TimeFormat::tmsf:
        format_ = format;
        return 0;
    }
    return mci::bad_time_format;
}

std::shared_ptr<CdDisc> CdAudioDevice::current_disc() {
    std::shared_ptr<CdDisc> disc = drive_.disc();
    if (disc == disc_)
        return disc;
    std::string identity = disc ? disc->identity() : std::string();
    if (!disc || !disc_ || identity != disc_identity_) {
        cursor_.rest_at(disc ? disc->tracks().front().start : 0);
    }
    disc_ = disc;
    disc_identity_ = std::move(identity);
    return disc;
}

MciError CdAudioDevice::status(mci::StatusItem item, std::uint32_t track, std::uint32_t& value) {
    std::shared_ptr<CdDisc> disc = current_disc();
    switch (item) {
    case mci::StatusItem::media_present:
        value = disc ? 1 : 0;
        return 0;
    case mci::StatusItem::mode:
        if (!disc) {
            value = mci::mode_open;
            return 0;
        }
        value = cursor_.playing() ? mci::mode_play : mci::mode_stop;
        return 0;
    case mci::StatusItem::number_of_tracks:
        if (!disc)
            return mci::device_not_ready;
        value = static_cast<std::uint32_t>(disc->tracks().size());
        return 0;
    case mci::StatusItem::length:
    case mci::StatusItem::position: {
        if (!disc)
            return mci::device_not_ready;
        bool length = item == mci::StatusItem::length;
        if (track == 0) {
            value = length ? encode_length(disc->end() - disc->tracks().front().start)
                           : encode_position(*disc, position());
            return 0;
        }
        const CdTrack* t = disc->track(static_cast<int>(std::min<std::uint32_t>(track, 255)));
        if (t == nullptr)
            return mci::outofrange;
        if (length)
            value = encode_length(t->length);
        else
            value = format_ == mci::TimeFormat::tmsf ? tmsf(t->number, 0)
                                                     : encode_position(*disc, t->start);
        return 0;
    }
    }
    return mci::unsupported_function;
}

MciError CdAudioDevice::seek(std::uint32_t to) {
    std::shared_ptr<CdDisc> disc = current_disc();
    if (!disc)
        return mci::device_not_ready;
    std::int32_t sector = 0;
    if (MciError error = decode_position(*disc, to, sector))
        return error;
    cursor_.rest_at(sector);
    return 0;
}

MciError CdAudioDevice::play(std::optional<std::uint32_t> from, std::optional<std::uint32_t> to) {
    std::shared_ptr<CdDisc> disc = current_disc();
    if (!disc)
        return mci::device_not_ready;
    std::int32_t first = 0;
    if (!from)
        first = position();
    else if (MciError error = decode_position(*disc, *from, first))
        return error;
    std::int32_t last = 0;
    if (to) {
        if (MciError error = decode_position(*disc, *to, last))
            return error;
    } else {
        // To the end of the audio that follows without a data track between.
        const auto& tracks = disc->tracks();
        last = first;
        for (auto i = static_cast<std::size_t>(&disc->track_at(first) - tracks.data());
             i < tracks.size() && tracks[i].audio; ++i)
            last = std::max(last, tracks[i].start + tracks[i].length);
    }
    if (first > last)
        return mci::outofrange;
    for (const CdTrack& t : disc->tracks()) {
        bool overlaps = t.start < last && first < t.start + t.length;
        if (overlaps && !t.audio)
            return mci::hardware; // a data track has no sound to play
    }
    if (first < last && disc->is_image()) {
        // An image read takes microseconds; a BIN cut short since it was loaded
        // fails here rather than in silence.
        std::vector<std::int16_t> probe(cd_frames_per_sector * audio::output_channels);
        if (!disc->read_audio(first, 1, probe.data()))
            return mci::hardware;
    }
    if (first == last) {
        cursor_.rest_at(first);
        return 0;
    }
    cursor_.play(first, last, [disc, first, last] { return open_cd_source(disc, first, last); });
    return 0;
}

MciError CdAudioDevice::samples(std::uint32_t from, std::uint32_t to,
                                audio::SourceFactory& factory) {
    std::shared_ptr<CdDisc> disc = current_disc();
    if (!disc)
        return mci::device_not_ready;
    std::int32_t first = 0;
    std::int32_t last = 0;
    if (MciError error = decode_position(*disc, from, first))
        return error;
    if (MciError error = decode_position(*disc, to, last))
        return error;
    if (first > last)
        return mci::outofrange;
    factory = [disc, first, last] { return open_cd_source(disc, first, last); };
    return 0;
}

MciError CdAudioDevice::stop() {
    cursor_.stop();
    return 0;
}

std::int32_t CdAudioDevice::position() {
    return static_cast<std::int32_t>(cursor_.position());
}

std::uint32_t CdAudioDevice::encode_position(const CdDisc& disc, std::int32_t sector) const {
    switch (format_) {
    case mci::TimeFormat::milliseconds:
        return static_cast<std::uint32_t>(std::int64_t{sector + cd_lead_in_sectors} * 1000 /
                                          cd_sectors_per_second);
    case mci::TimeFormat::tmsf: {
        const CdTrack& t = disc.track_at(sector);
        return tmsf(t.number, std::max(0, sector - t.start));
    }
    case mci::TimeFormat::msf:
        break;
    }
    return sectors_as_msf(sector + cd_lead_in_sectors);
}

std::uint32_t CdAudioDevice::encode_length(std::int32_t sectors) const {
    if (format_ == mci::TimeFormat::milliseconds)
        return static_cast<std::uint32_t>(std::int64_t{sectors} * 1000 / cd_sectors_per_second);
    return sectors_as_msf(sectors);
}

MciError CdAudioDevice::decode_position(const CdDisc& disc, std::uint32_t value,
                                        std::int32_t& sector) const {
    std::int64_t address = 0;
    switch (format_) {
    case mci::TimeFormat::milliseconds:
        address = std::int64_t{value} * cd_sectors_per_second / 1000 - cd_lead_in_sectors;
        break;
    case mci::TimeFormat::msf: {
        auto sectors =
            msf_sectors(mci::msf_minutes(value), mci::msf_seconds(value), mci::msf_frames(value));
        if (!sectors)
            return mci::outofrange;
        address = *sectors - cd_lead_in_sectors;
        break;
    }
    case mci::TimeFormat::tmsf: {
        const CdTrack* t = disc.track(static_cast<int>(value & 0xFF));
        auto offset = msf_sectors(value >> 8 & 0xFF, value >> 16 & 0xFF, value >> 24);
        if (t == nullptr || !offset || *offset > t->length)
            return mci::outofrange;
        address = t->start + *offset;
        break;
    }
    }
    if (address < disc.tracks().front().start || address > disc.end())
        return mci::outofrange;
    sector = static_cast<std::int32_t>(address);
    return 0;
}

} // namespace pemmaro
