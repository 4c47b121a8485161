#pragma once
// Which product of the family is running, decided once from "PROGR_NM.TXT".

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace pemmaro {

enum class EditionLanguage { none, english, spanish, dutch, portuguese };

struct ProductSettings {
    int product_code = 103;
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
// code 103 with the error title. kz_globs holds lines 1..6 of "KZ_GLOBS" at 1..6.
ProductSettings product_settings_for(std::optional<int> product_number,
                                     std::span<const std::string> kz_globs);

// Reads "PROGR_NM.TXT" (messages as designed), sets product() and the caption
// of all message boxes.
void establish_product();

// The first line of the product number file read as a decimal number; none for
// trailing text or no number.
std::optional<int> parse_product_number(std::string_view first_line);

} // namespace pemmaro
