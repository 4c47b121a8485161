#include "app/ProgramServices.h"

#include "app/Help.h"
#include "app/Startup.h"
#include "common/CoreContext.h"
#include "common/LanguageTexts.h"
#include "common/TextEngine.h"
#include "data/DataSet.h"
#include "data/SolvaraAreas.h"
#include "maps_pictures/LocalitiesMap.h"
#include "maps_pictures/MapWindow.h"
#include "maps_pictures/PictureFiles.h"
#include "maps_pictures/SelectAreaWindow.h"
#include "maps_pictures/SmallPictures.h"
#include "platform/FolderDialog.h"
#include "sound/AboutAudioCdForm.h"
#include "sound/AudioCdDrive.h"
#include "sound/AudioCdDriveDialog.h"
#include "sound/DiscInDriveCheck.h"
#include "sound/SelectAudioCdsDialog.h"
#include "sound/SonogramWindow.h"
#include "sound/SoundBars.h"
#include "tools/AboutForm.h"
#include "tools/CopyToHardDisk.h"
#include "tools/IntroductionForm.h"
#include "tools/WebBrowserSettingsDialog.h"
#include "tools/WebBrowserWindow.h"

namespace pemmaro {

namespace {

void choose_audio_cd_drive(QWidget* over) {
    if (TChooseAudioCDPlayerDialog* dialog = choose_audio_cd_player_dialog())
        dialog->run(over);
}

// A picture of the program's resources; a null image when it cannot be shown.
QImage resource_picture(std::string_view name) {
    const std::optional<JpegPicture> picture = LoadJpegResource(name);
    return picture ? picture->image : QImage();
}

void show_introduction(QWidget& main_window) {
    auto* intro =
        new TIntroductionForm(program_context(), resource_picture("INTRO_JPEG"), &main_window);
    intro->show();
    intro->activateWindow();
}

void show_about(QWidget& window) {
    const Tdata* loaded = data();
    if (!loaded)
        return;
    TAboutForm about(*loaded, program_context(), resource_picture("ABOUT_JPEG"), &open_url,
                     &window);
    about.exec();
}

} // namespace

SelectAudioCdsServices audio_cd_dialog_services() {
    SelectAudioCdsServices services;
    services.cd_audio_device_count = cd_audio_device_count();
    services.choose_drive = &choose_audio_cd_drive;
    services.show_help = [] { show_help_context(help_context_audio_cds); };
    services.choose_folder = [](QWidget*, const std::string& start) {
        return choose_folder(text(my_audio_cds::caption), start);
    };
    return services;
}

BrowsingServices program_browsing_services() {
    BrowsingServices services;
    services.core = &program_context();
    services.surface.make_sound_bar = &make_sound_bar;
    services.surface.small_pictures = &small_pictures();
    services.sound_editor = &startup_values().sound_editor;
    services.open_url = &open_url;
    services.set_text_size = [](int base_height) { display_fonts().build(base_height); };
    services.show_introduction = &show_introduction;
    services.show_about = &show_about;
    services.show_help_contents = &show_help_contents;
    services.open_web_browser_settings = [] {
        if (TWebBrowserSettingsDialog* dialog = web_browser_settings_dialog())
            dialog->exec();
    };
    services.chosen_audio_cd_drive = &chosen_audio_cd_drive;
    services.audio_cd_drive_count = &cd_audio_device_count;
    services.look_at_audio_cd_drive = &look_at_audio_cd_drive;
    services.choose_audio_cd_drive = &choose_audio_cd_drive;
    services.select_audio_cds = [](QWidget* window, NumberSet& used_audio_cds) {
        TSelectAudioCDsDialog dialog(*data(), audio_cd_dialog_services(), window);
        return dialog.run(used_audio_cds);
    };
    services.open_audio_cd_information = &open_audio_cd_information;
    services.copy_to_hard_disk = [](QWidget* window) {
        copy_data_to_hard_disk(window, [](QWidget*, const std::string& caption) {
            return choose_folder(caption, std::string());
        });
    };
    services.open_map = [](QWidget* owner, Tspecies& species, Tlocality* locality,
                           const std::string& title) {
        open_species_map(program_context(), &open_url, owner, species, locality, title);
    };
    services.select_area = [](TArea& area) {
        auto* region = dynamic_cast<TSolvaraArea*>(&area);
        RegionAreaSelection* selection = region_area_selection();
        return region && selection && selection->SelectInteractively(*region) == QDialog::Accepted;
    };
    services.open_sonogram = [](SoundBarControl& control) {
        if (auto* bar = dynamic_cast<Tsound_bar*>(&control))
            bar->show_sonogram();
    };
    services.show_site_descriptions = [](QWidget* owner) {
        TLocalitiesMapForm* form = localities_map_form();
        if (form && data())
            form->show_site_descriptions(*data(), owner);
    };
    return services;
}

} // namespace pemmaro
