#include "app/Help.h"

#include "app/Startup.h"
#include "tools/WebBrowserWindow.h"

namespace pemmaro {

std::string help_address(std::string_view anchor) {
    std::string address = startup_values().help_file_path;
    if (!anchor.empty())
        address += "#" + std::string(anchor);
    return address;
}

void show_help_contents() {
    open_url(help_address());
}

void show_help_context(std::string_view anchor) {
    open_url(help_address(anchor));
}

} // namespace pemmaro
