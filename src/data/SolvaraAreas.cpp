#include "data/SolvaraAreas.h"

#include "common/SettingsFile.h"
#include "common/WindowSettings.h"
#include "platform/Ansi.h"
#include "platform/Messages.h"

#include <cassert>
#include <string>

namespace pemmaro {

namespace {

constexpr std::size_t code_length = 2;
// A text is read on in pieces of at most this length after each separator.
constexpr std::size_t rest_limit = 1000;

// The first equal entry wins, which is what keeps the second "SU" out of reach.
int find_item(std::string_view code) {
    for (int index = 0; index < TSolvaraArea::item_count; ++index) {
        if (TSolvaraArea::AreaItemCodes[static_cast<std::size_t>(index)] == code)
            return index;
    }
    return -1;
}

std::string error_start(std::string_view species_name) {
    return "Error in distribution data for " + std::string(species_name) + ": ";
}

} // namespace

TSolvaraArea::TSolvaraArea(std::string_view text, bool report_errors,
                           std::string_view species_name) {
    TSolvaraArea::ReadText(text, report_errors, species_name);
}

bool TSolvaraArea::is_item_selectable(int index) {
    return index >= 0 && index < item_count && (index < 12 || index > 15);
}

std::unique_ptr<TArea> TSolvaraArea::clone() const {
    return std::make_unique<TSolvaraArea>(*this);
}

void TSolvaraArea::Assign(const TArea& source) {
    const auto* same = dynamic_cast<const TSolvaraArea*>(&source);
    assert(same != nullptr && "an area is assigned only from an area of its own class");
    if (same != nullptr)
        Items = same->Items;
}

bool TSolvaraArea::Overlaps(const TArea& other) const {
    const auto* same = dynamic_cast<const TSolvaraArea*>(&other);
    if (same == nullptr)
        return false;
    for (std::size_t index = 0; index < Items.size(); ++index) {
        if (Items[index] && same->Items[index])
            return true;
    }
    return false;
}

// Only country areas tell a home area from the rest; nothing asks this of a
// region area, so the answer carries no meaning.
bool TSolvaraArea::IsOnlyInHomeArea() const {
    return false;
}

void TSolvaraArea::SelectAll() {
    Items.fill(true);
    ClearUnselectableItems();
}

void TSolvaraArea::ClearUnselectableItems() {
    for (int index = 0; index < item_count; ++index) {
        if (!is_item_selectable(index))
            Items[static_cast<std::size_t>(index)] = false;
    }
}

void TSolvaraArea::SaveToSettings(const SettingsFile& settings, std::string_view section) const {
    settings.write_string(section, window_settings::selected_area, ToText());
}

std::string TSolvaraArea::ToText() const {
    std::string text;
    for (std::size_t index = 0; index < Items.size(); ++index) {
        if (!Items[index])
            continue;
        if (!text.empty())
            text += '-';
        text += AreaItemCodes[index];
    }
    return text;
}

void TSolvaraArea::ReadText(std::string_view text, bool report_errors,
                            std::string_view species_name) {
    Items.fill(false);
    std::array<bool, item_count> seen{};
    const std::string upper = upper_case(text);
    std::string_view rest = upper;
    bool failed = false;
    while (!failed && !rest.empty()) {
        const std::string_view code = rest.substr(0, code_length);
        const int index = find_item(code);
        if (index >= 0 && !seen[static_cast<std::size_t>(index)]) {
            Items[static_cast<std::size_t>(index)] = true;
            seen[static_cast<std::size_t>(index)] = true;
        } else {
            if (report_errors) {
                fatal(error_start(species_name) + "item \"" + std::string(code) +
                      (index >= 0 ? "\" occurs twice!" : "\" is invalid!"));
            }
            failed = true;
        }
        if (rest.size() > code_length) {
            if (rest[code_length] == '-') {
                rest = rest.substr(code_length + 1, rest_limit);
            } else {
                if (report_errors)
                    fatal(error_start(species_name) + "missing \"-\"");
                failed = true;
            }
        } else {
            rest = {};
        }
    }
    // An unreadable stored selection falls back to everything rather than nothing.
    if (failed)
        Items.fill(true);
}

} // namespace pemmaro
