#pragma once
// The country area: the home country (its letter, e.g. "B") and the other
// countries ("O"), written e.g. "B-O".

#include "common/Product.h"
#include "data/Areas.h"

#include <string_view>

namespace pemmaro {

class TCountryArea : public TArea {
public:
    // The home letter is the product's.
    explicit TCountryArea(const ProductCapabilities& product);
    TCountryArea(std::string_view text, bool report_errors, std::string_view species_name,
                 const ProductCapabilities& product);

    std::unique_ptr<TArea> clone() const override;
    void Assign(const TArea& source) override;
    bool Overlaps(const TArea& other) const override;
    bool IsInHomeArea() const override;
    bool IsOnlyInHomeArea() const override;
    void SelectAll() override;
    void SaveToSettings(const SettingsFile& settings, std::string_view section) const override;
    std::string ToText() const override;

    void SelectHomeCountry();

    char HomeLetter = '\0';
    bool InHomeCountry = true;
    bool InOtherCountries = false;

protected:
    void ReadText(std::string_view text, bool report_errors,
                  std::string_view species_name) override;
};

} // namespace pemmaro
