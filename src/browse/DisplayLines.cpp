#include "browse/DisplayLines.h"

#include "browse/DisplayLineTexts.h"
#include "common/LanguageTexts.h"
#include "common/Product.h"
#include "common/TextAndNumbers.h"
#include "data/Areas.h"

#include <algorithm>
#include <bitset>

namespace pemmaro {

namespace {

constexpr int family_fold_factor = 80000;
constexpr int subspecies_mark_limit = 104;
constexpr int picture_text_shift = 35; // the species text beside a small picture
constexpr int box_gap = 2;             // between a sound bar and the details box below it

struct KindPlace {
    int normal;
    int squeezed;
};

// x of each kind with squeeze_horizontal off / on (index = kind).
constexpr std::array<KindPlace, 28> kind_places = {
    {{0, 0},    {15, 5},   {0, 0},     {0, 0},     {0, 0},     {95, 25},   {0, 0},
     {0, 0},    {0, 0},    {0, 0},     {0, 0},     {0, 0},     {0, 0},     {135, 65},
     {135, 65}, {20, 10},  {170, 55},  {0, 0},     {170, 55},  {0, 70},    {0, 0},
     {185, 70}, {205, 90}, {225, 105}, {225, 105}, {225, 105}, {225, 105}, {225, 105}}};

bool kind_in(LineKind kind, std::initializer_list<LineKind> kinds) {
    return std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
}

// Lines that belong to the row a fold box opens (they stay when it folds).
bool belongs_to_row_of(LineKind box, LineKind kind) {
    switch (box) {
    case lkFamilyBox:
        return kind_in(kind, {lkFamilyHeader, lkFamilyScientificName, lkFamilyOtherName});
    case lkSpeciesBox:
        return kind_in(kind,
                       {lkSpeciesHeader, lkSpeciesScientificName, lkSpeciesOtherName, lkMapMark,
                        lkMediaMark, lkOccurrenceNote, lkThreatStatus, lkSpeciesExtra});
    case lkDetailsBox:
        return kind_in(kind, {lkRecordingLabel, lkRecordingText, lkRecordingPercent});
    default:
        return false;
    }
}

// Folding a box removes lines up to the next line of these kinds.
bool ends_fold_of(LineKind box, LineKind kind) {
    switch (box) {
    case lkFamilyBox:
        return kind == lkFamilyBox;
    case lkSpeciesBox:
        return kind == lkFamilyBox || kind == lkSpeciesBox;
    default:
        return kind_in(kind, {lkFamilyBox, lkSpeciesBox, lkSubspeciesHeader, lkRecordingNumber});
    }
}

bool subspecies_has_pictures(const Tspecies& species, const Tsubspecies* subspecies) {
    for (const Tbig_picture* picture = species.first_big_picture; picture;
         picture = picture->next_picture) {
        if (picture->subspecies_ref && picture->subspecies_ref->subspecies == subspecies)
            return true;
    }
    return false;
}

Tsubspecies* subspecies_of(const Tcupaitem& item) {
    return item.subspecies_ref ? item.subspecies_ref->subspecies : nullptr;
}

// The items species details show: from the first, while they have P, on
// available cut parts.
template <class Visit>
void for_each_shown_item(const Tspecies& species, const NumberSet& used_cds, Visit visit) {
    for (Tcupaitem* item = species.first_recording_item; item && item->flag_p;
         item = item->next_item_of_species) {
        if (cut_part_available(*item->cut_part, used_cds))
            visit(*item);
    }
}

bool has_shown_items(const Tspecies& species, const NumberSet& used_cds) {
    bool any = false;
    for_each_shown_item(species, used_cds, [&](const Tcupaitem&) { any = true; });
    return any;
}

// Subspecies already under a heading of the unfolding species; a number out
// of range never counts as headed.
class SubspeciesMarks {
public:
    void mark(const Tsubspecies& subspecies) {
        if (in_range(subspecies))
            bits_.set(static_cast<std::size_t>(subspecies.number));
    }
    bool marked(const Tsubspecies& subspecies) const {
        return in_range(subspecies) && bits_.test(static_cast<std::size_t>(subspecies.number));
    }

private:
    static bool in_range(const Tsubspecies& subspecies) {
        return subspecies.number >= 0 && subspecies.number < subspecies_mark_limit;
    }
    std::bitset<subspecies_mark_limit> bits_;
};

template <class Visit>
void for_each_unheaded_subspecies(const Tspecies& species, const SubspeciesMarks& headed,
                                  Visit visit) {
    for (Tsubspecies* subspecies = species.first_subspecies; subspecies;
         subspecies = subspecies->next_subspecies) {
        if (!headed.marked(*subspecies))
            visit(*subspecies);
    }
}

std::string subspecies_title(const Ttextfile_handler& texts, const Tsubspecies& subspecies) {
    return markup::italic + subspecies.name + markup::italic + " " +
           shstr_text(texts, kz_shstr::subspecies);
}

SHST_TShowString species_line(LineKind kind, Tspecies& species) {
    SHST_TShowString line;
    line.kind = kind;
    line.species = &species;
    return line;
}

} // namespace

bool is_fold_box(LineKind kind) {
    return kind_in(kind, {lkFamilyBox, lkSpeciesBox, lkDetailsBox});
}
bool is_header(LineKind kind) {
    return kind == lkFamilyHeader || kind == lkSpeciesHeader;
}
bool is_numbered(LineKind kind) {
    return kind_in(kind, {lkFamilyHeader, lkSpeciesHeader, lkRecordingNumber});
}
bool is_name_line(LineKind kind) {
    return kind_in(kind, {lkFamilyScientificName, lkFamilyOtherName, lkSpeciesScientificName,
                          lkSpeciesOtherName});
}
bool is_bitmap_line(LineKind kind) {
    return kind_in(kind, {lkFamilyBox, lkSpeciesBox, lkDetailsBox, lkMapMark, lkMediaMark,
                          lkSubspeciesPictures});
}
bool is_paragraph(LineKind kind) {
    return kind_in(kind, {lkSpeciesExtra, lkSpeciesText, lkSubspeciesHeader, lkAudioCDLine,
                          lkRecordingText, lkRecordistLine, lkLocalityLine, lkAlsoAudibleLine});
}

std::string shstr_text(const Ttextfile_handler& texts, const TextLine& line) {
    const bool capitalised = line.number >= 7 && line.number <= 11;
    return capitalised ? capitalise_first(texts.text(line)) : texts.text(line);
}

std::uint32_t pack_name_options(bool scientific, bool other_language, std::uint8_t main) {
    return (scientific ? 1u : 0u) | (other_language ? 1u : 0u) << 8 |
           static_cast<std::uint32_t>(main) << 16;
}

int name_kind_at(int position, std::uint32_t name_options) {
    const bool scientific = (name_options & 0xFF) != 0;
    const bool other_language = ((name_options >> 8) & 0xFF) != 0;
    const std::uint32_t main = (name_options >> 16) & 0xFF;
    if (position == 1)
        return main != 1 ? 2 : 1;
    if (scientific && main != 1)
        return 1;
    if (other_language && main != 2)
        return 2;
    return 0;
}

void SHST_TShowStringsData::set_name_options(std::uint32_t value) {
    scientific = (value & 0xFF) != 0;
    other_language = ((value >> 8) & 0xFF) != 0;
    main = static_cast<std::uint8_t>((value >> 16) & 0xFF);
}

NameChoice SHST_TShowStringsData::name_choice() const {
    return {scientific, other_language, main == 1};
}

TShowStrings::TShowStrings(Environment environment)
    : environment_(std::move(environment))
    , options_(std::make_unique<SHST_TShowStringsData>(*environment_.data, *environment_.core)) {
    line_height_ = pemmaro::line_height(*environment_.measurer, fonts());
    row_height_ = pemmaro::row_height(line_height_);
    average_char_width_ =
        environment_.measurer->text_width(fonts().normal(), average_char_width_sample) /
        static_cast<int>(average_char_width_sample.size());
    details_size_ = (4 * environment_.measurer->text_height(
                             fonts().font(FontStyle::plain, -1, FontColour::black))) /
                    3;
}

void measure_display_fonts_ahead(const TextMeasurer& measurer, const DisplayFonts& fonts) {
    for (FontStyle style : {FontStyle::plain, FontStyle::italic, FontStyle::bold})
        measurer.text_height(fonts.font(style, 0, FontColour::black));
    measurer.text_height(fonts.font(FontStyle::plain, -1, FontColour::black)); // details boxes
}

TShowStrings::~TShowStrings() {
    remove_lines(lines_.begin(), lines_.end());
}

int TShowStrings::kind_x(LineKind kind) const {
    const KindPlace& place = kind_places[static_cast<std::size_t>(kind)];
    return options_->squeeze_horizontal ? place.squeezed : place.normal;
}

int TShowStrings::available_width(int x, int extra_shift) const {
    const DisplayGeometry& geometry = environment_.geometry;
    return geometry.client_width - geometry.vertical_scroll_bar_width - x - extra_shift;
}

Line TShowStrings::insert_line(Line before, SHST_TShowString line) {
    return lines_.insert(before, std::move(line));
}

Line TShowStrings::insert_paragraph(Line before, LineKind kind, std::string paragraph,
                                    const DisplayFont& font, bool last_line_counts, int x_shift,
                                    int extra_advance) {
    SHST_TShowString line;
    line.kind = kind;
    line.font = &font;
    line.x = kind_x(kind) + x_shift;
    line.paragraph = std::move(paragraph);
    line.last_line_counts = last_line_counts;
    line.extra_advance = extra_advance;
    wrap_paragraph(line);
    return insert_line(before, std::move(line));
}

void TShowStrings::wrap_paragraph(SHST_TShowString& line) const {
    const WrappedText wrapped =
        wrap_text(line.paragraph, available_width(line.x, 0), *line.font, *environment_.measurer);
    line.text = wrapped.text;
    line.advance =
        paragraph_advance(wrapped.lines, line_height_, line.last_line_counts) + line.extra_advance;
}

std::string TShowStrings::name_text(const std::string& scientific, const std::string& language,
                                    int kind, bool in_running_text) const {
    if (kind == 1)
        return in_running_text ? markup::italic + scientific + markup::italic : scientific;
    return language;
}

Line TShowStrings::insert_name_lines(Line before, Tfamily* family, Tspecies* species,
                                     bool is_species) {
    const std::string& scientific = is_species ? species->scientific_name : family->scientific_name;
    const std::string& language = is_species ? species->language_name : family->language_name;
    const std::uint32_t options = options_->name_options();
    std::vector<SHST_TShowString> names;
    for (int position = 1; position <= 2; ++position) {
        const int kind = name_kind_at(position, options);
        const std::string& name = kind == 1 ? scientific : language;
        if (kind == 0 || name.empty())
            continue;
        SHST_TShowString line;
        line.kind = kind == 1 ? (is_species ? lkSpeciesScientificName : lkFamilyScientificName)
                              : (is_species ? lkSpeciesOtherName : lkFamilyOtherName);
        line.font = kind == 1 ? &fonts().scientific() : &fonts().normal();
        line.text = name;
        line.family = family;
        line.species = species;
        names.push_back(std::move(line));
    }
    if (names.empty()) {
        SHST_TShowString line;
        line.kind = is_species ? lkSpeciesScientificName : lkFamilyScientificName;
        line.font = &fonts().scientific();
        line.text = scientific;
        line.family = family;
        line.species = species;
        names.push_back(std::move(line));
    }
    if (names.size() == 2)
        names.front().stop_follows = true;
    Line first = before;
    for (std::size_t i = 0; i < names.size(); ++i) {
        Line inserted = insert_line(before, std::move(names[i]));
        if (i == 0)
            first = inserted;
    }
    return first;
}

void TShowStrings::append_family_row(Tfamily& family, int number) {
    SHST_TShowString box;
    box.kind = lkFamilyBox;
    box.x = kind_x(lkFamilyBox);
    box.advance = row_height_;
    box.family = &family;
    box.bitmap = bitmap_family_plus;
    insert_line(lines_.end(), std::move(box));
    SHST_TShowString header;
    header.kind = lkFamilyHeader;
    header.value = number;
    header.family = &family;
    insert_line(lines_.end(), std::move(header));
    insert_name_lines(lines_.end(), &family, nullptr, false);
}

void TShowStrings::build_family_rows() {
    const TVisibleSpeciesAndRecordings& filter = options_->visible;
    const int order = options_->systematic_order;
    int number = 0;
    for (Tfamily* family = filter.data().first_family[static_cast<std::size_t>(order)]; family;
         family = family->next_family) {
        if (family_has_visible_species(*family, filter, order))
            append_family_row(*family, ++number);
    }
}

void TShowStrings::build_from_options(const SHST_TShowStringsData& options) {
    remove_lines(lines_.begin(), lines_.end());
    *options_ = options;
    wrapped_width_ = environment_.geometry.client_width;
    build_family_rows();
    top_line = lines_.empty() ? std::nullopt : std::optional<Line>(lines_.begin());
    current_line = first_family_name_line();
}

void TShowStrings::build_as_copy(const TShowStrings& other) {
    remove_lines(lines_.begin(), lines_.end());
    *options_ = *other.options_;
    wrapped_width_ = other.wrapped_width_;
    for (const SHST_TShowString& source : other.lines_) {
        SHST_TShowString copy;
        copy.kind = source.kind;
        copy.font = source.font;
        copy.stop_follows = source.stop_follows;
        copy.x = source.x;
        copy.advance = source.advance;
        copy.text = source.text;
        copy.value = source.value;
        copy.family_number = source.family_number;
        copy.family = source.family;
        copy.species = source.species;
        copy.subspecies = source.subspecies;
        copy.audio_cd = source.audio_cd;
        copy.bitmap = source.bitmap;
        copy.paragraph = source.paragraph;
        copy.last_line_counts = source.last_line_counts;
        copy.extra_advance = source.extra_advance;
        copy.takes_back_picture_offset = source.takes_back_picture_offset;
        if (source.sound_bar) {
            copy.sound_bar = std::make_unique<SoundBarRecord>();
            copy.sound_bar->item = source.sound_bar->item;
            copy.sound_bar->recording_number = source.sound_bar->recording_number;
            copy.sound_bar->fold_key = source.sound_bar->fold_key;
        }
        if (source.kind == lkSmallPicture && source.picture_acquired && environment_.pictures &&
            source.species)
            copy.picture_acquired = environment_.pictures->acquire(*source.species).has_value();
        lines_.push_back(std::move(copy));
    }
    top_line = lines_.empty() ? std::nullopt : std::optional<Line>(lines_.begin());
    current_line = first_family_name_line();
}

std::optional<Line> TShowStrings::first_family_name_line() {
    for (Line line = lines_.begin(); line != lines_.end(); ++line) {
        if (is_name_line(line->kind))
            return line;
    }
    return std::nullopt;
}

Line TShowStrings::row_end(Line box) const {
    Line line = std::next(box);
    while (line != lines_.end() && belongs_to_row_of(box->kind, line->kind))
        ++line;
    return line;
}

void TShowStrings::remove_lines(Line from, Line to) {
    for (Line line = from; line != to;) {
        if (current_line && *current_line == line)
            current_line.reset();
        if (top_line && *top_line == line)
            top_line.reset();
        if (line->kind == lkSmallPicture && line->picture_acquired && environment_.pictures &&
            line->species)
            environment_.pictures->release(*line->species);
        line = lines_.erase(line); // a sound bar record takes its control with it
    }
    if (!top_line && !lines_.empty())
        top_line = lines_.begin();
}

int TShowStrings::family_number_of(ConstLine line) const {
    for (ConstLine at = line;; --at) {
        if (at->kind == lkFamilyHeader)
            return at->value;
        if (at == lines_.begin())
            return 0;
    }
}

std::optional<ConstLine> TShowStrings::species_box_of(ConstLine line) const {
    for (ConstLine at = line;; --at) {
        if (at->kind == lkSpeciesBox)
            return at;
        if (at->kind == lkFamilyBox || at == lines_.begin())
            return std::nullopt;
    }
}

// What the steps of unfolding one species share.
struct TShowStrings::SpeciesUnfolding {
    Tspecies& species;
    Line before;
    int fold_key_base = 0;  // of its sound bars, by family and species number
    int picture_offset = 0; // the small picture line's advance
    int recordings = 0;
    SubspeciesMarks headed{};
    const Tsubspecies* previous_subspecies = nullptr;
    bool previous_known = false; // the lines above belong to a known subspecies
};

void TShowStrings::unfold_family(Line box) {
    const TVisibleSpeciesAndRecordings& filter = options_->visible;
    const std::size_t slot = static_cast<std::size_t>(options_->systematic_order);
    const Line before = row_end(box);
    int number = 0;
    for (Tspecies* species = box->family->first_species[slot]; species;
         species = species->next_species[slot]) {
        if (species_visible(*species, filter))
            insert_species_row(before, box, *species, ++number);
    }
}

void TShowStrings::insert_species_row(Line before, Line family_box, Tspecies& species, int number) {
    const bool pictures = species.first_big_picture != nullptr;
    const bool recordings = has_shown_items(species, options_->visible.used_audio_cds);
    SHST_TShowString box = species_line(lkSpeciesBox, species);
    box.x = kind_x(lkSpeciesBox);
    box.advance = row_height_;
    box.family = family_box->family;
    box.family_number = std::next(family_box)->value;
    // With nothing to unfold the box keeps its room but cannot be opened.
    box.bitmap = !pictures && !recordings && species.taxa_text_3.empty() ? bitmap_invisible_box
                                                                         : bitmap_species_plus;
    insert_line(before, std::move(box));
    SHST_TShowString header = species_line(lkSpeciesHeader, species);
    header.value = number;
    header.font = &fonts().normal();
    header.family = family_box->family;
    insert_line(before, std::move(header));
    insert_name_lines(before, family_box->family, &species, true);
    insert_media_marks(before, species, pictures, recordings);
    insert_occurrence_note(before, species);
    insert_threat_status(before, species);
    if (options_->other_language && !species.taxa_text_2.empty())
        insert_paragraph(before, lkSpeciesExtra, species.taxa_text_2,
                         fonts().font(FontStyle::plain, -1, FontColour::black), true)
            ->species = &species;
}

void TShowStrings::insert_media_marks(Line before, Tspecies& species, bool pictures,
                                      bool recordings) {
    if (species.has_map_file || species.map_count > 0) {
        SHST_TShowString map = species_line(lkMapMark, species);
        map.bitmap = bitmap_little_map;
        insert_line(before, std::move(map));
    }
    SHST_TShowString media = species_line(lkMediaMark, species);
    media.value = (pictures ? 1 : 0) | (recordings ? 1 : 0) << 8;
    media.bitmap = pictures && recordings ? bitmap_pictures_and_recordings
                   : pictures             ? bitmap_pictures
                   : recordings           ? bitmap_recordings
                                          : bitmap_none;
    insert_line(before, std::move(media));
}

// Only the products with a home area tell how a species stands to it.
void TShowStrings::insert_occurrence_note(Line before, Tspecies& species) {
    if (!core().product.capabilities.notes_occurrence_in_home_area || !species.occurrence_areas)
        return;
    std::string note;
    if (!species.occurrence_areas->IsInHomeArea())
        note = core().product.home_country_text_1;
    else if (species.occurrence_areas->IsOnlyInHomeArea())
        note = "  " + capitalise_first(shstr_text(core().texts, kz_shstr::endemic));
    if (note.empty())
        return;
    SHST_TShowString line = species_line(lkOccurrenceNote, species);
    line.font = &fonts().font(FontStyle::bold, -2, FontColour::black);
    line.text = note;
    insert_line(before, std::move(line));
}

void TShowStrings::insert_threat_status(Line before, Tspecies& species) {
    if (!options_->show_threatened || species.threat_status < 1 || species.threat_status > 4)
        return;
    SHST_TShowString threat = species_line(lkThreatStatus, species);
    threat.font = &fonts().font(FontStyle::bold, 0, FontColour::red);
    threat.text = std::string("  ") + markup::link +
                  shstr_text(core().texts, kz_shstr::threat_status(species.threat_status)) +
                  markup::link;
    insert_line(before, std::move(threat));
}

void TShowStrings::unfold_species(Line box) {
    Tspecies& species = *box->species;
    SpeciesUnfolding unfolding{species, row_end(box),
                               (box->family_number * 400 + std::next(box)->value) * 200};
    // The picture is acquired first: the text beside it moves right to make room.
    const std::optional<std::pair<int, int>> picture = acquire_small_picture(species);
    const int text_advance =
        insert_species_text(unfolding.before, species, picture ? picture_text_shift : 0);
    if (picture)
        unfolding.picture_offset =
            insert_small_picture(unfolding.before, species, *picture, text_advance);
    for_each_shown_item(species, options_->visible.used_audio_cds,
                        [&](Tcupaitem& item) { insert_recording(unfolding, item); });
    if (species.flag_e)
        insert_subspecies_with_pictures_only(unfolding);
    if (core().product.forces_flag_e)
        insert_subspecies_list(unfolding);
}

std::optional<std::pair<int, int>> TShowStrings::acquire_small_picture(Tspecies& species) {
    if (environment_.geometry.screen_colour_count > 25 && !options_->squeeze_horizontal &&
        species.flag_s && environment_.pictures)
        return environment_.pictures->acquire(species);
    return std::nullopt;
}

// Returns the text's advance, 0 when the species has none.
int TShowStrings::insert_species_text(Line before, Tspecies& species, int x_shift) {
    const std::string paragraph = species_text(species, core());
    if (paragraph.empty())
        return 0;
    const Line line =
        insert_paragraph(before, lkSpeciesText, paragraph,
                         fonts().font(FontStyle::plain, -1, FontColour::black), true, x_shift);
    line->species = &species;
    return line->advance;
}

// The picture line goes back up so that the picture's top stands level with
// the text's; returns that (negative) advance for the next line to take back.
int TShowStrings::insert_small_picture(Line before, Tspecies& species, std::pair<int, int> size,
                                       int text_advance) {
    SHST_TShowString line = species_line(lkSmallPicture, species);
    line.advance = line_height_ - text_advance;
    line.x = std::min(20, (170 - size.first) / 2);
    line.picture_acquired = true;
    line.value = size.second;
    insert_line(before, std::move(line));
    return line_height_ - text_advance;
}

void TShowStrings::insert_recording(SpeciesUnfolding& unfolding, Tcupaitem& item) {
    const int number = ++unfolding.recordings;
    const bool headed = unfolding.species.flag_e && head_subspecies_of(unfolding, item);
    insert_recording_number(unfolding, item, number, headed);
    insert_sound_bar(unfolding, item, number);
    insert_audio_cd_line(unfolding.before, item);
    insert_recording_description(unfolding.before, unfolding.species, item);
}

// A heading goes wherever the subspecies changes from the previous item's;
// returns whether one went in.
bool TShowStrings::head_subspecies_of(SpeciesUnfolding& unfolding, const Tcupaitem& item) {
    Tsubspecies* subspecies = subspecies_of(item);
    const bool changed = subspecies != unfolding.previous_subspecies;
    if (changed)
        insert_subspecies_heading(unfolding, subspecies,
                                  fonts().font(FontStyle::plain, -1, FontColour::black), 5);
    unfolding.previous_subspecies = subspecies;
    unfolding.previous_known = subspecies != nullptr;
    return changed;
}

// Without a subspecies the heading gathers the recordings assigned to none.
void TShowStrings::insert_subspecies_heading(SpeciesUnfolding& unfolding, Tsubspecies* subspecies,
                                             const DisplayFont& font, int spacing) {
    const int extra = spacing - (unfolding.previous_known ? 0 : unfolding.picture_offset);
    insert_paragraph(unfolding.before, lkSubspeciesHeader,
                     subspecies ? subspecies_title(core().texts, *subspecies)
                                : shstr_text(core().texts, kz_shstr::subspecies_not_known),
                     font, true, 0, extra)
        ->takes_back_picture_offset = !unfolding.previous_known;
    if (!subspecies)
        return;
    unfolding.headed.mark(*subspecies);
    if (subspecies_has_pictures(unfolding.species, subspecies)) {
        SHST_TShowString mark = species_line(lkSubspeciesPictures, unfolding.species);
        mark.bitmap = bitmap_pictures;
        mark.subspecies = subspecies;
        insert_line(unfolding.before, std::move(mark));
    }
}

void TShowStrings::insert_recording_number(const SpeciesUnfolding& unfolding, const Tcupaitem& item,
                                           int number, bool headed) {
    SHST_TShowString line = species_line(lkRecordingNumber, unfolding.species);
    line.x = kind_x(lkRecordingNumber);
    line.value = number;
    line.font = &fonts().normal();
    line.advance = environment_.geometry.horizontal_scroll_bar_height + line_height_ - 3;
    // Unless a heading did, the first recording takes back the picture's offset.
    if (&item == unfolding.species.first_recording_item && !headed) {
        line.advance += 5 - unfolding.picture_offset;
        line.takes_back_picture_offset = true;
    }
    insert_line(unfolding.before, std::move(line));
}

void TShowStrings::insert_sound_bar(const SpeciesUnfolding& unfolding, Tcupaitem& item,
                                    int number) {
    SHST_TShowString bar = species_line(lkSoundBar, unfolding.species);
    bar.x = kind_x(lkSoundBar);
    bar.sound_bar = std::make_unique<SoundBarRecord>();
    bar.sound_bar->item = &item;
    bar.sound_bar->recording_number = number;
    bar.sound_bar->fold_key = unfolding.fold_key_base + number;
    insert_line(unfolding.before, std::move(bar));
}

void TShowStrings::insert_audio_cd_line(Line before, const Tcupaitem& item) {
    TaudioCD* audio_cd = item.cut_part->audio_cd;
    if (item.cut_part->is_sound_file || !audio_cd)
        return;
    insert_paragraph(before, lkAudioCDLine,
                     std::string("       CD ") + markup::link + audio_cd->media_text_2 +
                         markup::link,
                     fonts().normal(), false)
        ->audio_cd = audio_cd;
}

// The details box when there are details to unfold, then the recording's
// label, text and share.
void TShowStrings::insert_recording_description(Line before, Tspecies& species,
                                                const Tcupaitem& item) {
    const bool boxed = has_details(item);
    if (boxed)
        insert_details_box(before, species);
    const int label_shift = insert_recording_label(before, species, item, boxed);
    insert_paragraph(before, lkRecordingText, recording_text(item, core()), fonts().normal(), false,
                     label_shift)
        ->species = &species;
    if (item.number != 100)
        insert_recording_percent(before, species, item);
}

bool TShowStrings::has_details(const Tcupaitem& item) const {
    return !recordist_line(item, core()).empty() || !locality_line(item, core()).empty() ||
           !also_audible_line(item).empty();
}

void TShowStrings::insert_details_box(Line before, Tspecies& species) {
    SHST_TShowString details = species_line(lkDetailsBox, species);
    details.x = kind_x(lkDetailsBox);
    const int box_top = display_bitmap_offsets[bitmap_little_plus].second;
    details.advance =
        std::max(details_size_, environment_.geometry.sound_bar_reach + box_gap - box_top);
    details.bitmap = bitmap_little_plus;
    insert_line(before, std::move(details));
}

// The details box, when there is one, already advances the label's row.
// Returns how far the recording's text moves right past the label.
int TShowStrings::insert_recording_label(Line before, Tspecies& species, const Tcupaitem& item,
                                         bool boxed) {
    const bool stand_in = item.type_letter == "X";
    SHST_TShowString label = species_line(lkRecordingLabel, species);
    label.x = kind_x(lkRecordingLabel);
    label.advance = boxed ? 0 : details_size_;
    label.font = &fonts().font(FontStyle::bold, 1, FontColour::black);
    label.text = stand_in ? "AAA" : item.type_letter;
    insert_line(before, std::move(label));
    return stand_in ? 3 * average_char_width_ : 0;
}

void TShowStrings::insert_recording_percent(Line before, Tspecies& species, const Tcupaitem& item) {
    SHST_TShowString percent = species_line(lkRecordingPercent, species);
    percent.x = kind_x(lkRecordingPercent);
    percent.advance = line_height_;
    percent.font = &fonts().normal();
    percent.value = item.number;
    percent.text =
        capitalise_first(shstr_text(core().texts, kz_shstr::certainty_of_identification)) +
        std::to_string(item.number) + "%";
    insert_line(before, std::move(percent));
}

// Subspecies with pictures but no recordings shown get a heading of their own.
void TShowStrings::insert_subspecies_with_pictures_only(SpeciesUnfolding& unfolding) {
    const DisplayFont& font = fonts().font(FontStyle::bold, -1, FontColour::black);
    for_each_unheaded_subspecies(unfolding.species, unfolding.headed, [&](Tsubspecies& subspecies) {
        if (!subspecies_has_pictures(unfolding.species, &subspecies))
            return;
        insert_subspecies_heading(unfolding, &subspecies, font, 20);
        unfolding.previous_known = true;
    });
}

// Where every species shows its subspecies, the ones still without a heading
// are listed together.
void TShowStrings::insert_subspecies_list(const SpeciesUnfolding& unfolding) {
    std::string list;
    for_each_unheaded_subspecies(unfolding.species, unfolding.headed,
                                 [&](const Tsubspecies& subspecies) {
                                     separate(list);
                                     list += markup::italic + subspecies.name + markup::italic;
                                 });
    if (!list.empty())
        insert_paragraph(unfolding.before, lkSubspeciesHeader, list + ".",
                         fonts().font(FontStyle::plain, -1, FontColour::black), true, 0, 10);
}

void TShowStrings::unfold_details(Line box) {
    // The item is the one of the sound bar line above the box.
    Line at = box;
    while (at != lines_.begin() && at->kind != lkSoundBar)
        --at;
    if (at->kind != lkSoundBar || !at->sound_bar)
        return;
    const Tcupaitem& item = *at->sound_bar->item;
    const DisplayFont& font = fonts().normal();
    const Line before = row_end(box);

    if (std::string line = recordist_line(item, core()); !line.empty())
        insert_paragraph(before, lkRecordistLine, line, font, true);
    if (std::string line = locality_line(item, core()); !line.empty())
        insert_paragraph(before, lkLocalityLine, line, font, true);

    if (std::string line = also_audible_line(item); !line.empty())
        insert_paragraph(before, lkAlsoAudibleLine, line, font, true);
}

std::string TShowStrings::also_audible_line(const Tcupaitem& item) const {
    const std::size_t slot = options_->systematic_order;
    const std::uint32_t options = options_->name_options();
    std::string heard = capitalise_first(shstr_text(core().texts, kz_shstr::also_audible));
    bool others = false;
    for (const Tcupaitem* other = item.cut_part->first_recording_item[slot]; other;
         other = other->next_item_of_cut_part[slot]) {
        // Another item of the same species on the recording counts too: it
        // tells what else of that bird is heard (a second bird, calls).
        if (other == &item)
            continue;
        if (others)
            heard += ",";
        others = true;
        const Tspecies& species = *other->species;
        std::string names;
        for (int position = 1; position <= 2; ++position) {
            const int kind = name_kind_at(position, options);
            const std::string& name = kind == 1 ? species.scientific_name : species.language_name;
            if (kind == 0 || name.empty())
                continue;
            const std::string shown =
                name_text(species.scientific_name, species.language_name, kind, true);
            names += names.empty() ? shown : " (" + shown + ")";
        }
        if (names.empty())
            names = markup::italic + species.scientific_name + markup::italic;
        heard += " " + names;
        if (const std::string annotation = annotation_of(*other, core()); !annotation.empty())
            heard += " (" + annotation + ")";
    }
    if (!others && core().product.capabilities.drops_also_audible_line_without_others)
        return {};
    if (!others)
        heard += shstr_text(core().texts, kz_shstr::no_other_species);
    return heard + ".";
}

FoldResult TShowStrings::toggle_fold(Line box, bool only_unfold, bool only_fold) {
    FoldResult result;
    if (!is_fold_box(box->kind) || box->bitmap == bitmap_invisible_box)
        return result;
    const bool unfolded = box->value == 1;
    if ((unfolded && only_unfold) || (!unfolded && only_fold))
        return result;
    const Line from = row_end(box);
    if (unfolded) {
        Line to = from;
        while (to != lines_.end() && !ends_fold_of(box->kind, to->kind))
            ++to;
        for (Line line = from; line != to; ++line)
            result.removed_height += line->advance;
        remove_lines(from, to);
        box->value = 0;
        box->bitmap = box->kind == lkFamilyBox    ? bitmap_family_plus
                      : box->kind == lkSpeciesBox ? bitmap_species_plus
                                                  : bitmap_little_plus;
    } else {
        const Line after = from;
        const Line previous = std::prev(after);
        if (box->kind == lkFamilyBox)
            unfold_family(box);
        else if (box->kind == lkSpeciesBox)
            unfold_species(box);
        else
            unfold_details(box);
        for (Line line = std::next(previous); line != after; ++line)
            result.added_height += line->advance;
        box->value = 1;
        box->bitmap = box->kind == lkFamilyBox    ? bitmap_family_minus
                      : box->kind == lkSpeciesBox ? bitmap_species_minus
                                                  : bitmap_little_minus;
    }
    update_box_height_after(box);
    result.changed = true;
    return result;
}

// A fold box after an unfolded species with a small picture starts at least 10
// pixels below the picture. Only the box after the toggled box's species can
// change; the walk starts at that species' box, above its picture.
void TShowStrings::update_box_height_after(Line box) {
    Line start = box;
    if (box->kind == lkDetailsBox) {
        while (start != lines_.begin() && start->kind != lkSpeciesBox)
            --start;
    }
    int picture_height = 0;
    int below_picture = 0;
    bool after_picture = false;
    Line line = std::next(start);
    for (; line != lines_.end() && line->kind != lkFamilyBox && line->kind != lkSpeciesBox;
         ++line) {
        if (after_picture)
            below_picture += line->advance;
        if (line->kind == lkSmallPicture) {
            after_picture = true;
            picture_height = line->value;
            below_picture = 0;
        }
    }
    if (line != lines_.end())
        line->advance = after_picture ? std::max(row_height_, picture_height - below_picture + 10)
                                      : row_height_;
}

void TShowStrings::rewrap() {
    wrapped_width_ = environment_.geometry.client_width;
    int text_advance = 0;  // of the text beside the species' small picture
    int offset_change = 0; // how much more room the picture line took than it takes now
    for (SHST_TShowString& line : lines_) {
        if (line.kind == lkFamilyBox || line.kind == lkSpeciesBox) {
            text_advance = 0;
            offset_change = 0;
        }
        if (is_paragraph(line.kind)) {
            if (line.takes_back_picture_offset)
                line.extra_advance += offset_change;
            wrap_paragraph(line);
            if (line.kind == lkSpeciesText)
                text_advance = line.advance;
        } else if (line.kind == lkSmallPicture) {
            const int offset = line_height_ - text_advance;
            offset_change = line.advance - offset;
            line.advance = offset;
        } else if (line.takes_back_picture_offset) {
            line.advance += offset_change;
        }
    }
    update_unfolded_box_heights();
}

bool TShowStrings::add_missing_small_pictures() {
    bool added = false;
    for (Line box = lines_.begin(); box != lines_.end(); ++box) {
        if (box->kind != lkSpeciesBox || box->value != 1 || !box->species)
            continue;
        const Line details = row_end(box);
        Line end = details;
        bool has_picture = false;
        for (; end != lines_.end() && !ends_fold_of(lkSpeciesBox, end->kind); ++end)
            has_picture = has_picture || end->kind == lkSmallPicture;
        if (has_picture)
            continue;
        const std::optional<std::pair<int, int>> picture = acquire_small_picture(*box->species);
        if (!picture)
            continue;
        // As when the species unfolds with its picture: the text moves right and
        // the picture line follows it.
        Line after_text = details;
        int text_advance = 0;
        if (details != end && details->kind == lkSpeciesText) {
            details->x += picture_text_shift;
            wrap_paragraph(*details);
            text_advance = details->advance;
            after_text = std::next(details);
        }
        const int offset = insert_small_picture(after_text, *box->species, *picture, text_advance);
        for (Line line = after_text; line != end; ++line) {
            if (!line->takes_back_picture_offset)
                continue;
            line->advance -= offset;
            if (is_paragraph(line->kind))
                line->extra_advance -= offset;
        }
        update_box_height_after(box);
        added = true;
    }
    return added;
}

void TShowStrings::update_unfolded_box_heights() {
    for (Line line = lines_.begin(); line != lines_.end(); ++line) {
        if (line->kind == lkSpeciesBox && line->value == 1)
            update_box_height_after(line);
    }
}

void TShowStrings::apply_name_options(std::uint32_t name_options) {
    const bool current_was_name = current_line && is_name_line((*current_line)->kind);
    for (Line line = lines_.begin(); line != lines_.end();) {
        if (is_name_line(line->kind)) {
            Line next = std::next(line);
            remove_lines(line, next);
            line = next;
        } else {
            ++line;
        }
    }
    options_->set_name_options(name_options);
    for (Line line = lines_.begin(); line != lines_.end(); ++line) {
        if (is_header(line->kind))
            insert_name_lines(std::next(line), line->family, line->species,
                              line->kind == lkSpeciesHeader);
    }
    if (current_was_name && !current_line)
        current_line = first_family_name_line();
}

void TShowStrings::unfold_families(const std::vector<int>& family_numbers) {
    Line search = lines_.begin();
    for (int number : family_numbers) {
        Line found = lines_.end();
        for (Line line = search; line != lines_.end(); ++line) {
            if (line->kind == lkFamilyHeader && line->value == number) {
                found = line;
                break;
            }
        }
        if (found == lines_.end())
            return;
        toggle_fold(std::prev(found), true, false);
        search = found;
    }
}

void TShowStrings::fold_all() {
    for (Line line = lines_.begin(); line != lines_.end(); ++line) {
        if (line->kind == lkFamilyBox && line->value == 1)
            toggle_fold(line, false, true);
    }
    current_line = first_family_name_line();
}

int TShowStrings::total_height() const {
    int height = 0;
    for (auto line = lines_.begin(); line != lines_.end(); ++line) {
        if (std::next(line) != lines_.end())
            height += line->advance;
    }
    return height;
}

int TShowStrings::offset_of(Line line) const {
    int offset = 0;
    for (auto at = lines_.begin(); at != lines_.end() && at != line; ++at)
        offset += at->advance;
    return offset;
}

std::optional<Line> TShowStrings::find_header(int family_number, int species_number) {
    for (Line line = lines_.begin(); line != lines_.end(); ++line) {
        if (line->kind != lkFamilyHeader || line->value != family_number)
            continue;
        if (species_number == 0)
            return line;
        for (Line inner = std::next(line); inner != lines_.end() && inner->kind != lkFamilyBox;
             ++inner) {
            if (inner->kind == lkSpeciesHeader && inner->value == species_number)
                return inner;
        }
        return std::nullopt;
    }
    return std::nullopt;
}

DisplayState TShowStrings::state_for_saving() const {
    DisplayState state;
    const ConstLine lines = lines_.begin();
    const ConstLine end = lines_.end();
    // The top row: the first line whose bottom is not above the painted top.
    int offset = 0;
    ConstLine top = end;
    for (auto line = lines; line != end; ++line) {
        offset += line->advance;
        if (offset >= painted_top) {
            top = line;
            break;
        }
    }
    if (top != end) {
        if (is_fold_box(top->kind) && std::next(top) != end)
            ++top; // a fold box counts as the row it opens
        state.top_family = family_number_of(top);
        const auto species = species_box_of(top);
        state.top_species = species ? std::next(*species)->value : 0;
        // Unfolded families seen from the top row's family down the painted area.
        auto header = top;
        while (header != lines && header->kind != lkFamilyHeader)
            --header;
        int header_offset = 0;
        for (ConstLine at = lines; at != header; ++at)
            header_offset += at->advance;
        for (auto line = header; line != end && state.unfolded_families.size() < 20; ++line) {
            if (line != header)
                header_offset += std::prev(line)->advance;
            if (line->kind != lkFamilyHeader)
                continue;
            if (header_offset > painted_bottom)
                break;
            if (std::prev(line)->value == 1)
                state.unfolded_families.push_back(line->value);
        }
    }
    if (current_line) {
        state.current_family = std::max(1, family_number_of(*current_line));
        const auto species = species_box_of(*current_line);
        state.current_species = species ? std::next(*species)->value : 0;
    }
    return state;
}

} // namespace pemmaro
