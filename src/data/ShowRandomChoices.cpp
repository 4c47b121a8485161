#include "data/ShowRandomChoices.h"

#include "common/CoreContext.h"
#include "common/Product.h"

#include <chrono>
#include <cstdint>
#include <vector>

namespace pemmaro {

namespace {

template <class Candidate>
std::size_t draw_index(const std::vector<Candidate>& candidates, ShowRandomGenerator& random) {
    return std::uniform_int_distribution<std::size_t>(0, candidates.size() - 1)(random);
}

// Every order-1 species that passes the test.
template <class Test>
std::vector<Tspecies*> species_passing(const TVisibleSpeciesAndRecordings& filter, Test test) {
    std::vector<Tspecies*> passing;
    for (const Tfamily* family = filter.data().first_family[1]; family;
         family = family->next_family) {
        for (Tspecies* species = family->first_species[1]; species;
             species = species->next_species[1]) {
            if (species->scientific_name != unnamed_species && test(*species) &&
                species_visible(*species, filter))
                passing.push_back(species);
        }
    }
    return passing;
}

// Another species than last whenever there is one.
Tspecies* draw_species(std::vector<Tspecies*> candidates, const Tspecies* last,
                       ShowRandomGenerator& random) {
    if (candidates.size() > 1)
        std::erase(candidates, last);
    if (candidates.empty())
        return nullptr;
    return candidates[draw_index(candidates, random)];
}

bool species_id_allowed(const Tspecies& species, const TVisibleSpeciesAndRecordings& filter) {
    return !filter.context().product.capabilities.sound_shows_keep_to_species_ids_52000_to_52999 ||
           (species.species_id >= 52000 && species.species_id <= 52999);
}

bool is_sound_file_of_kind(const Tcupaitem& item, ItemMode kind, const NumberSet& used_audio_cds) {
    return item.cut_part && item.cut_part->is_sound_file &&
           cut_part_available(*item.cut_part, used_audio_cds) &&
           type_passes(item.type_letter, kind);
}

bool has_sound_file_of_kind(const Tspecies& species, ItemMode kind,
                            const NumberSet& used_audio_cds) {
    for (const Tcupaitem* item = species.first_recording_item; item;
         item = item->next_item_of_species) {
        if (is_sound_file_of_kind(*item, kind, used_audio_cds))
            return true;
    }
    return false;
}

struct NumberedItem {
    Tcupaitem* item;
    int number;
};

RandomRecordingChoice draw_item(const std::vector<NumberedItem>& candidates,
                                ShowRandomGenerator& random) {
    if (candidates.empty())
        return {};
    const NumberedItem& chosen = candidates[draw_index(candidates, random)];
    return {chosen.item, chosen.number};
}

} // namespace

ShowRandomGenerator clock_seeded_show_generator() {
    const auto ticks =
        static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
    std::seed_seq seed{static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32)};
    return ShowRandomGenerator(seed);
}

Tspecies* RandomShowSpecies(const TVisibleSpeciesAndRecordings& filter, const Tspecies* last,
                            ShowRandomGenerator& random) {
    return draw_species(
        species_passing(filter, [](const Tspecies& species) { return species.has_show_picture; }),
        last, random);
}

int RandomShowPicture(const Tspecies& species, ShowRandomGenerator& random) {
    std::vector<int> numbers;
    int number = 0;
    for (const Tbig_picture* picture = species.first_big_picture; picture;
         picture = picture->next_picture) {
        ++number;
        if (picture->in_show)
            numbers.push_back(number);
    }
    return numbers.empty() ? 0 : numbers[draw_index(numbers, random)];
}

Tspecies* RandomSoundSpecies(ItemMode kind, const TVisibleSpeciesAndRecordings& filter,
                             const Tspecies* last, ShowRandomGenerator& random) {
    const NumberSet& used = filter.used_audio_cds;
    return draw_species(species_passing(filter,
                                        [&](const Tspecies& species) {
                                            return species.has_show_picture &&
                                                   species.has_sound_file_recording &&
                                                   count_playable_items(species, used, kind) > 0 &&
                                                   has_sound_file_of_kind(species, kind, used) &&
                                                   species_id_allowed(species, filter);
                                        }),
                        last, random);
}

RandomRecordingChoice RandomRecording(const Tspecies& species, ItemMode kind,
                                      const NumberSet& used_audio_cds,
                                      ShowRandomGenerator& random) {
    std::vector<NumberedItem> candidates;
    int number = 0;
    for (Tcupaitem* item = species.first_recording_item; item; item = item->next_item_of_species) {
        ++number;
        if (is_sound_file_of_kind(*item, kind, used_audio_cds))
            candidates.push_back({item, number});
    }
    return draw_item(candidates, random);
}

Tspecies* RandomSoundsShowSpecies(ItemMode level, const TVisibleSpeciesAndRecordings& filter,
                                  const Tspecies* current, ShowRandomGenerator& random) {
    return draw_species(species_passing(filter,
                                        [&](const Tspecies& species) {
                                            return count_playable_items(
                                                       species, filter.used_audio_cds, level) > 0 &&
                                                   species_id_allowed(species, filter);
                                        }),
                        current, random);
}

RandomRecordingChoice RandomSoundsShowRecording(const Tspecies& species, ItemMode level,
                                                const NumberSet& used_audio_cds,
                                                ShowRandomGenerator& random) {
    std::vector<NumberedItem> candidates;
    int number = 0;
    for (Tcupaitem* item = species.first_recording_item; item && item->flag_p;
         item = item->next_item_of_species) {
        ++number;
        if (item->cut_part && type_passes(item->type_letter, level) &&
            cut_part_available(*item->cut_part, used_audio_cds))
            candidates.push_back({item, number});
    }
    return draw_item(candidates, random);
}

} // namespace pemmaro
