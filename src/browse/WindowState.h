#pragma once
// One browsing window's section of the settings file, "WINDOW n": where the
// window stood, its display options with its visibility filter, and its fold
// state, read and written (the keys: common/WindowSettings.h).

#include "browse/DisplayLines.h"

#include <QRect>
#include <QSize>
#include <optional>
#include <string>
#include <string_view>

namespace pemmaro {

// The "Coord" value: left, top, right and bottom, right and bottom lying just
// outside the rectangle.
std::string coord_text(const QRect& bounds);
// None when the text is not four integers.
std::optional<QRect> parse_coord(std::string_view text);
// An eighth of the screen in from the top-left, six eighths wide and high.
QRect default_window_bounds(QSize screen);

// "Visible": top family, top species, current family, current species, then
// the unfolded families.
std::string visible_text(const DisplayState& state);
// Non-integers among the first four keep their defaults and drop the unfolded
// families; non-integers among the families are skipped.
DisplayState parse_visible(std::string_view text);

// A systematic order the data set has no families in is replaced by order 1.
int usable_systematic_order(const Tdata& data, long order);

// The settings are the context's.
SHST_TShowStringsData read_display_options(const Tdata& data, const CoreContext& context,
                                           std::string_view section);
// Returns false when a value did not reach the file.
bool write_display_options(const SettingsFile& settings, std::string_view section,
                           const SHST_TShowStringsData& options);

struct SavedWindowState {
    SavedWindowState(const Tdata& data, const CoreContext& context)
        : options(data, context) {}

    QRect normal_bounds;
    bool maximized = true;
    SHST_TShowStringsData options;
    DisplayState display;
};

// The screen size gives the default bounds.
SavedWindowState read_window_state(const Tdata& data, const CoreContext& context, int number,
                                   QSize screen);
bool write_window_state(const SettingsFile& settings, int number, const SavedWindowState& state);

} // namespace pemmaro
