#include "maps_pictures/BigPictureSettings.h"

#include "common/GeneralSettings.h"
#include "common/LanguageTexts.h"
#include "common/SettingsFile.h"
#include "common/TextLines.h"
#include "maps_pictures/BigPictureLayout.h"
#include "platform/Messages.h"

#include <string>

namespace pemmaro {

namespace {

constexpr int few_colours = 300;

} // namespace

BigPictureSettings& big_picture_settings() {
    static BigPictureSettings settings;
    return settings;
}

QColor colour_from_value(long value) {
    const auto bits = static_cast<unsigned long>(value);
    return QColor(static_cast<int>(bits & 0xFF), static_cast<int>((bits >> 8) & 0xFF),
                  static_cast<int>((bits >> 16) & 0xFF));
}

long value_of_colour(const QColor& colour) {
    return static_cast<long>(colour.red()) | (static_cast<long>(colour.green()) << 8) |
           (static_cast<long>(colour.blue()) << 16);
}

void read_big_picture_settings(const SettingsFile& settings, int colour_count, int month) {
    BigPictureSettings& shared = big_picture_settings();
    shared.background = colour_from_value(settings.read_integer(
        general_settings::section, general_settings::pictures_background_color,
        general_settings::pictures_background_color_default));
    shared.colour_warning_due =
        colour_count < few_colours &&
        colour_warning_due(settings.read_string(general_settings::section,
                                                general_settings::next_month_for_colors_warning,
                                                ""),
                           month);
}

void write_big_picture_settings(const SettingsFile& settings) {
    settings.write_integer(general_settings::section, general_settings::pictures_background_color,
                           value_of_colour(big_picture_settings().background));
}

void give_colour_warning_if_due(const SettingsFile& settings, const Ttextfile_handler& texts,
                                int colour_count, int month) {
    BigPictureSettings& shared = big_picture_settings();
    if (!shared.colour_warning_due)
        return;
    message(MessageText(texts.text(kz_pictures::few_colours_before_count) + " " +
                        std::to_string(colour_count) + " " +
                        texts.text(kz_pictures::few_colours_after_count)),
            MessageIcon::information);
    settings.write_string(general_settings::section,
                          general_settings::next_month_for_colors_warning,
                          std::to_string(next_warning_month(month)));
    shared.colour_warning_due = false;
}

} // namespace pemmaro
