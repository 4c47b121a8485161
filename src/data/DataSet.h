#pragma once
// The data set: families in up to three systematic orders, species,
// subspecies, recordings (cut parts) and their items, big pictures,
// localities, people, map frames and audio CDs. Built once at start-up and
// read-only afterwards except for the small-picture cache, measured
// recording lengths and the audio CD state.
//
// Ownership: Tdata owns every record through its stores (stable addresses);
// records refer to each other with non-owning pointers that stay valid for the
// life of the Tdata. Chains are singly linked through the next fields.

#include "common/TextAndNumbers.h"

#include <array>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pemmaro {

class TArea;
class Ttextfile_handler;

// Display markup control characters kept in marked-up texts.
inline constexpr char markup_italic = 11;
inline constexpr char markup_bold = 12;
inline constexpr char markup_underline = 13;

struct Tfamily;
struct Tspecies;
struct Tcutpart;
struct Tcupaitem;
struct Tbig_picture;

struct Tperson {
    std::string key;           // the name by which texts and records refer to the person
    std::string person_text_1; // the two lines of the person pop-up
    std::string person_text_2;
};

struct Tmap_data {
    std::string name;
    int map_number = 0;
    PointExt first_pair;  // the first and third values
    PointExt second_pair; // the second and fourth values
};

struct Tsubspecies {
    std::string name;
    int number = 0; // 1-based position within the species
    Tsubspecies* next_subspecies = nullptr;
};

struct Trecord_ssp_data {
    Tsubspecies* subspecies = nullptr;
    bool is_p = false; // the assignment is uncertain: "(P)" in the data
};

struct Tlocality {
    std::string key;
    std::string name; // "ZERO LOCATION" stands for an unknown place
    std::string region_text;
    std::string country;
    std::string prefix_text;
    std::string locality_text;    // marked-up
    std::string description_file; // marked-up; empty when none
    int longitude = 0;            // hundredths of an arc minute
    bool longitude_marked_d = false;
    int latitude = 0;
    bool latitude_marked_d = false;
    bool show_country = true;
};

struct TaudioCD {
    int tape_number = 0;
    int cd_index = 0;         // 1-based position in file order
    std::string media_text_1; // the title in the audio CD selection
    std::string media_text_2; // the CD's name in questions, messages and the status line
    std::string media_text_3; // the disc identity, compared with the disc in the drive
    std::string media_text_4; // the address of the CD's information page
    std::string hard_disk_directory;
    bool on_hard_disk = false;
};

struct Tcutpart {
    std::string key;
    int tape_number = 0;
    char side_letter = ' ';
    int cut_number = 0;
    char sub_letter = ' ';
    bool is_sound_file = true;  // else a span of an audio CD track
    int compression_number = 0; // 0..9: the sound file's encoding suffix
    TaudioCD* audio_cd = nullptr;
    int track = 0;
    int offset_ms = 0; // where the span starts in its track
    // The length is the data file's whole seconds until a player measured it.
    bool length_from_file = false;
    int length_ms = 0;
    int time = -1;                      // hhmm, -1 when unknown
    int date = -1;                      // ddmmyy, -1 when unknown
    std::string cut_text_1, cut_text_2; // marked-up remarks on the recording
    Tperson* recordist = nullptr;
    Tlocality* locality = nullptr;
    std::array<Tcupaitem*, 4> first_recording_item{}; // index 1..3 by systematic order
};

struct Tcupaitem {
    std::string type_letter; // the quality class: "X" and "A" best, "B" good
    int number = 100;        // certainty of identification in percent, 100 by default
    std::string item_text_1; // marked-up: the recording's text (what is heard)
    bool flag_p =
        false; // shown with the species: the species' shown items end at the first without
    bool flag_x1 = false; // recorded outside the home country (told by product 101)
    std::optional<Trecord_ssp_data> subspecies_ref;
    std::string item_text_2; // marked-up: a remark on the recordist line
    Tspecies* species = nullptr;
    Tcutpart* cut_part = nullptr;
    Tcupaitem* next_item_of_species = nullptr;
    std::array<Tcupaitem*, 4> next_item_of_cut_part{}; // index 1..3
};

struct Tbig_picture {
    Tspecies* species = nullptr;
    std::optional<Trecord_ssp_data> subspecies_ref;
    Tperson* photographer = nullptr;
    int picture_value = -1; // the record's number line; -1 when empty
    std::string caption;    // marked-up
    Tlocality* locality = nullptr;
    bool in_show = true;    // usable in the slide show
    bool flag_x1 = false;   // "X1" on the record's flag line
    int picture_number = 0; // 1-based among the species' pictures
    Tbig_picture* previous_picture = nullptr;
    Tbig_picture* next_picture = nullptr;
};

struct MapReference {
    bool is_mask = false;
    Tmap_data* map = nullptr;
};

struct Tspecies {
    Tspecies();
    ~Tspecies();
    Tspecies(Tspecies&&) noexcept;
    Tspecies& operator=(Tspecies&&) noexcept;

