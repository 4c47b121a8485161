#include "maps_pictures/SiteDescriptions.h"

#include "common/BaseDirectory.h"
#include "common/DataPaths.h"
#include "common/TextEngine.h"
#include "data/DataSet.h"
#include "platform/Messages.h"

#include <optional>

namespace pemmaro {

bool open_site_description(const Tlocality& locality, const SiteDescriptionActions& actions) {
    const std::string file = without_markup(locality.description_file);
    if (file.empty())
        return false;
    const std::optional<std::string> relative = site_description_path(file);
    if (!relative) {
        message("The site description \"" + file +
                    "\" does not lie in the data folder's \"localities\" folder, it is not opened.",
                MessageIcon::warning);
        return false;
    }
    const std::size_t anchor_at = relative->find('#');
    const std::string page = relative->substr(0, anchor_at);
    const std::string anchor = anchor_at == std::string::npos ? "" : relative->substr(anchor_at);
    const std::optional<std::string> located =
        locate_data_file([&] { return base_directory() + page; });
    if (actions.redraw)
        actions.redraw();
    if (!located)
        return false;
    if (actions.open_url)
        actions.open_url(*located + anchor);
    return true;
}

} // namespace pemmaro
