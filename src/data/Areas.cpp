#include "data/Areas.h"

#include "common/SettingsFile.h"
#include "data/CountryAreas.h"
#include "data/SolvaraAreas.h"

namespace pemmaro {

namespace {

constexpr int solvara_product = 106;

bool has_country_area(int product_code) {
    return product_code == 101 || product_code == 114;
}

} // namespace

void TArea::CreateFromSettings(std::string_view section) {
    const std::string stored = read_string(section, selected_area_key, "");
    if (!stored.empty())
        ReadText(stored, false, "");
    else
        SelectAll();
}

bool TArea::Overlaps(const TArea&) const {
    return true;
}

bool TArea::IsInHomeArea() const {
    return true;
}

std::unique_ptr<TArea> create_area_for_product(int product_code) {
    if (product_code == solvara_product)
        return std::make_unique<TSolvaraArea>();
    if (has_country_area(product_code))
        return std::make_unique<TCountryArea>(product_code);
    return nullptr;
}

std::unique_ptr<TArea> create_area_from_text(int product_code, std::string_view text,
                                             bool report_errors, std::string_view species_name) {
    if (product_code == solvara_product)
        return std::make_unique<TSolvaraArea>(text, report_errors, species_name);
    if (has_country_area(product_code))
        return std::make_unique<TCountryArea>(text, report_errors, species_name, product_code);
    return nullptr;
}

} // namespace pemmaro
