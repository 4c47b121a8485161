#include "data/CountryAreas.h"

#include "common/SettingsFile.h"
#include "common/WindowSettings.h"
#include "platform/Ansi.h"

#include <cassert>
#include <string>

namespace pemmaro {

namespace {

constexpr char other_countries_letter = 'O';

} // namespace

TCountryArea::TCountryArea(const ProductCapabilities& product)
    : HomeLetter(product.home_letter) {}

TCountryArea::TCountryArea(std::string_view text, bool report_errors, std::string_view species_name,
                           const ProductCapabilities& product)
    : TCountryArea(product) {
    TCountryArea::ReadText(text, report_errors, species_name);
}

std::unique_ptr<TArea> TCountryArea::clone() const {
    return std::make_unique<TCountryArea>(*this);
}

void TCountryArea::Assign(const TArea& source) {
    const auto* same = dynamic_cast<const TCountryArea*>(&source);
    assert(same != nullptr && "an area is assigned only from an area of its own class");
    if (same == nullptr)
        return;
    InHomeCountry = same->InHomeCountry;
    InOtherCountries = same->InOtherCountries;
}

bool TCountryArea::Overlaps(const TArea& other) const {
    const auto* same = dynamic_cast<const TCountryArea*>(&other);
    if (same == nullptr)
        return false;
    return (InHomeCountry && same->InHomeCountry) || (InOtherCountries && same->InOtherCountries);
}

bool TCountryArea::IsInHomeArea() const {
    return InHomeCountry;
}

bool TCountryArea::IsOnlyInHomeArea() const {
    return InHomeCountry && !InOtherCountries;
}

void TCountryArea::SelectAll() {
    InHomeCountry = true;
    InOtherCountries = true;
}

void TCountryArea::SelectHomeCountry() {
    InHomeCountry = true;
}

void TCountryArea::SaveToSettings(const SettingsFile& settings, std::string_view section) const {
    settings.write_string(section, window_settings::selected_area, ToText());
}

std::string TCountryArea::ToText() const {
    std::string text;
    // A product without a home letter must not put a NUL into the settings file.
    if (InHomeCountry && HomeLetter != '\0')
        text += HomeLetter;
    if (InHomeCountry && InOtherCountries)
        text += '-';
    if (InOtherCountries)
        text += other_countries_letter;
    return text;
}

// The letters may stand anywhere, so no text is ever wrong.
void TCountryArea::ReadText(std::string_view text, bool, std::string_view) {
    InHomeCountry = false;
    InOtherCountries = false;
    for (char c : text) {
        const char upper = ascii_upper(c);
        if (HomeLetter != '\0' && upper == HomeLetter)
            InHomeCountry = true;
        if (upper == other_countries_letter)
            InOtherCountries = true;
    }
}

} // namespace pemmaro