    std::string scientific_name;
    std::string language_name;
    int species_id = 0;
    std::array<int, 4> order_position{0, 0, -1, -1}; // index 2 and 3 used
    int unique_id = 0;
    std::string taxa_text_2; // marked-up: extra other-language text, searched by find
    std::string taxa_text_3; // marked-up: the species' descriptive text
    std::string taxa_text_4; // marked-up: the distribution text shown with the maps
    std::string family_directory_name;
    Tfamily* family = nullptr;
    bool flag_a = false; // an accidental visitor to the region
    bool flag_m = false; // a migrant
    bool flag_s = false; // has a small picture
    bool has_recording_items = false;
    bool has_sound_file_recording = false;
    bool in_region = false;
    bool has_show_picture = false;
    bool flag_e = false; // recordings are grouped and named by subspecies
    bool flag_n = false; // no subspecies remark on its recordings
    Tperson* text_author = nullptr;
    bool has_map_file = false;
    int map_count = 0;
    std::array<MapReference, 3> maps{}; // index 1..2
    int big_picture_count = 0;
    int recording_item_count = 0;
    Tcupaitem* first_recording_item = nullptr;
    Tbig_picture* first_big_picture = nullptr;
    Tsubspecies* first_subspecies = nullptr;
    int subspecies_count = 0;
    std::array<Tspecies*, 4> next_species{}; // index 1..3
    bool small_picture_missing = false;
    std::unique_ptr<TArea> occurrence_areas;
    int threat_status = 0; // 0 none, 1 VU, 2 EN, 3 CR, 4 EX
};

struct Tfamily {
    std::string scientific_name;
    std::string language_name;
    std::string directory_name;               // order 1 only
    std::array<Tspecies*, 4> first_species{}; // index 1..3; the family's own order is used
    Tfamily* next_family = nullptr;
};

// A sorted, case-insensitive string index with one object per key: the first
// object added under a key wins. Objects are added while a file loads and the
// index is put in order once with finish(), so loading stays n log n.
template <class T> class SortedIndex {
public:
    struct Entry {
        std::string key;
        std::string folded; // the key upper-cased: what the order compares
        T* object;
    };

    void add(std::string key, T* object);
    void finish();
    T* find(std::string_view key) const;
    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    const Entry& operator[](std::size_t i) const { return entries_[i]; }
    auto begin() const { return entries_.begin(); }
    auto end() const { return entries_.end(); }
    // 0-based position of the key, none when absent.
    std::optional<std::size_t> position(std::string_view key) const;

private:
    std::vector<Entry> entries_;
};

// ASCII case-insensitive order of the index keys.
int compare_keys(std::string_view a, std::string_view b);

// Which names a display shows and which comes first.
struct NameChoice {
    bool show_scientific = true;
    bool show_other_language = true;
    bool scientific_first = false;
};

class Tdata {
public:
    Tdata();
    ~Tdata();
    Tdata(const Tdata&) = delete;
    Tdata& operator=(const Tdata&) = delete;

    std::array<int, 4> family_count{};      // index 1..3
    std::array<Tfamily*, 4> first_family{}; // index 1..3
    std::array<bool, 4> order_complete{false, true, false, false};
    Tperson* first_person = nullptr;
    SortedIndex<Tlocality> localities_by_description_name;
    SortedIndex<TaudioCD> audio_cds; // tape number in decimal
    SortedIndex<Tmap_data> maps;
    SortedIndex<Tspecies> species_by_unique_id;
    SortedIndex<Tlocality> localities;
    SortedIndex<Tperson> persons;
    SortedIndex<Tcutpart> cut_parts;

    // Stores that own the records (deque: addresses stay put as they grow).
    std::deque<Tfamily> family_store;
    std::deque<Tspecies> species_store;
    std::deque<Tsubspecies> subspecies_store;
    std::deque<Tperson> person_store;
    std::deque<Tmap_data> map_store;
    std::deque<Tlocality> locality_store;
    std::deque<TaudioCD> audio_cd_store;
    std::deque<Tcutpart> cut_part_store;
    std::deque<Tcupaitem> recording_item_store;
    std::deque<Tbig_picture> big_picture_store;

    // Lookups.
    Tspecies* species_by_id(int unique_id) const;
    // The n-th (1-based) person, in key order, whose key contains the fragment.
    Tperson* person_by_fragment(std::string_view fragment, int n = 1) const;
    Tlocality* locality_by_key(std::string_view key) const { return localities.find(key); }
    Tperson* person_by_key(std::string_view key) const { return persons.find(key); }
    Tcutpart* cut_part_by_reference_code(std::string_view code) const;

    // Clears every species' small-picture-missing mark (the base directory changed).
    void clear_small_picture_caches();

    // Counts over order 1.
    int species_count() const;
    int subspecies_count() const;
    int recording_item_count() const;
    int big_picture_count() const;
};

// The n-th (1-based) picture of the species; the last one when n exceeds the count.
Tbig_picture* nth_big_picture(const Tspecies& species, int n);
// The picture before or after current (the species' first one when there is
// no current picture, going forward); with a subspecies filter, pictures of
// other subspecies are passed over. None at either end.
Tbig_picture* neighbour_picture(const Tspecies& species, const Tsubspecies* subspecies_only,
                                bool forward, const Tbig_picture* current);
int position_of_recording_item(const Tcupaitem& item); // 1-based within its species

std::string cut_part_reference_code(const Tcutpart& cut_part);
std::string audio_cd_short_name(const TaudioCD& cd);
std::string locality_display_name(const Tlocality& locality);
std::string recording_time_text(int time, char time_separator);
std::string recording_date_text(int date);
std::string species_display_name(const Tspecies& species,
                                 const std::optional<Trecord_ssp_data>& subspecies_ref,
                                 const NameChoice& names, const Ttextfile_handler& texts);
// Appends the subspecies text to text.
void append_subspecies_text(std::string& text,
                            const std::optional<Trecord_ssp_data>& subspecies_ref, bool long_form,
                            const Ttextfile_handler& texts);

// The program's one data set; none before start-up loads it.
Tdata* data();
void set_data(std::unique_ptr<Tdata> loaded);
std::unique_ptr<Tdata> release_data();

} // namespace pemmaro
