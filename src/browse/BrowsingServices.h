#pragma once
// What the browsing windows use of the program's other parts: the sound bars
// and small pictures of their displays, the web browser, the help, the audio
// CD drive, the shared dialogs and the introduction and about windows. app/
// fills it in; a window passes it on to the windows it opens. A command whose
// service is missing does nothing.

#include "browse/DisplaySurface.h"
#include "common/SlidesAndSoundsShowSettings.h"
#include "data/ShowRandomChoices.h"

#include <functional>
#include <string>

class QWidget;

namespace pemmaro {

struct SoundEditorChoice;
class TFindInShowStringsDialog;
class TNameOptionsDialog;
class TTextSizeDialog;

// The dialogs that all browsing windows share; not owned.
struct SharedDialogs {
    TFindInShowStringsDialog* find = nullptr;
    TNameOptionsDialog* name_options = nullptr;
    TTextSizeDialog* text_size = nullptr;
};
class TArea;
class TRecordingsAndOrPicturesList;

struct BrowsingServices {
    // The product, texts, fonts and settings the windows are built with; not owned.
    const CoreContext* core = nullptr;
    DisplaySurfaceServices surface;
    // The program's choice of sound editor, shared by every window; not owned.
    SoundEditorChoice* sound_editor = nullptr;
    // Made after the first window; read when a command needs them. Not owned.
    const SharedDialogs* dialogs = nullptr;
    std::function<void(const std::string& address)> open_url;
    // Rebuilds the display fonts shared by every window at a new base height.
    std::function<void(int base_height)> set_text_size;
    // The introduction window, shown once after start-up over the main window.
    std::function<void(QWidget& main_window)> show_introduction;
    // The about window, modal over the window; returns when it is closed.
    std::function<void(QWidget& window)> show_about;
    std::function<void()> show_help_contents;
    std::function<void()> open_web_browser_settings;
    std::function<int()> chosen_audio_cd_drive;
    std::function<int()> audio_cd_drive_count;
    // Looks at the drive on a worker thread; done gets the status line's text
    // on the user-interface thread.
    std::function<void(int drive, std::function<void(const std::string& text)> done)>
        look_at_audio_cd_drive;
    // The drive dialog over the window.
    std::function<void(QWidget* window)> choose_audio_cd_drive;
    // The "My Audio CDs" dialog over the window, editing the owned set; true on OK.
    std::function<bool(QWidget* window, NumberSet& used_audio_cds)> select_audio_cds;
    // The window's audio CD information pop-up at a point of the screen.
    std::function<void(QWidget* window, const TaudioCD& cd, QPoint position,
                       std::function<void(const std::string& address)> open_url)>
        open_audio_cd_information;
    // Copies the data folders to the hard disk (the window is the dialogs' owner).
    std::function<void(QWidget* window)> copy_to_hard_disk;
    // A species' distribution map, with the locality marked when there is one;
    // the owner is the window that opens it, the title its caption.
    std::function<void(QWidget* owner, Tspecies& species, Tlocality* locality,
                       const std::string& title)>
        open_map;
    // The big pictures of a species, or of one of its subspecies, in a window
    // of their own; title gives its caption for a picture's subspecies.
    std::function<void(
        Tspecies& species, Tsubspecies* subspecies_only,
        std::function<std::string(const Tspecies&, const std::optional<Trecord_ssp_data>&)> title)>
        open_pictures;
    // Lets the user edit the area on the region map; true when it changed (OK).
    std::function<bool(TArea& area)> select_area;
    // The sonogram pane on the recording of a sound bar.
    std::function<void(SoundBarControl& bar)> open_sonogram;
    // The map of the localities with a site description, modal to the owner.
    std::function<void(QWidget* owner)> show_site_descriptions;
    // Shows the window of the list of what the window's shows showed and
    // played; made the first time as a child of the window, which keeps the list.
    std::function<QWidget*(QWidget* window, TRecordingsAndOrPicturesList& list)>
        show_recordings_and_pictures_list;
    // The generator of the shows' random choices, seeded once from the clock
    // at start; not owned.
    ShowRandomGenerator* show_random = nullptr;
    // The play list window: opened by the window's command, shown or not (the
    // sound bars of a display made meanwhile may be dragged onto it), and
    // asked before the program ends (false: the user cancelled).
    // The show settings dialog over the window; the new settings on OK.
    std::function<std::optional<ShowSettings>(QWidget* window, const ShowSettings& settings,
                                              bool any_show_picture)>
        run_show_settings_dialog;
    // The slides show (with or without sounds) in a big picture window of its
    // own; what it shows goes to the list, which must outlive the show window
    // (it is the opener's). False when it could not show its first picture.
    std::function<bool(
        QWidget* opener, const ShowSettings& settings, const TVisibleSpeciesAndRecordings& filter,
        std::function<std::string(const Tspecies&, const std::optional<Trecord_ssp_data>&)> title,
        TRecordingsAndOrPicturesList& list)>
        start_slides_show;
    std::function<void(QWidget& opener)> open_play_lists;
    // Shows the play list window where it was left, when "Open at Startup" is set.
    std::function<void()> show_play_lists_at_start;
    std::function<bool()> play_lists_shown;
    std::function<bool()> play_lists_may_close;
};

} // namespace pemmaro
