#pragma once
// The random choices of the shows: which species, picture and recording come
// next. Each draws uniformly among what qualifies, with the generator it is
// given: the program's, seeded once from the clock; tests give a fixed seed.
// When nothing qualifies the choice is none, so that a show stops instead of
// drawing for ever; when only the species shown last qualifies, it comes again.
//
// Species are taken over the families of systematic order 1.

#include "data/DataSet.h"
#include "data/VisibleSpecies.h"

#include <random>

namespace pemmaro {

using ShowRandomGenerator = std::mt19937;

ShowRandomGenerator clock_seeded_show_generator();

// Species that the shows never choose.
inline constexpr std::string_view unnamed_species = "?? ??";

// Slides: a visible species with a picture for shows, other than last.
Tspecies* RandomShowSpecies(const TVisibleSpeciesAndRecordings& filter, const Tspecies* last,
                            ShowRandomGenerator& random);

// The number (1-based within the species) of one of its pictures for shows;
// 0 when it has none.
int RandomShowPicture(const Tspecies& species, ShowRandomGenerator& random);

// Slides and sounds: a visible species, other than last, with a picture for
// shows and a recording of the kind held as a sound file, so that
// RandomShowPicture and RandomRecording find one for it.
Tspecies* RandomSoundSpecies(ItemMode kind, const TVisibleSpeciesAndRecordings& filter,
                             const Tspecies* last, ShowRandomGenerator& random);

struct RandomRecordingChoice {
    Tcupaitem* item = nullptr; // none when nothing qualifies
    int number = 0;            // 1-based among the species' recording items
};

// Slides and sounds: one of the species' recording items of the kind, held as
// a sound file.
RandomRecordingChoice RandomRecording(const Tspecies& species, ItemMode kind,
                                      const NumberSet& used_audio_cds, ShowRandomGenerator& random);

// Sounds show: a visible species, other than current, with recordings that the
// display shows and the level admits (on a CD or in a sound file).
Tspecies* RandomSoundsShowSpecies(ItemMode level, const TVisibleSpeciesAndRecordings& filter,
                                  const Tspecies* current, ShowRandomGenerator& random);

// Sounds show: one of the recordings the display shows for the species (its
// items up to the first not shown) that the level and the owned audio CDs
// admit; number is its place among the shown items, where the display has it.
RandomRecordingChoice RandomSoundsShowRecording(const Tspecies& species, ItemMode level,
                                                const NumberSet& used_audio_cds,
                                                ShowRandomGenerator& random);

} // namespace pemmaro
