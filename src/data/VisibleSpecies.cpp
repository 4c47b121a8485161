#include "data/VisibleSpecies.h"

#include "common/Product.h"
#include "common/WindowSettings.h"
#include "data/Areas.h"
#include "data/CountryAreas.h"
#include "data/SolvaraAreas.h"
#include "platform/Ansi.h"
#include "platform/Messages.h"

namespace pemmaro {

namespace keys = window_settings;

namespace {

NumberSet all_audio_cds(const Tdata& data) {
    NumberSet set;
    for (std::size_t cd = 1; cd <= data.audio_cds.size() && cd < set.size(); ++cd)
        set.set(cd);
    return set;
}

std::size_t slot(int order) {
    return static_cast<std::size_t>(order);
}

template <class Test> int count_species_of(const Tfamily& family, int order, Test test) {
    int count = 0;
    for (const Tspecies* species = family.first_species[slot(order)]; species;
         species = species->next_species[slot(order)])
        count += test(*species) ? 1 : 0;
    return count;
}

// The n-th species over the order-1 families that passes the test; the
// fatal reports name the search that ran out.
template <class Test>
Tspecies* nth_species_over_families(const Tdata& data, int n, Test test,
                                    std::string_view species_error) {
    const int wanted = n;
    Tfamily* family = data.first_family[1];
    for (; family; family = family->next_family) {
        const int in_family = count_species_of(*family, 1, test);
        if (n <= in_family)
            break;
        n -= in_family;
    }
    if (family == nullptr)
        fatal("Error!!, xabfg, n_store = " + std::to_string(wanted));
    for (Tspecies* species = family->first_species[1]; species;
         species = species->next_species[1]) {
        if (test(*species) && --n == 0)
            return species;
    }
    fatal(std::string(species_error) + std::to_string(wanted));
}

bool contains_text(std::string_view name, const std::string& wanted) {
    return upper_case(name).find(wanted) != std::string::npos;
}

// Tests the names in the window's order; the other-language test of a species
// also looks at its extra other-language text.
struct NameTest {
    const std::string& wanted;
    const NameChoice& names;

    MatchedName test(std::string_view scientific, std::string_view language,
                     const std::string* extra, bool& in_extra) const {
        const MatchedName first =
            names.scientific_first ? MatchedName::scientific : MatchedName::other_language;
        const MatchedName second =
            names.scientific_first ? MatchedName::other_language : MatchedName::scientific;
        const bool show_second =
            names.scientific_first ? names.show_other_language : names.show_scientific;
        if (matches(first, scientific, language, extra, in_extra))
            return first;
        if (show_second && matches(second, scientific, language, extra, in_extra))
            return second;
        return MatchedName::none;
    }

