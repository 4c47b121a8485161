#pragma once
// Which species and recordings a browsing window shows: those of the product's
// region, in the window's selected area, with something to offer given the
// audio CDs the user owns. One filter per window, kept in its settings section.

#include "common/CoreContext.h"
#include "common/SettingsFile.h"
#include "data/DataSet.h"

#include <memory>
#include <string_view>

namespace pemmaro {

class TArea;

// Recording item type letters accepted at each sound quality level.
enum class ItemMode { best = 1, good = 2, all = 3 };
bool type_passes(std::string_view type_letter, ItemMode mode);

class TVisibleSpeciesAndRecordings {
public:
    // The product's area with nothing selected, all audio CDs used. The
    // context's product serves the filter's life.
    TVisibleSpeciesAndRecordings(const Tdata& data, const CoreContext& context);
    ~TVisibleSpeciesAndRecordings();
    TVisibleSpeciesAndRecordings(const TVisibleSpeciesAndRecordings& other);
    TVisibleSpeciesAndRecordings& operator=(const TVisibleSpeciesAndRecordings& other);

    static TVisibleSpeciesAndRecordings
    CreateFromSettings(const Tdata& data, const CoreContext& context, std::string_view section);
    void Assign(const TVisibleSpeciesAndRecordings& other);
    void SaveToSettings(const SettingsFile& settings, std::string_view section) const;

    const Tdata& data() const { return *data_; }
    const CoreContext& context() const { return *context_; }
    std::unique_ptr<TArea> area; // owned; none for products without areas
    bool show_all_species_of_area = false;
    NumberSet used_audio_cds;

private:
    const Tdata* data_;
    const CoreContext* context_;
};

bool cut_part_available(const Tcutpart& cut_part, const NumberSet& used_cds);
int count_playable_items(const Tspecies& species, const NumberSet& used_cds, ItemMode mode);
bool species_visible(const Tspecies& species, const TVisibleSpeciesAndRecordings& filter);
bool family_has_visible_species(const Tfamily& family, const TVisibleSpeciesAndRecordings& filter,
                                int order);
int count_visible_families(const TVisibleSpeciesAndRecordings& filter, int order);
Tfamily* nth_visible_family(int n, const TVisibleSpeciesAndRecordings& filter, int order);
int count_visible_species(const Tfamily& family, const TVisibleSpeciesAndRecordings& filter,
                          int order);
Tspecies* nth_visible_species(const Tfamily& family, int n,
                              const TVisibleSpeciesAndRecordings& filter, int order);
int count_show_species(const TVisibleSpeciesAndRecordings& filter);
Tspecies* nth_show_species(int n, const TVisibleSpeciesAndRecordings& filter);
int count_sound_species(const TVisibleSpeciesAndRecordings& filter, ItemMode mode,
                        bool show_picture_required);
Tspecies* nth_sound_species(const TVisibleSpeciesAndRecordings& filter, ItemMode mode, int n,
                            bool show_picture_required);
Tcupaitem* nth_available_item(const Tspecies& species, const NumberSet& used_cds, int n,
                              ItemMode mode);

enum class MatchedName { none = 0, scientific = 1, other_language = 2 };

struct NameSearchResult {
    bool found = false;
    int family_number = 0;
    int species_number = 0; // 0: the family's own name matched
    MatchedName matched = MatchedName::none;
    bool matched_in_other_names = false; // in the species' extra other-language text
};

// The next visible family or species from the start position whose shown names
// contain the text (compared upper-cased).
NameSearchResult find_name(std::string_view text, int order, int start_family, int start_species,
                           const TVisibleSpeciesAndRecordings& filter, const NameChoice& names);

} // namespace pemmaro
