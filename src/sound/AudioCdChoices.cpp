#include "sound/AudioCdChoices.h"

#include "common/LanguageTexts.h"
#include "data/DataSet.h"

namespace pemmaro {

namespace {

bool in_set_range(int cd_index, const NumberSet& set) {
    return cd_index > 0 && static_cast<std::size_t>(cd_index) < set.size();
}

} // namespace

std::vector<AudioCdChoice> audio_cd_choices(Tdata& data, const NumberSet& used_audio_cds) {
    std::vector<AudioCdChoice> choices;
    // The store keeps the file's order, which is the order of cd_index.
    for (TaudioCD& cd : data.audio_cd_store) {
        if (!in_set_range(cd.cd_index, used_audio_cds))
            continue;
        choices.push_back({&cd, used_audio_cds.test(static_cast<std::size_t>(cd.cd_index)),
                           cd.on_hard_disk, cd.hard_disk_directory});
    }
    return choices;
}

const AudioCdChoice* choice_without_folder(const std::vector<AudioCdChoice>& choices) {
    for (const AudioCdChoice& choice : choices) {
        if (choice.on_hard_disk && choice.hard_disk_directory.empty())
            return &choice;
    }
    return nullptr;
}

MessageText missing_folder_text(const TaudioCD& cd) {
    return text(my_audio_cds::no_folder_before_name) + " \"" + cd.media_text_2 + "\" " +
           text(my_audio_cds::no_folder_after_name);
}

void apply_audio_cd_choices(const std::vector<AudioCdChoice>& choices, NumberSet& used_audio_cds) {
    used_audio_cds.reset();
    for (const AudioCdChoice& choice : choices) {
        if (choice.owned)
            used_audio_cds.set(static_cast<std::size_t>(choice.cd->cd_index));
        choice.cd->on_hard_disk = choice.on_hard_disk;
        choice.cd->hard_disk_directory = choice.hard_disk_directory;
    }
}

} // namespace pemmaro
