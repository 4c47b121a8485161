#include "data/Areas.h"

#include "common/Product.h"
#include "common/SettingsFile.h"
#include "common/WindowSettings.h"
#include "data/CountryAreas.h"
#include "data/SolvaraAreas.h"

namespace pemmaro {

void TArea::CreateFromSettings(const SettingsFile& settings, std::string_view section) {
    const std::string stored = settings.read_string(section, window_settings::selected_area, "");
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

std::unique_ptr<TArea> create_area_for_product(const ProductCapabilities& product) {
    switch (product.area) {
    case ProductArea::region:
        return std::make_unique<TSolvaraArea>();
    case ProductArea::country:
        return std::make_unique<TCountryArea>(product);
    case ProductArea::none:
        break;
    }
    return nullptr;
}

std::unique_ptr<TArea> create_area_from_text(const ProductCapabilities& product,
                                             std::string_view text, bool report_errors,
                                             std::string_view species_name) {
    switch (product.area) {
    case ProductArea::region:
        return std::make_unique<TSolvaraArea>(text, report_errors, species_name);
    case ProductArea::country:
        return std::make_unique<TCountryArea>(text, report_errors, species_name, product);
    case ProductArea::none:
        break;
    }
    return nullptr;
}

} // namespace pemmaro
