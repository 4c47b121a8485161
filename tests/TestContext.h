#pragma once
// A core context of the test's own, so that no test sets the program's values:
// product 106, no language texts, no settings file, fonts at text size 15,
// no folders. Tests change the members they need.

#include "common/CoreContext.h"
#include "common/LanguageTexts.h"
#include "common/Product.h"
#include "common/ProgramFolders.h"
#include "common/SettingsFile.h"
#include "common/TextEngine.h"

#include <string>
#include <vector>

namespace pemmaro::test {

class TestContext {
public:
    TestContext()
        : product(product_settings_for(product_table().front().english_number,
                                       std::vector<std::string>(7))) {}
    TestContext(const TestContext&) = delete;
    TestContext& operator=(const TestContext&) = delete;

    ProductSettings product;
    Ttextfile_handler texts;
    SettingsFile settings;
    DisplayFonts fonts;
    CommonServices common;

    const CoreContext& core() const { return core_; }
    operator const CoreContext&() const { return core_; }

private:
    const CoreContext core_{product, texts, settings, fonts, common};
};

} // namespace pemmaro::test
