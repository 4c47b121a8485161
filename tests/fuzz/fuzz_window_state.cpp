// Any bytes as the settings file's section of a browsing window: its place,
// display options, visibility filter and "Visible" fold state are read as the
// program reads them at start and applied to the display of the sample disc.

#include "FixedWidthMeasurer.h"
#include "FuzzSupport.h"
#include "browse/DisplayLines.h"
#include "browse/WindowState.h"
#include "data/DataSet.h"

#include <cstdlib>

namespace {

using namespace pemmaro;

void apply_to_display(const Tdata& data, const CoreContext& context,
                      const SavedWindowState& state) {
    static const test::FixedWidthMeasurer measurer;
    TShowStrings display(TShowStrings::Environment{&data, &context, &measurer, {}, {}, nullptr});
    display.build_from_options(state.options);
    display.unfold_families(state.display.unfolded_families);
    static_cast<void>(display.find_header(state.display.top_family, state.display.top_species));
    static_cast<void>(
        display.find_header(state.display.current_family, state.display.current_species));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    fuzz::SampleDisc& disc = fuzz::sample_disc();
    disc.settings.replace(fuzz::text_of(bytes, size));
    const SavedWindowState state =
        read_window_state(*disc.data, disc.context, 1, QSize(1280, 1024));
    // What was read, written out, reads back as the same window.
    if (parse_coord(coord_text(state.normal_bounds)) != state.normal_bounds)
        std::abort();
    const DisplayState again = parse_visible(visible_text(state.display));
    if (again.unfolded_families != state.display.unfolded_families ||
        again.top_family != state.display.top_family)
        std::abort();
    apply_to_display(*disc.data, disc.context, state);
    return 0;
}
