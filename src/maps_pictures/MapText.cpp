#include "maps_pictures/MapText.h"

#include "common/LanguageTexts.h"
#include "common/TextLines.h"
#include "data/DataSet.h"
#include "platform/Ansi.h"

#include <algorithm>
#include <cstdlib>

namespace pemmaro {

namespace {

// Wrapping needs some room even in a window narrower than its headings.
constexpr int narrowest_wrap = 40;

std::string two_digits(int value) {
    return (value < 10 ? "0" : "") + std::to_string(value);
}

// hundredths of an arc minute
std::string angle_text(int value, bool marked_d, const std::string& letter) {
    const int magnitude = std::abs(value);
    const int degrees = magnitude / 6000;
    const int minutes = magnitude % 6000 / 100;
    std::string text = std::to_string(degrees) + "." + two_digits(minutes);
    if (marked_d)
        text += "," + two_digits(magnitude % 100);
    return text + letter;
}

MapTextRow wrapped_row(std::string heading, std::string_view text, int left, int client_width,
                       const MapTextFonts& fonts, const DisplayFont& heading_font) {
    MapTextRow row;
    row.heading = std::move(heading);
    row.heading_width = fonts.measurer.text_width(heading_font, row.heading);
    const int available =
        std::max(narrowest_wrap, client_width - left - row.heading_width - map_text_right_margin);
    row.text = wrap_text(text, available, fonts.text, fonts.measurer);
    return row;
}

} // namespace

int MapTextBlock::line_count() const {
    int lines = HasDistributionText ? distribution.text.lines : 0;
    for (const MapTextRow& row : locality_rows)
        lines += row.text.lines;
    return lines;
}

std::string locality_title_text(const Tlocality& locality, const Ttextfile_handler& texts) {
    std::string title = locality.name;
    if (!locality.description_file.empty()) {
        title += "   (" + texts.text(kz_mapwn::see_the) + " " + markup::link +
                 texts.text(kz_mapwn::site_description) + markup::link + ")";
    }
    return title;
}

std::string province_line_text(const Tlocality& locality, const Ttextfile_handler& texts) {
    const bool has_region = !locality.region_text.empty();
    std::string label = has_region ? texts.text(kz_mapwn::province_label) : std::string();
    if (locality.show_country)
        label += (label.empty() ? "" : ", ") + texts.text(kz_mapwn::country_label);
    std::string line = label.empty() ? std::string() : label + ": ";
    line += locality.region_text;
    // No comma before the country when there is no region to separate it from.
    if (locality.show_country)
        line += (has_region ? ", " : "") + locality.country;
    if (!line.empty())
        line[0] = ascii_upper(line[0]);
    return line;
}

std::string coordinates_text(const Tlocality& locality, const Ttextfile_handler& texts) {
    const std::string latitude_letter =
        texts.text(locality.latitude < 0 ? kz_mapwn::south : kz_mapwn::north);
    const std::string longitude_letter =
        texts.text(locality.longitude < 0 ? kz_mapwn::west : kz_mapwn::east);
    return angle_text(locality.latitude, locality.latitude_marked_d, latitude_letter) + " " +
           angle_text(locality.longitude, locality.longitude_marked_d, longitude_letter);
}

MapTextBlock layout_map_text(const Tspecies* species, const Tlocality* locality,
                             const Ttextfile_handler& texts, const MapTextFonts& fonts,
                             int client_width) {
    MapTextBlock block;
    block.HasDistributionText = species && !species->taxa_text_4.empty();
    block.HasLocality = locality != nullptr;
    if (block.HasDistributionText)
        block.distribution =
            wrapped_row(texts.text(kz_mapwn::distribution), species->taxa_text_4,
                        distribution_text_left, client_width, fonts, fonts.heading);
    if (!locality)
        return block;
    const auto add = [&](const TextLine& heading, std::string_view text) {
        block.locality_rows.push_back(wrapped_row(texts.text(heading), text, locality_text_left,
                                                  client_width, fonts, fonts.text));
    };
    add(kz_mapwn::locality, locality_title_text(*locality, texts));
    if (!locality->locality_text.empty())
        add(kz_mapwn::description, locality->locality_text);
    if (!locality->prefix_text.empty())
        add(kz_mapwn::prefix, locality->prefix_text);
    block.locality_rows.push_back(wrapped_row({}, province_line_text(*locality, texts),
                                              locality_text_left, client_width, fonts, fonts.text));
    add(kz_mapwn::coordinates, coordinates_text(*locality, texts));
    return block;
}

} // namespace pemmaro
