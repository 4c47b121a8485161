#pragma once
// The large generated data disc, loaded once for the benchmarks that need it.

#include "data/DataSet.h"

namespace pemmaro::bench {

// Sets up the settings file, product and current directory for the large disc.
void prepare_large_disc();
// Loaded once, on first use.
const Tdata& large_disc();
// A widget application on the offscreen platform, for fonts, painting and
// windows. It is made on first use, so the benchmarks before it run without one.
void ensure_gui_application();
// Ends it while the program can still tear Qt down in order; what the
// benchmarks keep of it goes in its post routines.
void end_gui_application();

} // namespace pemmaro::bench
