#include "app/ProgramServices.h"

#include "app/Help.h"
#include "app/Startup.h"
#include "common/CoreContext.h"
#include "maps_pictures/SmallPictures.h"
#include "sound/AudioCdDrive.h"
#include "sound/DiscInDriveCheck.h"
#include "sound/SoundBars.h"
#include "tools/WebBrowserSettingsDialog.h"
#include "tools/WebBrowserWindow.h"

namespace pemmaro {

BrowsingServices program_browsing_services() {
    BrowsingServices services;
    services.core = &program_context();
    services.surface.make_sound_bar = &make_sound_bar;
    services.surface.small_pictures = &small_pictures();
    services.sound_editor = &startup_values().sound_editor;
    services.open_url = &open_url;
    services.show_help_contents = &show_help_contents;
    services.open_web_browser_settings = [] {
        if (TWebBrowserSettingsDialog* dialog = web_browser_settings_dialog())
            dialog->exec();
    };
    services.chosen_audio_cd_drive = &chosen_audio_cd_drive;
    services.audio_cd_drive_count = &cd_audio_device_count;
    services.look_at_audio_cd_drive = &look_at_audio_cd_drive;
    return services;
}

} // namespace pemmaro
