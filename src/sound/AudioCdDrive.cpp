#include "sound/AudioCdDrive.h"

#include "common/GeneralSettings.h"
#include "common/LanguageTexts.h"
#include "common/Product.h"
#include "common/SettingsFile.h"
#include "data/DataSet.h"
#include "platform/Messages.h"

#include <algorithm>
#include <memory>

namespace pemmaro {

namespace {

constexpr int highest_drive = 4;
constexpr std::uint32_t identity_track_limit = 25;

struct AudioCdState {
    std::optional<int> device_count;
};

AudioCdState& state() {
    static AudioCdState instance;
    return instance;
}

std::string disc_description(const std::string& identity) {
    if (const Tdata* loaded = data()) {
        for (const auto& entry : loaded->audio_cds) {
            if (entry.object->media_text_3 == identity)
                return text(audio_cd_2::in_the_drive) + " " + entry.object->media_text_2;
        }
    }
    return text(audio_cd_2::in_the_drive) + " " + text(audio_cd_2::unknown_disc);
}

// A device only asked about its drive, silently: unlike a CD player it
// touches no state of the user-interface thread, so any thread may use it.
class DriveQuery final : public TMCIDevicePlayer {
public:
    bool Play(bool) override { return false; }
    bool GetPosition(int& position) override {
        position = 0;
        return false;
    }
    bool IsMediaPresent() override { return false; }
};

} // namespace

int chosen_audio_cd_drive() {
    const long drive = read_integer(general_settings::section, general_settings::audio_cd_drive,
                                    general_settings::audio_cd_drive_default);
    return static_cast<int>(std::clamp<long>(drive, 1, highest_drive));
}

bool set_chosen_audio_cd_drive(int drive) {
    return write_integer(general_settings::section, general_settings::audio_cd_drive, drive);
}

int cd_audio_device_count() {
    std::optional<int>& count = state().device_count;
    if (!count)
        count = static_cast<int>(media_devices().cd_audio_device_count());
    return *count;
}

void initialise_audio_cds() {
    state().device_count.reset();
    cd_audio_device_count();
    audio_cd_key_checker();
}

bool Taudio_CD_key_checker::check(const std::string& cd_name, const std::string& stored_identity,
                                  const std::string& identity_read) {
    if (stored_identity == identity_read) {
        *this = Taudio_CD_key_checker();
        return true;
    }
    if (accepted_ && accepted_stored_identity_ == stored_identity &&
        accepted_identity_read_ == identity_read)
        return true;
    const std::string question = text(audio_cd::not_the_expected_cd) + " \"" + cd_name + "\". " +
                                 text(audio_cd::play_anyway);
    if (message(question, MessageIcon::none, MessageButtons::ok_cancel, MessageDefault::second) ==
        MessageAnswer::ok) {
        accepted_stored_identity_ = stored_identity;
        accepted_identity_read_ = identity_read;
        accepted_ = true;
        return true;
    }
    accepted_ = false;
    return false;
}

Taudio_CD_key_checker& audio_cd_key_checker() {
    static Taudio_CD_key_checker checker;
    return checker;
}

DiscCheck audio_cd_disc_check() {
    return [](const std::string& cd_name, const std::string& stored_identity,
              const std::string& identity_read) {
        return audio_cd_key_checker().check(cd_name, stored_identity, identity_read);
    };
}

std::optional<std::string> read_disc_identity(TMCIDevicePlayer& player, bool silent) {
    // Track starts read in TMSF (the format after a play) would give other numbers.
    std::uint32_t count = 0;
    if (!player.SetTimeFormat(mci::TimeFormat::msf, silent) ||
        !player.QueryStatus(0, mci::StatusItem::number_of_tracks, count, silent))
        return std::nullopt;
    std::string identity = std::to_string(count);
    for (std::uint32_t track = 1; track <= std::min(count, identity_track_limit); ++track) {
        std::uint32_t start = 0;
        if (player.QueryStatus(track, mci::StatusItem::position, start, silent))
            identity +=
                ";" + std::to_string(mci::msf_minutes(start) * 60 + mci::msf_seconds(start));
    }
    return identity;
}

MessageText missing_copied_track_text(const TaudioCD& cd, int track) {
    const std::string number = std::to_string(track);
    const MessageText folder = system_text(cd.hard_disk_directory);
    if (product().edition_spanish)
        return MessageText("No se puede reproducir la pista ") + number + " del CD de audio \"" +
               cd.media_text_2 + "\": no se encontr\xf3 su copia en la carpeta \"" + folder +
               "\". Por favor, copie de nuevo las pistas del CD en esa carpeta.";
    return MessageText("Track ") + number + " of the audio CD \"" + cd.media_text_2 +
           "\" cannot be played: its copy was not found in the folder \"" + folder +
           "\". Please copy the CD's tracks into that folder again.";
}

DiscInDrive read_disc_in_drive(int drive_number) {
    DriveQuery device;
    const std::uint32_t ordinal = static_cast<std::uint32_t>(std::max(drive_number, 1) - 1);
    bool file_problem = false;
    DiscInDrive disc;
    std::uint32_t present = 0;
    if (!device.OpenDevice(ordinal << 16 | mci::devtype_cd_audio, "", true, true, file_problem) ||
        !device.QueryStatus(0, mci::StatusItem::media_present, present, true))
        return disc;
    disc.answered = true;
    disc.present = present != 0;
    if (disc.present)
        disc.identity = read_disc_identity(device, true);
    return disc;
}

std::string DescribeDiscInDrive(const DiscInDrive& disc) {
    if (!disc.answered)
        return {};
    if (!disc.present)
        return text(audio_cd_2::no_disc);
    // A disc whose identity cannot be read is no known audio CD.
    if (!disc.identity)
        return text(audio_cd_2::in_the_drive) + " " + text(audio_cd_2::unknown_disc);
    return disc_description(*disc.identity);
}

} // namespace pemmaro
