#include "data/DataSet.h"

#include "common/LanguageTexts.h"
#include "common/TextAndNumbers.h"
#include "data/Areas.h"
#include "platform/Ansi.h"

#include <algorithm>
#include <numeric>

namespace pemmaro {

namespace {

constexpr std::string_view missing_subspecies_name = "error with subspecies name";

std::unique_ptr<Tdata>& program_data() {
    static std::unique_ptr<Tdata> instance;
    return instance;
}

bool is_blank_text(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
}

std::string padded(long value, int width) {
    return int_to_text_zero_padded(value, width);
}

} // namespace

int compare_keys(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto x = static_cast<unsigned char>(ascii_upper(a[i]));
        const auto y = static_cast<unsigned char>(ascii_upper(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

template <class T> void SortedIndex<T>::add(std::string key, T* object) {
    std::string folded = upper_case(key);
    entries_.push_back({std::move(key), std::move(folded), object});
}

template <class T> void SortedIndex<T>::finish() {
    // Sorted through their positions: moving the entries themselves costs more.
    std::vector<std::size_t> order(entries_.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
        return entries_[a].folded < entries_[b].folded;
    });
    std::vector<Entry> sorted;
    sorted.reserve(order.size());
    // Of equal keys the first added stays: the stable order keeps it in front.
    for (std::size_t at : order) {
        if (sorted.empty() || sorted.back().folded != entries_[at].folded)
            sorted.push_back(std::move(entries_[at]));
    }
    entries_ = std::move(sorted);
}

template <class T> std::optional<std::size_t> SortedIndex<T>::position(std::string_view key) const {
    const std::string folded = upper_case(key);
    auto found =
        std::lower_bound(entries_.begin(), entries_.end(), folded,
                         [](const Entry& entry, const std::string& k) { return entry.folded < k; });
    if (found == entries_.end() || found->folded != folded)
        return std::nullopt;
    return static_cast<std::size_t>(found - entries_.begin());
}

template <class T> T* SortedIndex<T>::find(std::string_view key) const {
    const std::optional<std::size_t> at = position(key);
    return at ? entries_[*at].object : nullptr;
}

template class SortedIndex<Tlocality>;
template class SortedIndex<TaudioCD>;
template class SortedIndex<Tmap_data>;
template class SortedIndex<Tspecies>;
template class SortedIndex<Tperson>;
template class SortedIndex<Tcutpart>;

Tspecies::Tspecies() = default;
Tspecies::~Tspecies() = default;
Tspecies::Tspecies(Tspecies&&) noexcept = default;
Tspecies& Tspecies::operator=(Tspecies&&) noexcept = default;

Tdata::Tdata() = default;
Tdata::~Tdata() = default;

Tspecies* Tdata::species_by_id(int unique_id) const {
    return species_by_unique_id.find(std::to_string(unique_id));
}

Tperson* Tdata::person_by_fragment(std::string_view fragment, int n) const {
    const std::string wanted = upper_case(fragment);
    for (const auto& entry : persons) {
        if (upper_case(entry.key).find(wanted) != std::string::npos && --n == 0)
            return entry.object;
    }
    return nullptr;
}

Tcutpart* Tdata::cut_part_by_reference_code(std::string_view code) const {
    if (code.size() < 11)
        return nullptr;
    const IntConversion tape = text_to_int(code.substr(0, 5), 0);
    const IntConversion cut = text_to_int(code.substr(6, 4), 0);
    if (tape.error || cut.error)
        return nullptr;
    for (const auto& entry : cut_parts) {
        const Tcutpart& part = *entry.object;
        if (part.tape_number == tape.value && part.side_letter == code[5] &&
            part.cut_number == cut.value && part.sub_letter == code[10])
            return entry.object;
    }
    return nullptr;
}

void Tdata::clear_small_picture_caches() {
    for (Tfamily* family = first_family[1]; family; family = family->next_family) {
        for (Tspecies* species = family->first_species[1]; species;
             species = species->next_species[1])
            species->small_picture_missing = false;
    }
}

int Tdata::species_count() const {
    int count = 0;
    for (Tfamily* family = first_family[1]; family; family = family->next_family) {
        for (Tspecies* species = family->first_species[1]; species;
             species = species->next_species[1])
            ++count;
    }
    return count;
}

int Tdata::subspecies_count() const {
    int count = 0;
    for (const Tspecies& species : species_store)
        count += species.subspecies_count;
    return count;
}

int Tdata::recording_item_count() const {
    int count = 0;
    for (const Tspecies& species : species_store)
        count += species.recording_item_count;
    return count;
}

int Tdata::big_picture_count() const {
    int count = 0;
    for (const Tspecies& species : species_store)
        count += species.big_picture_count;
    return count;
}

Tbig_picture* nth_big_picture(const Tspecies& species, int n) {
    Tbig_picture* picture = species.first_big_picture;
    for (int i = 1; picture && i < n && picture->next_picture; ++i)
        picture = picture->next_picture;
    return picture;
}

Tbig_picture* neighbour_picture(const Tspecies& species, const Tsubspecies* subspecies_only,
                                bool forward, const Tbig_picture* current) {
    auto step = [forward](const Tbig_picture* picture) {
        return forward ? picture->next_picture : picture->previous_picture;
    };
    Tbig_picture* picture = current ? step(current) : forward ? species.first_big_picture : nullptr;
    auto shown = [subspecies_only](const Tbig_picture* candidate) {
        return !subspecies_only || (candidate->subspecies_ref &&
                                    candidate->subspecies_ref->subspecies == subspecies_only);
    };
    while (picture && !shown(picture))
        picture = step(picture);
    return picture;
}

int position_of_recording_item(const Tcupaitem& item) {
    int position = 1;
    for (Tcupaitem* other = item.species ? item.species->first_recording_item : nullptr;
         other && other != &item; other = other->next_item_of_species)
        ++position;
    return position;
}

std::string cut_part_reference_code(const Tcutpart& cut_part) {
    return padded(cut_part.tape_number, 5) + cut_part.side_letter + padded(cut_part.cut_number, 4) +
           cut_part.sub_letter;
}

// 15 characters from the fifth, then the 15 that end before the last one (a
// shorter name gives its first 15).
std::string audio_cd_short_name(const TaudioCD& cd) {
    const std::string& name = cd.media_text_2;
    const std::string front = name.size() > 4 ? name.substr(4, 15) : std::string();
    const std::string back =
        name.size() >= 16 ? name.substr(name.size() - 16, 15) : name.substr(0, 15);
    return "*" + front + back + "*";
}

std::string locality_display_name(const Tlocality& locality) {
    if (upper_case(locality.name) == "ZERO LOCATION")
        return {};
    std::string text = locality.name;
    const bool has_region = !locality.region_text.empty();
    if (has_region || locality.show_country) {
        text += " (" + locality.region_text;
        if (has_region && locality.show_country)
            text += ", ";
        if (locality.show_country)
            text += locality.country;
        text += ").";
    }
    if (!locality.prefix_text.empty())
        text = locality.prefix_text + " " + text;
    return text;
}

std::string recording_time_text(int time, char time_separator) {
    if (time == -1)
        return {};
    std::string digits = padded(time, 4);
    return digits.substr(0, 2) + time_separator + digits.substr(2) + "h";
}

std::string recording_date_text(int date) {
    if (date == -1)
        return {};
    const std::string digits = padded(date, 6);
    const char century_digit = digits.size() > 4 ? digits[4] : '0';
    const std::string century = century_digit >= '0' && century_digit <= '3' ? "20" : "19";
    return digits.substr(0, 2) + "-" + digits.substr(2, 2) + "-" + century + digits.substr(4);
}

std::string species_display_name(const Tspecies& species,
                                 const std::optional<Trecord_ssp_data>& subspecies_ref,
                                 const NameChoice& names, const Ttextfile_handler& texts) {
    const std::string& first =
        names.scientific_first ? species.scientific_name : species.language_name;
    const std::string& second =
        names.scientific_first ? species.language_name : species.scientific_name;
    const bool show_second =
        names.scientific_first ? names.show_other_language : names.show_scientific;
    std::string text = "  " + first;
    if (show_second)
        text += is_blank_text(text) ? second : " (" + second + ")";
    if (species.flag_e && subspecies_ref) {
        const Tsubspecies* subspecies = subspecies_ref->subspecies;
        text += ", " + texts.text(kz_shstr::subspecies) + " " +
                (subspecies ? subspecies->name : std::string(missing_subspecies_name));
        if (subspecies_ref->is_p)
            text += " (" + texts.text(kz_shstr::not_certain) + ")";
    }
    return text;
}

void append_subspecies_text(std::string& text,
                            const std::optional<Trecord_ssp_data>& subspecies_ref, bool long_form,
                            const Ttextfile_handler& texts) {
    if (!subspecies_ref || (!long_form && !subspecies_ref->is_p))
        return;
    if (!text.empty() && text.back() != '\n')
        text += ' ';
    if (long_form) {
        const Tsubspecies* subspecies = subspecies_ref->subspecies;
        text += capitalise_first(texts.text(ssp::subspecies)) + " " + markup_italic +
                (subspecies ? subspecies->name : std::string(missing_subspecies_name)) +
                markup_italic;
        if (subspecies_ref->is_p)
            text += " (" + texts.text(ssp::not_certain) + ")";
    } else {
        text += capitalise_first(texts.text(ssp::subspecies_not_certain));
    }
    text += '.';
}

Tdata* data() {
    return program_data().get();
}

void set_data(std::unique_ptr<Tdata> loaded) {
    program_data() = std::move(loaded);
}

std::unique_ptr<Tdata> release_data() {
    return std::move(program_data());
}

} // namespace pemmaro
