#pragma once
// The sample disc loaded with a context of its own, leaving the program's
// values to the other benchmarks.

#include "common/CoreContext.h"
#include "common/LanguageTexts.h"
#include "common/Product.h"
#include "common/ProgramFolders.h"
#include "common/SettingsFile.h"
#include "common/TextEngine.h"
#include "data/DataSet.h"

#include <memory>

namespace pemmaro::bench {

struct SampleDisc {
    SampleDisc();

    ProductSettings product;
    Ttextfile_handler texts;
    SettingsFile settings;
    DisplayFonts fonts;
    CommonServices common;
    const CoreContext context{product, texts, settings, fonts, common};
    std::unique_ptr<Tdata> data;
};

// Loaded once, on first use.
SampleDisc& sample_disc();

} // namespace pemmaro::bench
