#include "maps_pictures/LocalityMarkers.h"

#include "common/LanguageTexts.h"
#include "common/TextLines.h"
#include "data/DataSet.h"

#include <algorithm>
#include <cstdlib>

namespace pemmaro {

namespace {

bool within_reach(QPoint point, QPoint marker) {
    const int dx = point.x() - marker.x();
    const int dy = point.y() - marker.y();
    return std::abs(dx) < 3 && dx * dx + dy * dy < 7;
}

// Wraps a part to the wider of the text so far and its own width (at most
// half the work area), below what is there.
void add_part(TooltipText& tooltip, std::string_view part, const DisplayFont& font,
              const TextMeasurer& measurer, int work_area_width) {
    const int own_width = measurer.text_width(font, without_markup(part));
    const int available = std::max(tooltip.width, std::min(own_width, work_area_width / 2));
    const WrappedText wrapped = wrap_text(part, available, font, measurer);
    tooltip.text += markup::line_break;
    tooltip.text += wrapped.text;
    tooltip.lines += wrapped.lines;
    tooltip.width = std::max(tooltip.width, wrapped.widest);
}

} // namespace

std::vector<Txy> locality_markers(const Tdata& data, const DATA_Tmap_data& map) {
    std::vector<Txy> markers;
    markers.reserve(data.localities_by_description_name.size());
    for (const auto& entry : data.localities_by_description_name) {
        const MapPoint on_map = GeoToPixel(map, LocalityDegrees(*entry.object));
        Txy marker;
        marker.locality = entry.object;
        marker.OnMainMap = on_map.on_map;
        marker.MainPoint = on_map.point + QPoint(map.LeftMargin, map.TopMargin);
        markers.push_back(marker);
    }
    return markers;
}

int LocalityAt(const std::vector<Txy>& markers, QPoint point) {
    for (std::size_t index = 0; index < markers.size(); ++index) {
        const Txy& marker = markers[index];
        if ((marker.OnInset && within_reach(point, marker.InsetPoint)) ||
            (marker.OnMainMap && within_reach(point, marker.MainPoint)))
            return static_cast<int>(index);
    }
    return -1;
}

TooltipText locality_tooltip_text(const Tlocality& locality, const Ttextfile_handler& texts,
                                  const DisplayFont& font, const TextMeasurer& measurer,
                                  int work_area_width) {
    TooltipText tooltip;
    tooltip.text = locality_display_name(locality);
    tooltip.width = measurer.text_width(font, tooltip.text);
    if (!locality.locality_text.empty())
        add_part(tooltip, locality.locality_text, font, measurer, work_area_width);
    DisplayFont smaller = font;
    smaller.height -= 1;
    const std::string file_part = std::string(1, markup::smaller) +
                                  texts.text(site_descriptions::file_label) + " " +
                                  locality.description_file;
    add_part(tooltip, file_part, smaller, measurer, work_area_width);
    tooltip.width += 10;
    return tooltip;
}

} // namespace pemmaro
