#include "platform/MediaDevices.h"

#include "platform/AudioOutput.h"
#include "platform/CdAudioDevice.h"
#include "platform/CdDisc.h"
#include "platform/MediaDevice.h"
#include "platform/Paths.h"
#include "platform/SoundFile.h"
#include "platform/WaveAudioDevice.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QMediaDevices>
#include <atomic>
#include <map>
#include <mutex>
#include <vector>

namespace pemmaro {

namespace {

// The devices' registry. Any thread may open devices (the browsing window
// looks at the CD drive from a worker); a device is then used by the thread
// that opened it, and the drives below are shared safely.
class RealMediaDevices final : public MediaDeviceBackend {
public:
    using MediaDeviceBackend::open;
    MciError open(const mci::OpenParameters& parameters, MciDeviceId& device,
                  std::string& detail) override {
        std::unique_ptr<MediaDevice> opened;
        if (parameters.device_type) {
            if ((*parameters.device_type & 0xFFFF) != mci::devtype_cd_audio)
                return mci::cannot_load_driver;
            std::uint32_t ordinal = *parameters.device_type >> 16;
            CdDrive* drive = cd_drive(ordinal);
            if (drive == nullptr)
                return mci::invalid_device_name;
            if (drive == &changer_)
                changer_.load_wanted();
            opened = std::make_unique<CdAudioDevice>(*drive);
        } else if (parameters.element) {
            if (MciError error = WaveAudioDevice::open(*parameters.element, opened, detail))
                return error;
        } else {
            return mci::cannot_load_driver;
        }
        std::lock_guard lock(mutex_);
        device = next_id_++;
        devices_.emplace(device, std::move(opened));
        return 0;
    }

    MciError set_time_format(MciDeviceId device, mci::TimeFormat format) override {
        MediaDevice* d = find(device);
        return d ? d->set_time_format(format) : mci::invalid_device_id;
    }

    MciError status(MciDeviceId device, mci::StatusItem item, std::uint32_t track,
                    std::uint32_t& value) override {
        MediaDevice* d = find(device);
        return d ? d->status(item, track, value) : mci::invalid_device_id;
    }

    MciError seek(MciDeviceId device, std::uint32_t to) override {
        MediaDevice* d = find(device);
        return d ? d->seek(to) : mci::invalid_device_id;
    }

    MciError play(MciDeviceId device, std::optional<std::uint32_t> from,
                  std::optional<std::uint32_t> to) override {
        MediaDevice* d = find(device);
        return d ? d->play(from, to) : mci::invalid_device_id;
    }

    MciError stop(MciDeviceId device) override {
        MediaDevice* d = find(device);
        return d ? d->stop() : mci::invalid_device_id;
    }

    MciError samples(MciDeviceId device, std::uint32_t from, std::uint32_t to,
                     audio::SourceFactory& factory) override {
        MediaDevice* d = find(device);
        return d ? d->samples(from, to, factory) : mci::invalid_device_id;
    }

    MciError close(MciDeviceId device) override {
        std::unique_ptr<MediaDevice> closing;
        {
            std::lock_guard lock(mutex_);
            auto it = devices_.find(device);
            if (it == devices_.end())
                return mci::invalid_device_id;
            closing = std::move(it->second);
            devices_.erase(it);
        }
        return 0; // the device ends here, outside the lock
    }

    std::uint32_t cd_audio_device_count() override {
        std::lock_guard lock(mutex_);
        return static_cast<std::uint32_t>(drives().size() + 1);
    }

    void want_disc(const std::string& identity) override { changer_.want(identity); }

    void set_cd_image_folder(const std::string& folder) { changer_.set_folder(folder); }

private:
    MediaDevice* find(MciDeviceId device) {
        std::lock_guard lock(mutex_);
        auto it = devices_.find(device);
        return it == devices_.end() ? nullptr : it->second.get();
    }

    // The machine's drives, then the changer.
    CdDrive* cd_drive(std::uint32_t ordinal) {
        std::lock_guard lock(mutex_);
        auto& list = drives();
        if (ordinal < list.size())
            return list[ordinal].get();
        return ordinal == list.size() ? &changer_ : nullptr;
    }

    // Drives are counted once: the program counts its devices at start-up too.
    // Called with the lock held.
    std::vector<std::unique_ptr<PhysicalCdDrive>>& drives() {
        if (!drives_) {
            drives_.emplace();
            for (std::string& name : cd_drive_names())
                drives_->push_back(std::make_unique<PhysicalCdDrive>(std::move(name)));
        }
        return *drives_;
    }

    std::mutex mutex_; // the registry and the list of drives
    // Declared before the devices, which refer to the drives, so they go after them.
    std::optional<std::vector<std::unique_ptr<PhysicalCdDrive>>> drives_;
    CdChanger changer_;
    std::map<MciDeviceId, std::unique_ptr<MediaDevice>> devices_;
    MciDeviceId next_id_ = 1;
};

RealMediaDevices& real_devices() {
    static RealMediaDevices devices;
    return devices;
}

std::atomic<MediaDeviceBackend*> installed_backend = nullptr;

} // namespace

MediaDeviceBackend& media_devices() {
    MediaDeviceBackend* installed = installed_backend;
    return installed != nullptr ? *installed : real_devices();
}

void set_media_device_backend(MediaDeviceBackend* backend) {
    installed_backend = backend;
}

void set_cd_image_folder(const std::string& folder) {
    real_devices().set_cd_image_folder(folder);
}

std::optional<std::string> mci_error_text(MciError error) {
    switch (error) {
    case mci::invalid_device_id:
        return "The device identifier does not name an open device.";
    case mci::hardware:
        return "The device could not read or play this part of the medium.";
    case mci::invalid_device_name:
        return "There is no device of this type or number.";
    case mci::cannot_load_driver:
        return "The device's driver could not be loaded.";
    case mci::unsupported_function:
        return "The device cannot carry out this command.";
    case mci::file_not_found:
        return "The sound file could not be found.";
    case mci::device_not_ready:
        return "The device is not ready; there may be no disc in the drive.";
    case mci::outofrange:
        return "The position or track lies outside the medium.";
    case mci::bad_time_format:
        return "The device does not support this time format.";
    case mci::invalid_file:
        return "The file is not a sound file that can be played.";
    case mci::wave_outputs_in_use:
        return "The audio output is in use.";
    case mci::wave_outputs_unsuitable:
        return "No audio output can play sound in this format.";
    default:
        break;
    }
    if (error >= 256 && error <= 511)
        return "The media device reported an error.";
    return std::nullopt;
}

bool play_sound_file_synchronously(const std::string& path) {
    std::optional<std::string> resolved = resolve_existing_path(path);
    if (!resolved)
        return false;
    const std::optional<SoundFileFormat> format = probe_sound_file(*resolved).format;
    if (!format)
        return false;
    auto playback = audio::AudioOutput::instance().play([file = *resolved, format = *format] {
        return open_sound_file_source(file, 0, format.frames, format.frames_exact);
    });
    // The sound's own length, and room for a sound server that is slow to start.
    auto deadline = audio::Clock::now() +
                    std::chrono::milliseconds(format->frames * 1000 / format->rate) +
                    std::chrono::seconds(5);
    if (!playback->wait_until_drained(deadline))
        audio::AudioOutput::instance().stop(playback);
    return playback->state() == audio::Playback::State::completed;
}

int wave_output_device_count() {
    if (QCoreApplication::instance() == nullptr)
        return 0;
    return static_cast<int>(QMediaDevices::audioOutputs().size());
}

} // namespace pemmaro
