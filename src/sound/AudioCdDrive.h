#pragma once
// Audio CDs in the drive: which drive plays them, the identity of the disc in
// it, the check that it is the expected CD, and the status-line description.
// User-interface thread only, except where a function says otherwise.

#include "platform/MessageText.h"
#include "sound/SoundPlayers.h"

#include <optional>
#include <string>
#include <string_view>

namespace pemmaro {

struct TaudioCD;

// The chosen drive: the ordinal (1..4) of the CD audio device that plays audio CDs.
int chosen_audio_cd_drive();
bool set_chosen_audio_cd_drive(int drive);

// Counted once, by initialise_audio_cds (or at the first question).
int cd_audio_device_count();

// Start-up of the module: counts the CD audio devices and makes the key checker.
void initialise_audio_cds();

// Asks whether to play a CD span when the disc in the drive is not the
// expected one; a pair of identities the user accepted is not asked again.
class Taudio_CD_key_checker {
public:
    bool check(const std::string& cd_name, const std::string& stored_identity,
               const std::string& identity_read);

    bool operator==(const Taudio_CD_key_checker&) const = default;

private:
    std::string accepted_stored_identity_;
    std::string accepted_identity_read_;
    bool accepted_ = false;
};

// The one checker of the program.
Taudio_CD_key_checker& audio_cd_key_checker();
// The disc check every CD player is given: the program's checker.
DiscCheck audio_cd_disc_check();

// The number of tracks, then ";" and the start of each of the first 25 tracks
// in whole seconds; a track whose start cannot be read is left out. Sets the
// device to MSF first, whatever format it was left in. None when the device
// cannot tell the number of tracks.
std::optional<std::string> read_disc_identity(TMCIDevicePlayer& player, bool silent);

// The message for a track of a CD kept on the hard disk whose copy is not in
// the CD's folder.
MessageText missing_copied_track_text(const TaudioCD& cd, int track);

// What a CD audio device tells of the disc in its drive.
struct DiscInDrive {
    bool answered = false; // whether the device could tell if a disc is there
    bool present = false;
    std::optional<std::string> identity; // of a present disc, when it could be read
};
// Asks a device of its own, silently, so any thread may call it: a player
// that plays from the drive is not disturbed, and as the drive itself is
// shared nothing opens it a second time.
DiscInDrive read_disc_in_drive(int drive_number);
// The status line's text for it: which audio CD of the data set is in the
// drive; empty when the drive could not tell.
std::string DescribeDiscInDrive(const DiscInDrive& disc);

} // namespace pemmaro
