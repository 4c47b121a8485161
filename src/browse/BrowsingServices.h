#pragma once
// What the browsing windows use of the program's other parts: the sound bars
// and small pictures of their displays, the web browser, the help and the
// audio CD drive. app/ fills it in; a window passes it on to the windows it
// opens. A command whose service is missing does nothing.

#include "browse/DisplaySurface.h"

#include <functional>
#include <string>

class QWidget;

namespace pemmaro {

struct SoundEditorChoice;
class TArea;

struct BrowsingServices {
    // The product, texts, fonts and settings the windows are built with; not owned.
    const CoreContext* core = nullptr;
    DisplaySurfaceServices surface;
    // The program's choice of sound editor, shared by every window; not owned.
    SoundEditorChoice* sound_editor = nullptr;
    std::function<void(const std::string& address)> open_url;
    std::function<void()> show_help_contents;
    std::function<void()> open_web_browser_settings;
    std::function<int()> chosen_audio_cd_drive;
    std::function<int()> audio_cd_drive_count;
    // Looks at the drive on a worker thread; done gets the status line's text
    // on the user-interface thread.
    std::function<void(int drive, std::function<void(const std::string& text)> done)>
        look_at_audio_cd_drive;
    // A species' distribution map, with the locality marked when there is one;
    // the owner is the window that opens it, the title its caption.
    std::function<void(QWidget* owner, Tspecies& species, Tlocality* locality,
                       const std::string& title)>
        open_map;
    // Lets the user edit the area on the region map; true when it changed (OK).
    std::function<bool(TArea& area)> select_area;
    // The map of the localities with a site description, modal to the owner.
    std::function<void(QWidget* owner)> show_site_descriptions;
};

} // namespace pemmaro
