#include "common/CoreContext.h"

#include "common/LanguageTexts.h"
#include "common/Product.h"
#include "common/ProgramFolders.h"
#include "common/SettingsFile.h"
#include "common/TextEngine.h"

namespace pemmaro {

const CoreContext& program_context() {
    static const CoreContext context{product(), textfile(), settings_file(), display_fonts(),
                                     common_services()};
    return context;
}

} // namespace pemmaro
