#pragma once
// A media-device layer for tests: sound files and one audio CD described by
// the test, every command written to a log, failures injected by command.
// Positions are answered in the device's time format, as the real layer does.
// One thread at a time may use it.

#include "platform/MediaDevices.h"

#include <algorithm>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace pemmaro::test {

class FakeMediaDevices : public MediaDeviceBackend {
public:
    struct Track {
        std::uint32_t start_ms = 0; // on the disc
        std::uint32_t length_ms = 0;
    };

    std::map<std::string, std::uint32_t> files; // openable files and their lengths
    bool disc_present = true;
    std::vector<Track> tracks;
    std::uint32_t cd_devices = 1;
    std::uint32_t position_ms = 0; // in the file, or on the disc
    std::uint32_t mode = mci::mode_stop;
    // Keyed by a log line without its device ("status position 3") or by a
    // command's first word ("play"); the command answers with the error.
    std::map<std::string, MciError> failures;
    // What a failed open says besides its error number.
    std::string open_detail;
    std::vector<std::string> log;
    std::thread::id caller; // the thread of the last command

    using MediaDeviceBackend::open;
    MciError open(const mci::OpenParameters& parameters, MciDeviceId& device,
                  std::string& detail) override {
        std::string line = "open";
        if (parameters.device_type)
            line += " cd " + std::to_string(*parameters.device_type >> 16) + " type " +
                    std::to_string(*parameters.device_type & 0xFFFF);
        if (parameters.element)
            line += " file " + *parameters.element;
        if (parameters.shareable)
            line += " shareable";
        if (const MciError error = record(line)) {
            detail = open_detail;
            return error;
        }
        Device opened;
        if (parameters.element) {
            if (!files.contains(*parameters.element))
                return mci::file_not_found;
            opened.element = *parameters.element;
        } else if (parameters.device_type) {
            if ((*parameters.device_type >> 16) >= cd_devices)
                return mci::invalid_device_name;
            opened.cd = true;
        } else {
            return mci::cannot_load_driver;
        }
        device = next_device_++;
        devices_[device] = opened;
        return 0;
    }

    MciError set_time_format(MciDeviceId device, mci::TimeFormat format) override {
        const char* name = format == mci::TimeFormat::milliseconds ? "ms"
                           : format == mci::TimeFormat::msf        ? "msf"
                                                                   : "tmsf";
        if (const MciError error = record(std::string("format ") + name))
            return error;
        if (!devices_.contains(device))
            return mci::invalid_device_id;
        devices_[device].format = format;
        return 0;
    }

    MciError status(MciDeviceId device, mci::StatusItem item, std::uint32_t track,
                    std::uint32_t& value) override {
        static const char* const names[] = {"",     "length",       "position", "number_of_tracks",
                                            "mode", "media_present"};
        std::string line = std::string("status ") + names[static_cast<int>(item)];
        if (track != 0)
            line += " " + std::to_string(track);
        if (const MciError error = record(line))
            return error;
        if (!devices_.contains(device))
            return mci::invalid_device_id;
        const Device& d = devices_[device];
        if (d.cd && !disc_present && item != mci::StatusItem::media_present &&
            item != mci::StatusItem::mode)
            return mci::device_not_ready;
        if (track > tracks.size())
            return mci::outofrange;
        switch (item) {
        case mci::StatusItem::length:
            value = d.cd ? encode(d, track ? tracks[track - 1].length_ms : disc_length(), 0)
                         : file_length(d);
            break;
        case mci::StatusItem::position:
            value = track ? encode(d, tracks[track - 1].start_ms, track)
                          : encode(d, position_ms, track_at(position_ms));
            break;
        case mci::StatusItem::number_of_tracks:
            value = static_cast<std::uint32_t>(tracks.size());
            break;
        case mci::StatusItem::mode:
            value = mode;
            break;
        case mci::StatusItem::media_present:
            value = d.cd ? disc_present : 1;
            break;
        }
        return 0;
    }

