#pragma once
// The user's choices about the audio CDs as plain values that the selection
// dialog edits: which CDs the user owns and which were copied to the hard
// disk, and where. One numbering serves the owned set everywhere: a CD's
// cd_index (its place in the data disc's list of audio CDs), which the
// visibility filter and the display test as well.

#include "common/SettingsFile.h"
#include "platform/MessageText.h"

#include <string>
#include <vector>

namespace pemmaro {

class Tdata;
struct TaudioCD;

struct AudioCdChoice {
    TaudioCD* cd = nullptr; // not owned
    bool owned = false;
    bool on_hard_disk = false;
    std::string hard_disk_directory;
};

// One choice per audio CD in cd_index order, from the owned set and the CDs'
// own hard-disk state. CDs numbered beyond the set's range are left out.
std::vector<AudioCdChoice> audio_cd_choices(Tdata& data, const NumberSet& used_audio_cds);

// The first CD marked as copied to the hard disk without a folder; none when
// the choices can be accepted.
const AudioCdChoice* choice_without_folder(const std::vector<AudioCdChoice>& choices);
// The message for it: "MY_AUDIO_CDS" line 6, the CD's name in quotes, line 7.
MessageText missing_folder_text(const TaudioCD& cd);

// Puts accepted choices in place: the owned set holds exactly the owned CDs;
// each CD takes its hard-disk flag and folder.
void apply_audio_cd_choices(const std::vector<AudioCdChoice>& choices, NumberSet& used_audio_cds);

} // namespace pemmaro
