#pragma once
// The markers of the localities map: one per locality with a site
// description, where it lies in the window, the marker under the mouse, and
// the text of the tooltip that names it.

#include "common/TextEngine.h"
#include "maps_pictures/MapGeometry.h"

#include <QPoint>
#include <string>
#include <vector>

namespace pemmaro {

class Tdata;
class Ttextfile_handler;
struct Tlocality;

struct Txy {
    const Tlocality* locality = nullptr;
    bool OnMainMap = false;
    bool OnInset = false; // no map record of this product has an inset
    // In client coordinates of the unscrolled window.
    QPoint MainPoint;
    QPoint InsetPoint;
};

// In the order of the data set's list of localities with a site description.
std::vector<Txy> locality_markers(const Tdata& data, const DATA_Tmap_data& map);

// The index of the first marker within reach of the point (unscrolled client
// coordinates): less than 3 pixels to either side and a squared distance below
// 7; -1 when none.
int LocalityAt(const std::vector<Txy>& markers, QPoint point);

struct TooltipText {
    std::string text; // marked up, with line breaks
    int lines = 1;
    int width = 0;
};

// The locality's name, its description and the file of its site description
// (one size smaller), each wrapped to at most half the work area's width.
TooltipText locality_tooltip_text(const Tlocality& locality, const Ttextfile_handler& texts,
                                  const DisplayFont& font, const TextMeasurer& measurer,
                                  int work_area_width);

} // namespace pemmaro
