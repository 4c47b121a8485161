#pragma once
// The text below a distribution map: the species' distribution, then the
// locality's name (with the link to its site description), description,
// prefix, province and country, and coordinates. Wrapped here; the window
// draws it.

#include "common/TextEngine.h"

#include <string>
#include <vector>

namespace pemmaro {

class Ttextfile_handler;
struct Tspecies;
struct Tlocality;

// Left edge of the distribution heading and of the locality's lines.
inline constexpr int distribution_text_left = 10;
inline constexpr int locality_text_left = 20;
// Room kept free right of the wrapped texts.
inline constexpr int map_text_right_margin = 10;

// A heading and the wrapped text beside it.
struct MapTextRow {
    std::string heading;
    int heading_width = 0;
    WrappedText text;
};

struct MapTextBlock {
    bool HasDistributionText = false;
    bool HasLocality = false;
    // Drawn in the bold heading font, at distribution_text_left.
    MapTextRow distribution;
    // The locality's title first (where its link is), then the others, each
    // at locality_text_left.
    std::vector<MapTextRow> locality_rows;

    bool HasText() const { return HasDistributionText || HasLocality; }
    // The line between distribution and locality.
    bool has_separator() const { return HasDistributionText && HasLocality; }
    int line_count() const;
};

// The title of a locality: its name, and after it the link to its site
// description when it has one.
std::string locality_title_text(const Tlocality& locality, const Ttextfile_handler& texts);
// "Province, country: region, country", as the locality has them.
std::string province_line_text(const Tlocality& locality, const Ttextfile_handler& texts);
// Latitude and longitude in degrees, minutes (and hundredths) and letters.
std::string coordinates_text(const Tlocality& locality, const Ttextfile_handler& texts);

struct MapTextFonts {
    const DisplayFont& text;
    const DisplayFont& heading;
    const TextMeasurer& measurer;
};

// Wraps the texts for a window of that client width.
MapTextBlock layout_map_text(const Tspecies* species, const Tlocality* locality,
                             const Ttextfile_handler& texts, const MapTextFonts& fonts,
                             int client_width);

} // namespace pemmaro
