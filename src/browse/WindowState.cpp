#include "browse/WindowState.h"

#include "common/SettingsFile.h"
#include "common/TextAndNumbers.h"
#include "common/WindowSettings.h"

#include <algorithm>

namespace pemmaro {

namespace keys = window_settings;

namespace {

std::vector<std::string_view> split_at_commas(std::string_view text) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        parts.push_back(
            text.substr(start, comma == std::string_view::npos ? text.npos : comma - start));
        if (comma == std::string_view::npos)
            return parts;
        start = comma + 1;
    }
}

int clamp_to_int(long value) {
    return static_cast<int>(std::clamp<long>(value, -1'000'000'000, 1'000'000'000));
}

} // namespace

std::string coord_text(const QRect& bounds) {
    return rect_to_text(bounds.left(), bounds.top(), bounds.left() + bounds.width(),
                        bounds.top() + bounds.height());
}

std::optional<QRect> parse_coord(std::string_view text) {
    const TextRect rect = text_to_rect(text);
    if (rect.error)
        return std::nullopt;
    return QRect(QPoint(clamp_to_int(rect.left), clamp_to_int(rect.top)),
                 QSize(clamp_to_int(rect.right - rect.left), clamp_to_int(rect.bottom - rect.top)));
}

QRect default_window_bounds(QSize screen) {
    return {screen.width() / 8, screen.height() / 8, 6 * screen.width() / 8,
            6 * screen.height() / 8};
}

std::string visible_text(const DisplayState& state) {
    std::string text = int_to_text(state.top_family) + "," + int_to_text(state.top_species) + "," +
                       int_to_text(state.current_family) + "," + int_to_text(state.current_species);
    const std::size_t count = std::min(state.unfolded_families.size(), keys::max_saved_families);
    for (std::size_t i = 0; i < count; ++i)
        text += "," + int_to_text(state.unfolded_families[i]);
    return text;
}

DisplayState parse_visible(std::string_view text) {
    DisplayState state;
    const std::vector<std::string_view> parts = split_at_commas(text);
    int* const first_four[] = {&state.top_family, &state.top_species, &state.current_family,
                               &state.current_species};
    bool all_numbers = parts.size() >= 4;
    for (std::size_t i = 0; i < 4; ++i) {
        if (i >= parts.size())
            break;
        const IntConversion value = text_to_int(parts[i], *first_four[i]);
        if (value.error)
            all_numbers = false;
        else
            *first_four[i] = clamp_to_int(value.value);
    }
    if (!all_numbers)
        return state;
    const std::size_t end = std::min(parts.size(), 4 + keys::max_saved_families);
    for (std::size_t i = 4; i < end; ++i) {
        const IntConversion family = text_to_int(parts[i], 0);
        if (!family.error)
            state.unfolded_families.push_back(clamp_to_int(family.value));
    }
    return state;
}

int usable_systematic_order(const Tdata& data, long order) {
    if (order < 1 || order > 3 || data.first_family[static_cast<std::size_t>(order)] == nullptr)
        return 1;
    return static_cast<int>(order);
}

SHST_TShowStringsData read_display_options(const Tdata& data, const CoreContext& context,
                                           std::string_view section) {
    const SettingsFile& settings = context.settings;
    SHST_TShowStringsData options(data, context);
    options.other_language =
        settings.read_flag(section, keys::other_language, keys::other_language_default);
    options.scientific = settings.read_flag(section, keys::scientific, keys::scientific_default) ||
                         !options.other_language;
    options.main =
        settings.read_string(section, keys::main, keys::main_default) == keys::main_scientific ? 1
                                                                                               : 2;
    // The name that stands first must be one that is shown.
    if (options.main == 2 && !options.other_language)
        options.main = 1;
    else if (options.main == 1 && !options.scientific)
        options.main = 2;
    options.systematic_order = static_cast<std::uint8_t>(
        usable_systematic_order(data, settings.read_integer(section, keys::systematic_order,
                                                            keys::systematic_order_default)));
    options.squeeze_horizontal =
        settings.read_flag(section, keys::squeeze_horizontal, keys::squeeze_horizontal_default);
    options.show_threatened =
        settings.read_flag(section, keys::show_threatened, keys::show_threatened_default);
    options.visible = TVisibleSpeciesAndRecordings::CreateFromSettings(data, context, section);
    return options;
}

bool write_display_options(const SettingsFile& settings, std::string_view section,
                           const SHST_TShowStringsData& options) {
    bool written = settings.write_flag(section, keys::other_language, options.other_language);
    written = settings.write_flag(section, keys::scientific, options.scientific) && written;
    written = settings.write_string(section, keys::main,
                                    options.main == 1 ? keys::main_scientific
                                                      : keys::main_other_language) &&
              written;
    written = settings.write_integer(section, keys::systematic_order, options.systematic_order) &&
              written;
    written = settings.write_flag(section, keys::squeeze_horizontal, options.squeeze_horizontal) &&
              written;
    written =
        settings.write_flag(section, keys::show_threatened, options.show_threatened) && written;
    options.visible.SaveToSettings(settings, section);
    return written;
}

SavedWindowState read_window_state(const Tdata& data, const CoreContext& context, int number,
                                   QSize screen) {
    const SettingsFile& settings = context.settings;
    const std::string section = keys::section(number);
    SavedWindowState state(data, context);
    const std::optional<QRect> bounds = parse_coord(settings.read_string(section, keys::coord, ""));
    state.normal_bounds = bounds.value_or(default_window_bounds(screen));
    state.maximized =
        !bounds || settings.read_flag(section, keys::maximized, keys::maximized_default);
    state.options = read_display_options(data, context, section);
    state.display =
        parse_visible(settings.read_string(section, keys::visible, keys::visible_default));
    return state;
}

bool write_window_state(const SettingsFile& settings, int number, const SavedWindowState& state) {
    const std::string section = keys::section(number);
    bool written = settings.write_string(section, keys::coord, coord_text(state.normal_bounds));
    written = settings.write_flag(section, keys::maximized, state.maximized) && written;
    written = write_display_options(settings, section, state.options) && written;
    return settings.write_string(section, keys::visible, visible_text(state.display)) && written;
}

} // namespace pemmaro
