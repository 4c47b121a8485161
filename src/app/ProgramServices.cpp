#include "app/ProgramServices.h"

#include "app/Help.h"
#include "app/Startup.h"
#include "common/CoreContext.h"
#include "data/DataSet.h"
#include "data/SolvaraAreas.h"
#include "maps_pictures/LocalitiesMap.h"
#include "maps_pictures/MapWindow.h"
#include "maps_pictures/SelectAreaWindow.h"
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
    services.open_map = [](QWidget* owner, Tspecies& species, Tlocality* locality,
                           const std::string& title) {
        open_species_map(program_context(), &open_url, owner, species, locality, title);
    };
    services.select_area = [](TArea& area) {
        auto* region = dynamic_cast<TSolvaraArea*>(&area);
        RegionAreaSelection* selection = region_area_selection();
        return region && selection && selection->SelectInteractively(*region) == QDialog::Accepted;
    };
    services.show_site_descriptions = [](QWidget* owner) {
        TLocalitiesMapForm* form = localities_map_form();
        if (form && data())
            form->show_site_descriptions(*data(), owner);
    };
    return services;
}

} // namespace pemmaro
