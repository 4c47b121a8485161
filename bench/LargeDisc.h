#pragma once
// The large generated data disc, loaded once for the benchmarks that need it.

#include "data/BirdsDataUnit.h"

namespace pemmaro::bench {

// Sets up the settings file, product and current directory for the large disc.
void prepare_large_disc();
// Loaded once, on first use.
const Tdata& large_disc();
// A Qt application on the offscreen platform, for fonts and painting.
void ensure_gui_application();

} // namespace pemmaro::bench
