#pragma once
// The browsing window: a menu bar, the display surface and a status bar of two
// panels (where the cursor stands; which audio CD is in the drive). The first
// one is the program's main window: closing it writes every window's state and
// ends the program. Further (secondary) windows are children of the main
// window, so they stay above it and end with it; they are freed when closed.
//
// The window only dispatches: the rules and flows of its commands live in
// BrowsingWindowRules, WindowState, SoundSource and SoundEditor.
// Needs the loaded data set. User-interface thread only.

#include "browse/BrowsingServices.h"
#include "browse/BrowsingWindowRules.h"
#include "common/SlidesAndSoundsShowSettings.h"
#include "data/SoundsShowHandler.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QAction;
class QLabel;
class QMenu;
class QTimer;

namespace pemmaro {

class ShowWindowSteps;
class TChildForm;
class TPersonForm;
class TRecordingsAndOrPicturesList;
class TShowForm;
class TThreatenedStatusExplicationForm;
struct SHST_TShowStringsData;
struct Tperson;

// A window that plays recordings by itself: the sounds show of a window, or
// a play list. It has no menu and is not in the window list.
struct ShowWindowInit {
    int sound_quality_level = 3;
    TSoundOptions sound_options;
    // A play list's next row; empty: the sounds show, which draws at random
    // and logs what it plays in the opener's list.
    std::function<std::optional<SoundsShowNext>()> play_list_next;
    TChildForm* opener = nullptr; // the window whose Show! command started it
};

struct ChildFormInit {
    bool secondary = false;
    // The window whose display and options a new window starts from.
    const TChildForm* copy_from = nullptr;
    // Bounds, options and fold state from "WINDOW n", n being the window's
    // number in the window list.
    bool restore_from_settings = false;
    std::optional<ShowWindowInit> show; // a show window (secondary, copy_from given)
};

class TChildForm : public QMainWindow {
    Q_OBJECT

public:
    explicit TChildForm(BrowsingServices services, QWidget* parent = nullptr);
    ~TChildForm() override;

    // The program's first window, restored from the settings file; its first
    // showing opens the further saved windows.
    void initialise_as_main_window();
    void initialise(const ChildFormInit& init);

    bool secondary() const { return secondary_; }
    bool show_window() const { return show_handler_ != nullptr; }
    // The sounds show or play list of a show window; none otherwise.
    const Tsounds_demo_and_play_lists_handler* show_handler() const { return show_handler_.get(); }
    // The window's running sounds show window; none when no show runs.
    TChildForm* show_window_ref() const { return show_window_ref_; }
    const ShowSettings& show_settings() const { return show_settings_; }
    TShowForm& surface() const { return *surface_; }
    // The rectangle of the window while neither minimised nor maximised.
    QRect normal_bounds() const { return normal_bounds_; }
    QString status_panel_text(int panel) const;

    // What the window's shows have shown and played; kept for the window's
    // life (a rebuilt display empties it).
    TRecordingsAndOrPicturesList& pictures_list() const { return *pictures_list_; }

    // Writes section "WINDOW number"; false when a value did not reach the file.
    bool write_state(int number) const;
    void set_soundbar_dragging(bool automatic);
    // Raises and activates the window and gives its surface the focus.
    void activate_and_focus();

    // The menu commands.
    TChildForm* open_new_window();
    // Show!: brings up the running sounds show, or asks for the show settings
    // and starts a show with them.
    void start_show();
    // Starts a show with the settings without asking (the command after its dialog).
    void start_show_with(const ShowSettings& settings);
    void open_play_lists();
    void fold_all();
    void show_what_was_that();
    void find();
    void find_again();
    void choose_names();
    void choose_text_size();
    void show_about();
    void switch_window(bool forward);
    void show_sound_file_name();
    void show_sonogram();
    void load_into_editor();
    void select_sound_editor();
    void toggle_show_threatened();
    void toggle_show_all_birds_of_area();
    void toggle_show_birds_of_other_countries();
    void choose_systematic_order(int order);
    void open_web_browser_settings();
    void select_area();
    void show_site_descriptions();
    void open_map(Tspecies& species, Tlocality* locality);
    void open_pictures(Tspecies& species, Tsubspecies* subspecies);
    void open_readme();
    void open_recent_info_on_the_web();
    void choose_audio_cds();
    void choose_audio_cd_player();
    void copy_to_hard_disk();
    // One tick of the audio CD check.
    void check_cd_rom();
    // After the text size changed: the display is built again with the new fonts.
    void rebuild_with_new_fonts();

    // The pop-ups of the display (global positions).
    void open_person(const Tperson& person, QPoint position);
    void open_threat_explanation(QPoint position);
    void close_popups();
    // The pop-ups when they have been opened; none otherwise.
    const TPersonForm* person_form() const;
    const TThreatenedStatusExplicationForm* threat_explanation_form() const;

signals:
    // After the window has accepted its close.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct MenuItems;

    void create_menus();
    void create_file_menu();
    void create_search_and_view_menus();
    void create_sound_menu();
    void create_options_menu();
    void create_order_items();
    void create_help_menu();
    void create_window_keys();
    void create_status_bar();
    TShowForm* create_surface();
    void lay_out_surface();
    void adjust_menus();
    void show_items_whose_windows_are_wired();
    void update_check_marks();
    void update_sound_menu(bool sound_bar, bool sound_file);
    void rebuild_display(const std::function<void(SHST_TShowStringsData&)>& change);
    void restore_further_windows();
    void start_intro_timer();
    QFont dialog_font() const;
    void remember_normal_bounds();
    void run_search(bool from_top);
    std::optional<std::string> choose_editor_file(const std::string& start);
    void initialise_show_window(const ShowWindowInit& show);
    void play_sounds_tick();

    bool secondary_ = false;
    bool shown_before_ = false;
    QRect normal_bounds_;
    std::string find_text_;
    bool find_from_top_ = true;
    MenuVisibility rules_;
    TShowForm* surface_ = nullptr; // a child; replaced when the display is rebuilt
    std::unique_ptr<MenuItems> items_;
    QLabel* status_panels_[2] = {nullptr, nullptr};
    QTimer* timer_check_CD_ROM_ = nullptr;
    QTimer* timer_intro_form_ = nullptr;
    // Children of the surface, so a rebuilt display starts without them.
    QPointer<TPersonForm> person_form_;
    QPointer<TThreatenedStatusExplicationForm> threat_form_;
    BrowsingServices services_;
    bool disc_look_under_way_ = false; // the timer's look at the drive
    std::unique_ptr<TRecordingsAndOrPicturesList> pictures_list_;
    QPointer<QWidget> pictures_list_window_; // a child; closed before the list goes
    ShowSettings show_settings_;
    QPointer<TChildForm> show_window_ref_;
    QPointer<TChildForm> show_opener_;
    QTimer* Timer_play_sounds = nullptr;
    std::unique_ptr<ShowWindowSteps> show_steps_;
    std::unique_ptr<Tsounds_demo_and_play_lists_handler> show_handler_;
};

} // namespace pemmaro
