#include "app/ProgramServices.h"

#include "app/Help.h"
#include "app/Startup.h"
#include "browse/BrowsingWindow.h"
#include "browse/DisplayLines.h"
#include "browse/WindowList.h"
#include "common/CoreContext.h"
#include "common/LanguageTexts.h"
#include "common/TextEngine.h"
#include "data/DataSet.h"
#include "data/SolvaraAreas.h"
#include "data/SpokenNames.h"
#include "maps_pictures/BigPictureDemoForm.h"
#include "maps_pictures/BigPictureWindow.h"
#include "maps_pictures/LocalitiesMap.h"
#include "maps_pictures/MapWindow.h"
#include "maps_pictures/PictureFiles.h"
#include "maps_pictures/RecordingsAndPicturesListForm.h"
#include "maps_pictures/SelectAreaWindow.h"
#include "maps_pictures/SmallPictures.h"
#include "platform/Ansi.h"
#include "platform/FolderDialog.h"
#include "sound/AboutAudioCdForm.h"
#include "sound/AudioCdDrive.h"
#include "sound/AudioCdDriveDialog.h"
#include "sound/DemoSettingsDialog.h"
#include "sound/DiscInDriveCheck.h"
#include "sound/PlayListFile.h"
#include "sound/PlayListWindow.h"
#include "sound/ProgramPlayListWindow.h"
#include "sound/SelectAudioCdsDialog.h"
#include "sound/SonogramWindow.h"
#include "sound/SoundBars.h"
#include "tools/AboutForm.h"
#include "tools/CopyToHardDisk.h"
#include "tools/IntroductionForm.h"
#include "tools/WebBrowserSettingsDialog.h"
#include "tools/WebBrowserWindow.h"

#include <QFileDialog>

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

// The shows' one generator, seeded from the clock when the services are first made.
ShowRandomGenerator& show_random_generator() {
    static ShowRandomGenerator random = clock_seeded_show_generator();
    return random;
}

std::optional<std::string> chosen_path(const QString& path) {
    if (path.isEmpty())
        return std::nullopt;
    return path.toStdString();
}

// The play list plays in a show window with a copy of the main window's
// display, every recording's line scrolled to as it plays.
QWidget* play_list_in_show_window(const TSoundOptions& options,
                                  std::function<std::optional<PlayListNext>()> next,
                                  std::function<void()> ended) {
    TChildForm* main = top_forms().main_child_form();
    if (!main)
        return nullptr;
    auto* window = new TChildForm(program_browsing_services(), main);
    window->setAttribute(Qt::WA_DeleteOnClose);
    auto rows = [next = std::move(next)]() -> std::optional<SoundsShowNext> {
        const std::optional<PlayListNext> row = next();
        if (!row || !row->info.recording_item)
            return std::nullopt;
        Tcupaitem* item = row->info.recording_item;
        return SoundsShowNext{item->species, item, row->info.number, row->repeat, row->last};
    };
    window->initialise({.secondary = true,
                        .copy_from = main,
                        .restore_from_settings = false,
                        .show = ShowWindowInit{3, options, std::move(rows), nullptr}});
    QObject::connect(window, &TChildForm::closed, window, std::move(ended));
    window->show();
    return window;
}

} // namespace

PlayListServices play_list_services() {
    PlayListServices services;
    services.core = &program_context();
    services.data = data();
    services.set_soundbar_dragging = [](bool automatic) {
        top_forms().set_soundbar_dragging_enabled(automatic);
    };
    services.name_choice = [] {
        const TChildForm* main = top_forms().main_child_form();
        return main ? main->surface().display().options().name_choice() : NameChoice{};
    };
    services.show_help = [] { show_help_context(help_context_play_lists); };
    services.choose_file_to_open = [](QWidget* window, const std::string& start) {
        return chosen_path(QFileDialog::getOpenFileName(window, QString(),
                                                        QString::fromStdString(start),
                                                        to_qstring(text(play_lists::open_filter))));
    };
    // The dialog adds the extension before it asks whether to overwrite a
    // file, so that "calls" does not replace "calls.pl" unasked.
    services.choose_file_to_save = [](QWidget* window,
                                      const std::string& start) -> std::optional<std::string> {
        QFileDialog dialog(window, QString(), QString::fromStdString(start),
                           to_qstring(text(play_lists::save_filter)));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(play_list_extension);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return chosen_path(dialog.selectedFiles().constFirst());
    };
    services.play_in_show_window = &play_list_in_show_window;
    return services;
}

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
    services.open_pictures = [](Tspecies& species, Tsubspecies* subspecies_only,
                                PictureTitleProvider title) {
        ShowBigPictures(program_context(), &open_url, species, subspecies_only, std::move(title));
    };
    services.select_area = [](TArea& area) {
        auto* region = dynamic_cast<TSolvaraArea*>(&area);
        RegionAreaSelection* selection = region_area_selection();
        return region && selection && selection->SelectInteractively(*region) == QDialog::Accepted;
    };
    services.open_play_lists = [](QWidget& opener) {
        if (ProgramPlayListWindow* play_lists = program_play_list_window())
            play_lists->window().open_from(&opener);
    };
    services.show_play_lists_at_start = [] {
        if (ProgramPlayListWindow* play_lists = program_play_list_window())
            play_lists->window().show();
    };
    // Neither question makes the window: one never made is neither shown nor changed.
    services.play_lists_shown = [] {
        const TPlayListForm* form = play_list_form();
        return form && form->isVisible();
    };
    services.play_lists_may_close = [] {
        TPlayListForm* form = play_list_form();
        return !form || form->may_close_program();
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
    services.show_recordings_and_pictures_list = [](QWidget* window,
                                                    TRecordingsAndOrPicturesList& list) {
        return static_cast<QWidget*>(
            show_recordings_and_pictures_list(program_context().texts, list, window));
    };
    services.show_random = &show_random_generator();
    services.run_show_settings_dialog = [](QWidget* window, const ShowSettings& settings,
                                           bool any_show_picture) {
        TDemoSettingsDialog dialog(program_context().product, program_context().texts, window);
        return dialog.run(settings, any_show_picture);
    };
    services.start_slides_show = [](QWidget* opener, const ShowSettings& settings,
                                    const TVisibleSpeciesAndRecordings& filter,
                                    PictureTitleProvider title,
                                    TRecordingsAndOrPicturesList& list) {
        SlidesShowServices slides;
        slides.make_sound_bar = &make_sound_bar;
        slides.random = &show_random_generator();
        slides.tell_name = [](const Tspecies& species) {
            return TellSpeciesName(species, program_context().product);
        };
        // A child of its opener, whose list it writes: it ends with it.
        auto* form = new TBigPictureDemoForm(program_context(), &open_url, settings, filter,
                                             std::move(title), list, std::move(slides), opener);
        if (form->start())
            return true;
        delete form;
        return false;
    };
    return services;
}

} // namespace pemmaro
