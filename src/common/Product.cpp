#include "common/Product.h"

#include "common/FileOperations.h"
#include "common/LanguageTexts.h"
#include "common/TextAndNumbers.h"
#include "platform/Messages.h"

#include <QFile>
#include <array>

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

std::string line_of(std::span<const std::string> kz_globs, std::size_t n) {
    return n < kz_globs.size() ? kz_globs[n] : std::string();
}

void build_country_texts(ProductSettings& settings, std::span<const std::string> kz_globs) {
    settings.home_country_text_1 = line_of(kz_globs, 4) + " " + settings.home_country;
    settings.home_country_text_2 = line_of(kz_globs, 5) + " " + settings.home_country;
    if (settings.product_code == 112) {
        const std::string second = " " + line_of(kz_globs, 6) + " " + settings.second_country;
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
    std::vector<std::string> kz_globs = texts("KZ_GLOBS", 5);
    kz_globs.insert(kz_globs.begin(), std::string());
    const std::string name(product_number_file);
    std::optional<int> number;
    if (const std::optional<std::string> path = find_data_file(name); !path) {
        message(kz_globs[1] + name + kz_globs[2], MessageIcon::error);
    } else if (const FirstLine first = read_first_line(*path); first.read_error) {
        message(kz_globs[3] + system_text(*path), MessageIcon::error);
    } else {
        number = parse_product_number(first.text);
    }
    product() = product_settings_for(number, kz_globs);
    set_message_caption(product().product_title);
}

} // namespace pemmaro
