#include "common/Product.h"

#include "common/FileOperations.h"
#include "common/LanguageTexts.h"
#include "common/TextAndNumbers.h"
#include "platform/Messages.h"

#include <QFile>
#include <algorithm>
#include <array>
#include <initializer_list>

namespace pemmaro {

namespace {

constexpr std::array<ProductRow, 1> rows = {{
    {.english_number = 1061,
     .other_number = 1062,
     .other_language = EditionLanguage::none,
     .sets_edition_flags = false,
     .product_code = 106,
     .home_country = "",
     .second_country = "",
     .title_english = "Pemmaro - Birds of the Solvara Region",
     .title_other = "Pemmaro - Birds of the Solvara Region",
     .version = "1.0",
     .update_base_address = "https://update.pemmaro.example/solvara/",
     .forces_flag_e = false,
     .offers_systematic_orders = false,
     .systematic_order_2_item = false,
     .systematic_order_3_item = false,
     .has_systematic_order_file = false},
}};

std::string_view update_page(const ProductSettings& settings) {
    if (settings.edition_spanish)
        return "EnterFromDiskProgramSpanish.htm";
    if (settings.edition_dutch)
        return "EnterFromDiskProgramDutch.htm";
    if (settings.edition_portuguese)
        return "EnterFromDiskProgramPortuguese.htm";
    return "EnterFromDiskProgramEnglish.htm";
}

void set_edition_language(ProductSettings& settings, EditionLanguage language) {
    settings.edition_english = language == EditionLanguage::english;
    settings.edition_spanish = language == EditionLanguage::spanish;
    settings.edition_dutch = language == EditionLanguage::dutch;
    settings.edition_portuguese = language == EditionLanguage::portuguese;
}

void apply_row(ProductSettings& settings, const ProductRow& row, int product_number) {
    const bool english = product_number == row.english_number;
    settings.product_code = row.product_code;
    settings.capabilities = capabilities_of(row.product_code);
    if (row.sets_edition_flags)
        set_edition_language(settings, english ? EditionLanguage::english : row.other_language);
    settings.home_country = row.home_country;
    settings.second_country = row.second_country;
    settings.product_title = english ? row.title_english : row.title_other;
    if (!row.version.empty())
        settings.product_version = row.version;
    settings.forces_flag_e = row.forces_flag_e;
    settings.offers_systematic_orders = row.offers_systematic_orders;
    settings.systematic_order_2_item = row.systematic_order_2_item;
    settings.systematic_order_3_item = row.systematic_order_3_item;
    settings.has_systematic_order_file = row.has_systematic_order_file;
    if (!row.update_base_address.empty())
        settings.update_address = std::string(row.update_base_address) + settings.product_version +
                                  "/" + std::string(update_page(settings));
}

std::string line_of(std::span<const std::string> globs, const TextLine& line) {
    const auto n = static_cast<std::size_t>(line.number);
    return n < globs.size() ? globs[n] : std::string();
}

void build_country_texts(ProductSettings& settings, std::span<const std::string> globs) {
    settings.home_country_text_1 =
        line_of(globs, kz_globs::not_in_home_country) + " " + settings.home_country;
    settings.home_country_text_2 =
        line_of(globs, kz_globs::outside_home_country) + " " + settings.home_country;
    if (settings.capabilities.names_second_country) {
        const std::string second =
            " " + line_of(globs, kz_globs::and_second_country) + " " + settings.second_country;
        settings.home_country_text_1 += second;
        settings.home_country_text_2 += second;
    }
}

struct FirstLine {
    bool read_error = false;
    std::string text;
};

FirstLine read_first_line(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return {true, {}};
    const QByteArray line = file.readLine(4096);
    if (file.error() != QFileDevice::NoError)
        return {true, {}};
    std::string text = line.toStdString();
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return {false, text};
}

} // namespace

ProductCapabilities capabilities_of(int code) {
    const auto among = [code](std::initializer_list<int> codes) {
        return std::find(codes.begin(), codes.end(), code) != codes.end();
    };
    ProductCapabilities can;
    can.area = code == 106         ? ProductArea::region
               : among({101, 114}) ? ProductArea::country
                                   : ProductArea::none;
    can.home_letter = code == 101 ? 'B' : code == 114 ? 'E' : '\0';
    can.region_rule = code == 101   ? RegionRule::species_id_below_million_or_2005002
                      : code == 114 ? RegionRule::species_id_below_million
                      : code == 104 ? RegionRule::species_id_from_52000_to_55500
                      : code == 111 ? RegionRule::distribution_mentions_v
                      : code == 112 ? RegionRule::distribution_mentions_c_or_p
                                    : RegionRule::every_species;
    can.map_references = code == 111   ? MapReferences::map_file_only
                         : code == 112 ? MapReferences::ignored
                                       : MapReferences::read;
    can.distribution_map_extension = code == 111 ? "xxx" : "bmp";
    can.names_second_country = code == 112;
    can.drops_usa_and_canada = code == 109;
    can.omits_home_country_of_localities = among({101, 111, 114});
    can.all_species_of_area = among({101, 104, 108, 111, 112}) ? AllSpeciesOfArea::always
                              : code == 114                    ? AllSpeciesOfArea::as_set
                                                               : AllSpeciesOfArea::never;
    can.empty_audio_cd_set_means_all = code == 109;
    can.notes_occurrence_in_home_area = among({101, 114});
    can.tells_country_of_recordings_abroad =
        (code >= 101 && code <= 103) || (code >= 111 && code <= 114);
    can.breaks_line_after_subspecies_remark = code == 114;
    can.marks_home_country_recordings = code == 101;
    can.annotates_accidental_species = code != 109;
    can.drops_also_audible_line_without_others = (code >= 107 && code <= 109) || code == 114;
    can.offers_intro_screen_choice = code != 101;
    can.offers_birds_of_other_countries = code == 101;
    can.offers_area_selection = code == 106;
    can.offers_copy_to_hard_disk = code != 106;
    can.sound_shows_keep_to_species_ids_52000_to_52999 = code == 101;
    return can;
}

std::span<const ProductRow> product_table() {
    return rows;
}

const ProductRow* find_product_row(int product_number) {
    for (const ProductRow& row : rows) {
        if (product_number == row.english_number || product_number == row.other_number)
            return &row;
    }
    return nullptr;
}

ProductSettings& product() {
    static ProductSettings settings;
    return settings;
}

ProductSettings product_settings_for(std::optional<int> product_number,
                                     std::span<const std::string> kz_globs) {
    ProductSettings settings;
    const ProductRow* row = product_number ? find_product_row(*product_number) : nullptr;
    if (row != nullptr) {
        apply_row(settings, *row, *product_number);
    } else {
        settings.product_code = 103;
        settings.capabilities = capabilities_of(103);
        settings.product_title = std::string(unknown_product_title);
    }
    settings.is_product_104 = settings.product_code == 104;
    build_country_texts(settings, kz_globs);
    return settings;
}

std::optional<int> parse_product_number(std::string_view first_line) {
    const IntConversion number = text_to_int(first_line, 0);
    if (number.error)
        return std::nullopt;
    return static_cast<int>(number.value);
}

void establish_product() {
    // Index n holds line n of "KZ_GLOBS".
    const TextLine& last = kz_globs::and_second_country;
    std::vector<std::string> globs = texts(last.section, last.number - 1);
    globs.insert(globs.begin(), std::string());
    const std::string name(product_number_file);
    std::optional<int> number;
    if (const std::optional<std::string> path = find_data_file(name); !path) {
        message(text(kz_globs::file_not_found_before_name) + name +
                    text(kz_globs::file_not_found_after_name),
                MessageIcon::error);
    } else if (const FirstLine first = read_first_line(*path); first.read_error) {
        message(text(kz_globs::file_unreadable) + system_text(*path), MessageIcon::error);
    } else {
        number = parse_product_number(first.text);
    }
    product() = product_settings_for(number, globs);
    set_message_caption(product().product_title);
}

} // namespace pemmaro
