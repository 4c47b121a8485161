#pragma once
// Which product of the family is running, decided once from "PROGR_NM.TXT".

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace pemmaro {

enum class EditionLanguage { none, english, spanish, dutch, portuguese };

// The area class of the distribution texts and of the windows' selected areas.
enum class ProductArea { none, region, country };

// Which species of the data set belong to the product's region.
enum class RegionRule {
    every_species,
    species_id_below_million,
    species_id_below_million_or_2005002,
    species_id_from_52000_to_55500,
    distribution_mentions_v,
    distribution_mentions_c_or_p
};

// What the "D" flag of a species does to its distribution maps.
enum class MapReferences { read, map_file_only, ignored };

// Whether a window shows every species of its area, also those without
// pictures or recordings.
enum class AllSpeciesOfArea { never, always, as_set };

// What a product code changes in the rules the products share, each named
// for what it does; capabilities_of holds the codes.
struct ProductCapabilities {
    ProductArea area = ProductArea::none;
    char home_letter = '\0'; // of the home country in distribution texts
    RegionRule region_rule = RegionRule::every_species;
    MapReferences map_references = MapReferences::read;
    std::string_view distribution_map_extension = "bmp";
    // The country texts name the second country as well.
    bool names_second_country = false;
    // " (USA)" and " (Canada)" are left out of the recordings' texts.
    bool drops_usa_and_canada = false;
    // A locality in the home country is named without its country.
    bool omits_home_country_of_localities = false;
    AllSpeciesOfArea all_species_of_area = AllSpeciesOfArea::never;
    // A window's stored empty set of audio CDs means every CD.
    bool empty_audio_cd_set_means_all = false;
    // Display lines.
    bool notes_occurrence_in_home_area = false;
    bool tells_country_of_recordings_abroad = false;
    bool breaks_line_after_subspecies_remark = false;
    bool marks_home_country_recordings = false;
    bool annotates_accidental_species = true;
    bool drops_also_audible_line_without_others = false;
    // Browsing window menus.
    bool offers_intro_screen_choice = true;
    bool offers_birds_of_other_countries = false;
    bool offers_area_selection = false;
    bool offers_copy_to_hard_disk = true;
    // The sound shows choose only species whose species_id lies in 52000..52999.
    bool sound_shows_keep_to_species_ids_52000_to_52999 = false;
    bool operator==(const ProductCapabilities&) const = default;
};

ProductCapabilities capabilities_of(int product_code);

struct ProductSettings {
    int product_code = 103;
    ProductCapabilities capabilities = capabilities_of(103);
    bool edition_english = false;
    bool edition_spanish = false;
    bool edition_dutch = false;
    bool edition_portuguese = false;
    std::string home_country;
    std::string second_country;
    std::string product_title;
    std::string product_version = "1.0";
    std::string update_address;
    bool forces_flag_e = false;
    bool offers_systematic_orders = false;
    bool systematic_order_2_item = false;
    bool systematic_order_3_item = false;
    bool has_systematic_order_file = false;
    bool is_product_104 = false;
    std::string home_country_text_1;
    std::string home_country_text_2;
    bool operator==(const ProductSettings&) const = default;
};

// One row of the product table.
struct ProductRow {
    int english_number; // the product number of the English edition
    int other_number;   // the other edition's number
    EditionLanguage other_language;
    bool sets_edition_flags; // false: neither number sets a language flag
    int product_code;
    std::string_view home_country;
    std::string_view second_country;
    std::string_view title_english;
    std::string_view title_other;
    std::string_view version;
    std::string_view update_base_address;
    bool forces_flag_e;
    bool offers_systematic_orders;
    bool systematic_order_2_item;
    bool systematic_order_3_item;
    bool has_systematic_order_file;
};

std::span<const ProductRow> product_table();
const ProductRow* find_product_row(int product_number);

inline constexpr std::string_view product_number_file = "PROGR_NM.TXT";
inline constexpr std::string_view unknown_product_title = "Error: Unknown Velmora Program";

ProductSettings& product();

// Builds the settings for a product number; an unknown number (or none) gives
// code 103 with the error title. globs holds lines 1..6 of "KZ_GLOBS" at 1..6.
ProductSettings product_settings_for(std::optional<int> product_number,
                                     std::span<const std::string> globs);

// Reads "PROGR_NM.TXT" (messages as designed), sets product() and the caption
// of all message boxes.
void establish_product();

// The first line of the product number file read as a decimal number; none for
// trailing text or no number.
std::optional<int> parse_product_number(std::string_view first_line);

} // namespace pemmaro
