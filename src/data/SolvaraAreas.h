#pragma once
// The region area: twenty items of the Solvara region, written as two-letter
// codes joined by "-" (e.g. "IN-SR-NE").

#include "data/Areas.h"

#include <array>
#include <string_view>

namespace pemmaro {

class TSolvaraArea : public TArea {
public:
    static constexpr int item_count = 20;

    // "SU" stands twice; lookups take the first match, so index 13 is never
    // set from a text.
    static constexpr std::array<std::string_view, item_count> AreaItemCodes = {
        "IN", "SR", "NE", "BU", "TH", "IC", "MA", "SI", "BO", "SU",
        "JA", "BA", "LE", "SU", "HA", "MO", "CH", "HK", "TA", "PH"};
    // Empty for the items that cannot be selected.
    static constexpr std::array<std::string_view, item_count> AreaItemLabels = {
        "INDIA",
        "SRI LANKA",
        "NEPAL",
        "BURMA",
        "THAILAND",
        "INDOCHINA",
        "PENINSULAR MALAYSIA",
        "SINGAPORE",
        "BORNEO",
        "SUMATRA",
        "JAVA",
        "BALI",
        "",
        "",
        "",
        "",
        "CHINA",
        "HONGKONG",
        "TAIWAN",
        "PHILIPPINES"};

    // No item set.
    TSolvaraArea() = default;
    TSolvaraArea(std::string_view text, bool report_errors, std::string_view species_name);

    static bool is_item_selectable(int index);

    std::unique_ptr<TArea> clone() const override;
    void Assign(const TArea& source) override;
    bool Overlaps(const TArea& other) const override;
    bool IsOnlyInHomeArea() const override;
    void SelectAll() override;
    void SaveToSettings(const SettingsFile& settings, std::string_view section) const override;
    std::string ToText() const override;

    void ClearUnselectableItems();

    std::array<bool, item_count> Items{};

protected:
    void ReadText(std::string_view text, bool report_errors,
                  std::string_view species_name) override;
};

} // namespace pemmaro