    bool matches(MatchedName kind, std::string_view scientific, std::string_view language,
                 const std::string* extra, bool& in_extra) const {
        if (kind == MatchedName::scientific)
            return contains_text(scientific, wanted);
        if (contains_text(language, wanted))
            return true;
        in_extra = extra != nullptr && contains_text(*extra, wanted);
        return in_extra;
    }
};

} // namespace

bool type_passes(std::string_view type_letter, ItemMode mode) {
    switch (mode) {
    case ItemMode::best:
        return type_letter == "X" || type_letter == "A";
    case ItemMode::good:
        return type_letter == "X" || type_letter == "A" || type_letter == "B";
    case ItemMode::all:
        return true;
    }
    return true;
}

TVisibleSpeciesAndRecordings::TVisibleSpeciesAndRecordings(const Tdata& data,
                                                           const CoreContext& context)
    : area(create_area_for_product(context.product.capabilities))
    , used_audio_cds(all_audio_cds(data))
    , data_(&data)
    , context_(&context) {}

TVisibleSpeciesAndRecordings::~TVisibleSpeciesAndRecordings() = default;

TVisibleSpeciesAndRecordings::TVisibleSpeciesAndRecordings(
    const TVisibleSpeciesAndRecordings& other)
    : area(other.area ? other.area->clone() : nullptr)
    , show_all_species_of_area(other.show_all_species_of_area)
    , used_audio_cds(other.used_audio_cds)
    , data_(other.data_)
    , context_(other.context_) {}

TVisibleSpeciesAndRecordings&
TVisibleSpeciesAndRecordings::operator=(const TVisibleSpeciesAndRecordings& other) {
    if (this != &other) {
        data_ = other.data_;
        context_ = other.context_;
        Assign(other);
    }
    return *this;
}

TVisibleSpeciesAndRecordings
TVisibleSpeciesAndRecordings::CreateFromSettings(const Tdata& data, const CoreContext& context,
                                                 std::string_view section) {
    TVisibleSpeciesAndRecordings filter(data, context);
    const ProductCapabilities& product = context.product.capabilities;
    const SettingsFile& settings = context.settings;
    if (product.all_species_of_area == AllSpeciesOfArea::always)
        filter.show_all_species_of_area = true;
    else if (product.all_species_of_area == AllSpeciesOfArea::as_set)
        filter.show_all_species_of_area = settings.read_flag(
            section, keys::show_all_species_of_area, keys::show_all_species_of_area_default);
    if (filter.area) {
        filter.area->CreateFromSettings(settings, section);
        if (auto* country = dynamic_cast<TCountryArea*>(filter.area.get()))
            country->SelectHomeCountry();
        else if (auto* region = dynamic_cast<TSolvaraArea*>(filter.area.get()))
            region->ClearUnselectableItems();
    }
    filter.used_audio_cds = settings.read_set(section, keys::used_audio_cds, all_audio_cds(data));
    if (product.empty_audio_cd_set_means_all && filter.used_audio_cds.none())
        filter.used_audio_cds = all_audio_cds(data);
    return filter;
}

void TVisibleSpeciesAndRecordings::Assign(const TVisibleSpeciesAndRecordings& other) {
    if (area && other.area)
        area->Assign(*other.area);
    else
        area = other.area ? other.area->clone() : nullptr;
    show_all_species_of_area = other.show_all_species_of_area;
    used_audio_cds = other.used_audio_cds;
}

void TVisibleSpeciesAndRecordings::SaveToSettings(const SettingsFile& settings,
                                                  std::string_view section) const {
    if (context_->product.capabilities.all_species_of_area == AllSpeciesOfArea::as_set)
        settings.write_flag(section, keys::show_all_species_of_area, show_all_species_of_area);
    if (area)
        area->SaveToSettings(settings, section);
    settings.write_set(section, keys::used_audio_cds, used_audio_cds);
}

bool cut_part_available(const Tcutpart& cut_part, const NumberSet& used_cds) {
    if (cut_part.is_sound_file)
        return true;
    const int index = cut_part.audio_cd ? cut_part.audio_cd->cd_index : 0;
    return index > 0 && index < 256 && used_cds.test(static_cast<std::size_t>(index));
}

int count_playable_items(const Tspecies& species, const NumberSet& used_cds, ItemMode mode) {
    int count = 0;
    for (const Tcupaitem* item = species.first_recording_item; item && item->flag_p;
         item = item->next_item_of_species) {
        if (type_passes(item->type_letter, mode) && cut_part_available(*item->cut_part, used_cds))
            ++count;
    }
    return count;
}

bool species_visible(const Tspecies& species, const TVisibleSpeciesAndRecordings& filter) {
    if (!species.in_region)
        return false;
    if (species.occurrence_areas && filter.area &&
        !species.occurrence_areas->Overlaps(*filter.area))
        return false;
    if (species.big_picture_count > 0)
        return true;
    if (count_playable_items(species, filter.used_audio_cds, ItemMode::all) > 0)
        return true;
    if (!filter.show_all_species_of_area)
        return false;
    return !species.occurrence_areas || species.occurrence_areas->IsInHomeArea();
}

bool family_has_visible_species(const Tfamily& family, const TVisibleSpeciesAndRecordings& filter,
                                int order) {
    for (const Tspecies* species = family.first_species[slot(order)]; species;
         species = species->next_species[slot(order)]) {
        if (species_visible(*species, filter))
            return true;
    }
    return false;
}

int count_visible_families(const TVisibleSpeciesAndRecordings& filter, int order) {
    int count = 0;
    for (const Tfamily* family = filter.data().first_family[slot(order)]; family;
         family = family->next_family)
        count += family_has_visible_species(*family, filter, order) ? 1 : 0;
    return count;
}

Tfamily* nth_visible_family(int n, const TVisibleSpeciesAndRecordings& filter, int order) {
    for (Tfamily* family = filter.data().first_family[slot(order)]; family;
         family = family->next_family) {
        if (family_has_visible_species(*family, filter, order) && --n == 0)
            return family;
    }
    return nullptr;
}

int count_visible_species(const Tfamily& family, const TVisibleSpeciesAndRecordings& filter,
                          int order) {
    return count_species_of(
        family, order, [&](const Tspecies& species) { return species_visible(species, filter); });
}

Tspecies* nth_visible_species(const Tfamily& family, int n,
                              const TVisibleSpeciesAndRecordings& filter, int order) {
    for (Tspecies* species = family.first_species[slot(order)]; species;
         species = species->next_species[slot(order)]) {
        if (species_visible(*species, filter) && --n == 0)
            return species;
    }
    return nullptr;
}

namespace {

auto show_species_test(const TVisibleSpeciesAndRecordings& filter) {
    return [&filter](const Tspecies& species) {
        return species.has_show_picture && species_visible(species, filter);
    };
}

auto sound_species_test(const TVisibleSpeciesAndRecordings& filter, ItemMode mode,
                        bool show_picture_required) {
    return [&filter, mode, show_picture_required](const Tspecies& species) {
        return species_visible(species, filter) &&
               count_playable_items(species, filter.used_audio_cds, mode) > 0 &&
               (!show_picture_required || species.has_show_picture);
    };
}

template <class Test> int count_over_families(const Tdata& data, Test test) {
    int count = 0;
    for (const Tfamily* family = data.first_family[1]; family; family = family->next_family)
        count += count_species_of(*family, 1, test);
    return count;
}

} // namespace

int count_show_species(const TVisibleSpeciesAndRecordings& filter) {
    return count_over_families(filter.data(), show_species_test(filter));
}

Tspecies* nth_show_species(int n, const TVisibleSpeciesAndRecordings& filter) {
    return nth_species_over_families(filter.data(), n, show_species_test(filter),
                                     "Error!!, xabfg, n_store = ");
}

int count_sound_species(const TVisibleSpeciesAndRecordings& filter, ItemMode mode,
                        bool show_picture_required) {
    return count_over_families(filter.data(),
                               sound_species_test(filter, mode, show_picture_required));
}

Tspecies* nth_sound_species(const TVisibleSpeciesAndRecordings& filter, ItemMode mode, int n,
                            bool show_picture_required) {
    return nth_species_over_families(filter.data(), n,
                                     sound_species_test(filter, mode, show_picture_required),
                                     "Error!!, cfrsg, n_store = ");
}

Tcupaitem* nth_available_item(const Tspecies& species, const NumberSet& used_cds, int n,
                              ItemMode mode) {
    for (Tcupaitem* item = species.first_recording_item; item; item = item->next_item_of_species) {
        if (cut_part_available(*item->cut_part, used_cds) && type_passes(item->type_letter, mode) &&
            --n == 0)
            return item;
    }
    return nullptr;
}

NameSearchResult find_name(std::string_view text, int order, int start_family, int start_species,
                           const TVisibleSpeciesAndRecordings& filter, const NameChoice& names) {
    const std::string wanted = upper_case(text);
    const NameTest name_test{wanted, names};
    NameSearchResult result;
    int family_number = start_family;
    for (const Tfamily* family = nth_visible_family(start_family, filter, order); family;
         family = family->next_family) {
        if (!family_has_visible_species(*family, filter, order))
            continue;
        const bool is_start = family_number == start_family;
        bool in_extra = false;
        if (!(is_start && start_species != 0)) {
            const MatchedName matched =
                name_test.test(family->scientific_name, family->language_name, nullptr, in_extra);
            if (matched != MatchedName::none)
                return {true, family_number, 0, matched, false};
        }
        const int first = is_start ? std::max(1, start_species) : 1;
        int species_number = 0;
        for (const Tspecies* species = family->first_species[slot(order)]; species;
             species = species->next_species[slot(order)]) {
            if (!species_visible(*species, filter) || ++species_number < first)
                continue;
            in_extra = false;
            const MatchedName matched = name_test.test(
                species->scientific_name, species->language_name, &species->taxa_text_2, in_extra);
            if (matched != MatchedName::none)
                return {true, family_number, species_number, matched,
                        matched == MatchedName::other_language && in_extra};
        }
        ++family_number;
    }
    return result;
}

} // namespace pemmaro