    MciError seek(MciDeviceId device, std::uint32_t to) override {
        if (const MciError error = command(device, "seek " + std::to_string(to)))
            return error;
        // As the real device, a file refuses a place beyond its end.
        const Device& d = devices_[device];
        return !d.cd && to > file_length(d) ? mci::outofrange : 0;
    }
    MciError play(MciDeviceId device, std::optional<std::uint32_t> from,
                  std::optional<std::uint32_t> to) override {
        const MciError error = command(device, "play " + (from ? std::to_string(*from) : "-") +
                                                   " " + (to ? std::to_string(*to) : "-"));
        if (error == 0)
            mode = mci::mode_play;
        return error;
    }
    MciError stop(MciDeviceId device) override {
        const MciError error = command(device, "stop");
        if (error == 0)
            mode = mci::mode_stop;
        return error;
    }
    MciError close(MciDeviceId device) override {
        const MciError error = command(device, "close");
        devices_.erase(device);
        return error;
    }
    std::uint32_t cd_audio_device_count() override { return cd_devices; }
    void want_disc(const std::string& identity) override { log.push_back("want_disc " + identity); }

    std::size_t open_devices() const { return devices_.size(); }
    bool logged(const std::string& line) const {
        for (const std::string& entry : log) {
            if (entry == line)
                return true;
        }
        return false;
    }
    std::size_t count(const std::string& first_word) const {
        std::size_t n = 0;
        for (const std::string& entry : log)
            n += entry.substr(0, entry.find(' ')) == first_word;
        return n;
    }

private:
    struct Device {
        bool cd = false;
        std::string element;
        mci::TimeFormat format = mci::TimeFormat::milliseconds;
    };

    // As a file's length may become known only after the open, it is read at each status.
    std::uint32_t file_length(const Device& d) const {
        auto it = files.find(d.element);
        return it == files.end() ? 0 : it->second;
    }

    MciError record(const std::string& line) {
        caller = std::this_thread::get_id();
        log.push_back(line);
        if (auto it = failures.find(line); it != failures.end())
            return it->second;
        if (auto it = failures.find(line.substr(0, line.find(' '))); it != failures.end())
            return it->second;
        return 0;
    }
    MciError command(MciDeviceId device, const std::string& line) {
        if (const MciError error = record(line))
            return error;
        return devices_.contains(device) ? 0 : mci::invalid_device_id;
    }
    std::uint32_t disc_length() const {
        return tracks.empty() ? 0 : tracks.back().start_ms + tracks.back().length_ms;
    }
    std::uint32_t track_at(std::uint32_t ms) const {
        std::uint32_t track = 1;
        for (std::uint32_t i = 0; i < tracks.size(); ++i) {
            if (tracks[i].start_ms <= ms)
                track = i + 1;
        }
        return track;
    }
    // TMSF positions count from the start of their track.
    std::uint32_t encode(const Device& d, std::uint32_t ms, std::uint32_t track) const {
        if (d.format == mci::TimeFormat::milliseconds)
            return ms;
        if (d.format == mci::TimeFormat::tmsf && track != 0 && track <= tracks.size())
            ms -= std::min(ms, tracks[track - 1].start_ms);
        const std::uint32_t m = ms / 60000, s = ms / 1000 % 60, f = ms % 1000 * 75 / 1000;
        if (d.format == mci::TimeFormat::msf)
            return mci::msf(m, s, f);
        return track | m << 8 | s << 16 | f << 24;
    }

    std::map<MciDeviceId, Device> devices_;
    MciDeviceId next_device_ = 1;
};

// Installs a fake for the life of the object.
class ScopedFakeMediaDevices {
public:
    ScopedFakeMediaDevices() { set_media_device_backend(&devices); }
    ~ScopedFakeMediaDevices() { set_media_device_backend(nullptr); }
    ScopedFakeMediaDevices(const ScopedFakeMediaDevices&) = delete;
    ScopedFakeMediaDevices& operator=(const ScopedFakeMediaDevices&) = delete;

    FakeMediaDevices devices;
};

} // namespace pemmaro::test
