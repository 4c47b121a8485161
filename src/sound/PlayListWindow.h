#pragma once
// The play list window, one for the whole program and always on top: the
// list of recordings the user builds by dragging sound bars onto its grid,
// edits (order, times, delete), keeps in play list files and plays. The list
// itself, its order of play and its files live in PlayList, PlayListFile and
// PlayListPlayback; the window edits and shows them.
// Needs the loaded data set. User-interface thread only.

#include "data/DataSet.h"
#include "sound/PlayList.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QAction;
class QCheckBox;
class QMenu;
class QMenuBar;
class QPushButton;
class QTableWidget;

namespace pemmaro {

struct CoreContext;
class PlayListPlayback;
class TPlaySoundOptionsFrame;

struct PlayListServices {
    // Not owned; must outlive the window.
    const CoreContext* core = nullptr;
    const Tdata* data = nullptr;
    // Lets the sound bars of every browsing window be dragged, or not.
    std::function<void(bool automatic)> set_soundbar_dragging;
    // How the main browsing window names species.
    std::function<NameChoice()> name_choice;
    std::function<void()> show_help;
    // The file dialogs, starting in the folder of the current file; none when cancelled.
    std::function<std::optional<std::string>(QWidget* window, const std::string& start)>
        choose_file_to_open;
    std::function<std::optional<std::string>(QWidget* window, const std::string& start)>
        choose_file_to_save;
    // Plays the list in a show window of its own, which moves a copy of the
    // main browsing window's display to each recording's bar: next gives the
    // rows in play order, ended is called when that window closes. Returns
    // the window (which frees itself when closed); none: the list plays in
    // the play list window itself.
    std::function<QWidget*(const TSoundOptions& options,
                           std::function<std::optional<PlayListNext>()> next,
                           std::function<void()> ended)>
        play_in_show_window;
};

class TPlayListForm : public QWidget {
    Q_OBJECT

public:
    // Reads the sound options and loads the list the program had last.
    explicit TPlayListForm(PlayListServices services, QWidget* parent = nullptr);
    // Writes the window's rectangle, its sound options and the current file.
    ~TPlayListForm() override;

    // The browsing window's command: brings a shown window to the front, else
    // shows it beside the window that asks.
    void open_from(QWidget* opener);
    // Asked before the program ends: the question about unsaved changes;
    // false when the user cancels.
    bool may_close_program();

    // The commands.
    void new_list();
    void open_list();
    // Loads the file; false (the list unchanged) when it could not be loaded.
    bool open_file(const std::string& path);
    bool save();
    bool save_as();
    void play_or_stop();
    void delete_current_row();
    // A recording dropped on the grid.
    void add_recording(const TPlayListInfo& info);

    const TPlayList& list() const { return list_; }
    bool modified() const { return modified_; }
    bool unnamed() const { return unnamed_; }
    bool playing() const { return playing_; }
    const std::string& file_path() const { return file_path_; }
    std::string list_name() const;
    bool endless_loop() const;
    QTableWidget* grid() const { return grid_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void create_menu();
    void create_controls();
    void read_settings();
    void write_settings() const;
    void place_window();
    void refresh();
    void update_caption();
    void update_recent_menu();
    void remember_file(const std::string& path);
    bool ask_to_save();
    bool save_to(const std::string& path);
    void set_playing(bool playing);
    void stop_playback();
    std::optional<PlayListNext> next_to_play();
    void row_started(int row);
    void row_moved(int from_visual, int to_visual);
    void times_edited(int row, int column);
    void make_row_current(int row);
    bool handle_drop(QEvent* event);

    PlayListServices services_;
    TPlayList list_;
    std::string file_path_;
    bool unnamed_ = true;
    bool modified_ = false;
    bool playing_ = false;
    bool first_show_ = true;
    bool program_ending_ = false; // the user let the program end
    bool refreshing_ = false;
    QPointer<QWidget> opener_;
    std::unique_ptr<PlayListPlayback> playback_;
    QPointer<QWidget> show_window_; // plays the list, when it plays in one

    QMenuBar* MainMenu = nullptr;
    QMenu* file_menu = nullptr;
    QAction* new_list_menu_item = nullptr;
    QAction* open_list_menu_item = nullptr;
    QAction* save_menu_item = nullptr;
    QAction* save_as_menu_item = nullptr;
    QAction* previous_files_separator_menu_item = nullptr;
    std::vector<QAction*> previous_files_;
    QPushButton* Button_play_or_stop = nullptr;
    QPushButton* Button_help = nullptr;
    QCheckBox* CheckBox_endless_loop = nullptr;
    QCheckBox* CheckBox_start_playing_at_selected_recording = nullptr;
    TPlaySoundOptionsFrame* sound_options_frame_ = nullptr;
    QTableWidget* grid_ = nullptr;
};

// The program's play list window; none before it is made.
TPlayListForm* play_list_form();

} // namespace pemmaro
