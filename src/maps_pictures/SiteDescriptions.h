#pragma once
// Opening a locality's site description: an HTML page under "localities\" of
// the base directory, perhaps with a "#" anchor, shown in the web browser.

#include <functional>
#include <string>

namespace pemmaro {

struct Tlocality;

struct SiteDescriptionActions {
    std::function<void(const std::string& address)> open_url;
    // The calling window draws itself again (after the folder question).
    std::function<void()> redraw;
};

// Asks for the base directory while the page is missing; returns whether the
// page was opened (false when the user cancelled or the locality has none).
// A name that leads out of "localities\" is refused with a message.
bool open_site_description(const Tlocality& locality, const SiteDescriptionActions& actions);

} // namespace pemmaro
