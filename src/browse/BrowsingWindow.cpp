#include "browse/BrowsingWindow.h"

#include "browse/DisplaySurface.h"
#include "browse/FindDialog.h"
#include "browse/NameOptionsDialog.h"
#include "browse/ShowWindowSteps.h"
#include "browse/SoundEditor.h"
#include "browse/SoundSource.h"
#include "browse/TextSizeDialog.h"
#include "browse/ThreatenedStatusExplicationForm.h"
#include "browse/WindowCaption.h"
#include "browse/WindowList.h"
#include "browse/WindowState.h"
#include "common/BaseDirectory.h"
#include "common/CoreContext.h"
#include "common/FileOperations.h"
#include "common/GeneralSettings.h"
#include "common/LanguageTexts.h"
#include "common/PlayListSettings.h"
#include "common/Product.h"
#include "common/QtTextMeasurer.h"
#include "common/SettingsFile.h"
#include "data/Areas.h"
#include "data/CountryAreas.h"
#include "data/RecordingsAndPicturesList.h"
#include "data/SoundFilePaths.h"
#include "platform/Ansi.h"
#include "platform/Messages.h"
#include "widgets/PersonForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QResizeEvent>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>
#include <tuple>

namespace pemmaro {

namespace {

constexpr int cd_check_interval_ms = 2000;
constexpr int intro_delay_ms = 100;
// A damaged settings file must not open windows without end.
constexpr long most_restored_windows = 32;
// Where a new window opens, down and right of the one it copies.
constexpr int new_window_offset = 24;

QString menu_caption(const TextLine& line, std::string_view suffix = {}) {
    return to_qstring(text(line) + std::string(suffix));
}

// QWidget has a member named data.
const Tdata& data_set() {
    return *pemmaro::data();
}

QSize screen_size() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize(1024, 768);
}

// Gives the focus back to where it was (the current sound bar) when a
// command's dialogs are done.
class FocusKeeper {
public:
    FocusKeeper()
        : widget_(QApplication::focusWidget()) {}
    ~FocusKeeper() {
        if (widget_)
            widget_->setFocus();
    }
    FocusKeeper(const FocusKeeper&) = delete;
    FocusKeeper& operator=(const FocusKeeper&) = delete;

private:
    QPointer<QWidget> widget_;
};

} // namespace

struct TChildForm::MenuItems {
    QMenu* file_menu = nullptr;
    QAction* new_window_menu_item = nullptr;
    QAction* fold_all_menu_item = nullptr;
    QAction* audio_CDs_menu_item = nullptr;
    QAction* show_menu_item = nullptr;
    QAction* what_was_that_menu_item = nullptr;
    QAction* play_lists_menu_item = nullptr;
    QAction* exit_menu_item = nullptr;
    QMenu* search_menu = nullptr;
    QAction* find_menu_item = nullptr;
    QAction* find_again_menu_item = nullptr;
    QMenu* view_menu = nullptr;
    QAction* site_descriptions_menu_item = nullptr;
    QMenu* sound_menu = nullptr;
    QAction* show_sound_file_menu_item = nullptr;
    QAction* load_into_editor_menu_item = nullptr;
    QAction* sonogram_menu_item = nullptr;
    QMenu* options_menu = nullptr;
    QAction* show_intro_form_menu_item = nullptr;
    QAction* names_menu_item = nullptr;
    QAction* text_size_menu_item = nullptr;
    QAction* show_all_birds_of_area_menu_item = nullptr;
    QAction* show_birds_of_other_countries_menu_item = nullptr;
    QAction* show_threatened_statuses_menu_item = nullptr;
    QAction* orders_separator_before = nullptr;
    QAction* database_systematic_order_menu_item = nullptr;
    QAction* Clements_systematic_order_menu_item = nullptr;
    QAction* Sibley_and_Monroe_systematic_order_menu_item = nullptr;
    QAction* orders_separator_after = nullptr;
    QAction* select_area_menu_item = nullptr;
    QAction* web_browser_settings_menu_item = nullptr;
    QAction* select_sound_editor_menu_item = nullptr;
    QAction* copy_to_HD_menu_item = nullptr;
    QAction* AudioCDPlayer_menu_item = nullptr;
    QMenu* help_menu = nullptr;
    QAction* help_menu_item = nullptr;
    QAction* readme_menu_item = nullptr;
    QAction* recent_info_on_the_web_menu_item = nullptr;
    QAction* about_menu_item = nullptr;
    QAction* next_window = nullptr;
    QAction* previous_window = nullptr;
};

TChildForm::TChildForm(BrowsingServices services, QWidget* parent)
    : QMainWindow(parent)
    , items_(std::make_unique<MenuItems>())
    , services_(std::move(services)) {
    setObjectName("TChildForm");
    pictures_list_ = std::make_unique<TRecordingsAndOrPicturesList>(
        services_.core->texts, [this](const Tspecies& species) {
            return species_window_caption(species, std::nullopt,
                                          surface_->display().options().name_options(),
                                          services_.core->texts);
        });
    create_menus();
    create_status_bar();
    surface_ = create_surface();
    setCentralWidget(surface_);
    timer_check_CD_ROM_ = new QTimer(this);
    timer_check_CD_ROM_->setObjectName("Timer_check_CD_ROM");
    timer_check_CD_ROM_->setInterval(cd_check_interval_ms);
    connect(timer_check_CD_ROM_, &QTimer::timeout, this, &TChildForm::check_cd_rom);
    timer_intro_form_ = new QTimer(this);
    timer_intro_form_->setObjectName("Timer_intro_form");
    timer_intro_form_->setSingleShot(true);
    timer_intro_form_->setInterval(intro_delay_ms);
    connect(timer_intro_form_, &QTimer::timeout, this, [this] {
        if (services_.show_introduction)
            services_.show_introduction(*this);
    });
    Timer_play_sounds = new QTimer(this);
    Timer_play_sounds->setObjectName("Timer_play_sounds");
    Timer_play_sounds->setSingleShot(true);
    connect(Timer_play_sounds, &QTimer::timeout, this, &TChildForm::play_sounds_tick);
    show_settings_ = read_show_settings(services_.core->settings, services_.core->product);
}

TChildForm::~TChildForm() {
    top_forms().delete_form(this);
    delete pictures_list_window_;
}

namespace {

QMenu* add_menu(QMainWindow& window, const char* name, const TextLine& line) {
    QMenu* menu = window.menuBar()->addMenu(menu_caption(line));
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    return menu;
}

QAction* add_item(TChildForm& form, QMenu* menu, const char* name, const QString& caption,
                  void (TChildForm::*command)() = nullptr) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    if (command)
        QObject::connect(action, &QAction::triggered, &form, command);
    return action;
}

} // namespace

void TChildForm::create_menus() {
    create_file_menu();
    create_search_and_view_menus();
    create_sound_menu();
    create_options_menu();
    create_help_menu();
    create_window_keys();
}

void TChildForm::create_file_menu() {
    MenuItems& m = *items_;
    m.file_menu = add_menu(*this, "file_menu", menus::file);
    m.new_window_menu_item =
        add_item(*this, m.file_menu, "new_window_menu_item", menu_caption(menus::new_window));
    connect(m.new_window_menu_item, &QAction::triggered, this, [this] { open_new_window(); });
    m.fold_all_menu_item = add_item(*this, m.file_menu, "fold_all_menu_item",
                                    menu_caption(menus::fold_all), &TChildForm::fold_all);
    m.file_menu->addSeparator();
    m.audio_CDs_menu_item =
        add_item(*this, m.file_menu, "audio_CDs_menu_item", menu_caption(menus::my_audio_cds),
                 &TChildForm::choose_audio_cds);
    m.show_menu_item =
        add_item(*this, m.file_menu, "show_menu_item", menu_caption(menus::slides_and_sounds_show),
                 &TChildForm::start_show);
    m.what_was_that_menu_item =
        add_item(*this, m.file_menu, "what_was_that_menu_item",
                 menu_caption(menus::what_was_that, "..."), &TChildForm::show_what_was_that);
    m.play_lists_menu_item =
        add_item(*this, m.file_menu, "play_lists_menu_item", menu_caption(menus::play_lists, "..."),
                 &TChildForm::open_play_lists);
    m.file_menu->addSeparator();
    m.exit_menu_item = add_item(*this, m.file_menu, "exit_menu_item", menu_caption(menus::exit));
    connect(m.exit_menu_item, &QAction::triggered, this, &QWidget::close);
}

void TChildForm::create_search_and_view_menus() {
    MenuItems& m = *items_;
    m.search_menu = add_menu(*this, "search_menu", menus::search);
    m.find_menu_item = add_item(*this, m.search_menu, "find_menu_item",
                                menu_caption(menus::find, "...\tCtrl+F"), &TChildForm::find);
    m.find_menu_item->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    const std::string f3 = text(f3::key_name);
    m.find_again_menu_item =
        add_item(*this, m.search_menu, "find_again_menu_item",
                 menu_caption(menus::find_again, "\t" + (f3.empty() ? std::string("F3") : f3)),
                 &TChildForm::find_again);
    m.find_again_menu_item->setShortcut(QKeySequence(Qt::Key_F3));

    m.view_menu = add_menu(*this, "view_menu", menus::view);
    m.site_descriptions_menu_item = add_item(*this, m.view_menu, "site_descriptions_menu_item",
                                             menu_caption(menus::site_descriptions, "..."),
                                             &TChildForm::show_site_descriptions);
}

void TChildForm::create_sound_menu() {
    MenuItems& m = *items_;
    m.sound_menu = add_menu(*this, "sound_menu", menus::sound);
    m.sound_menu->menuAction()->setEnabled(false);
    m.show_sound_file_menu_item = add_item(*this, m.sound_menu, "show_sound_file_menu_item",
                                           menu_caption(menus::show_name_of_sound_file, "..."),
                                           &TChildForm::show_sound_file_name);
    m.load_into_editor_menu_item =
        add_item(*this, m.sound_menu, "load_into_editor_menu_item",
                 menu_caption(menus::load_into_sound_editor), &TChildForm::load_into_editor);
    m.sonogram_menu_item =
        add_item(*this, m.sound_menu, "sonogram_menu_item", menu_caption(kz_sonogram::menu_item),
                 &TChildForm::show_sonogram);
    m.sonogram_menu_item->setVisible(static_cast<bool>(services_.open_sonogram));
}

void TChildForm::create_options_menu() {
    MenuItems& m = *items_;
    m.options_menu = add_menu(*this, "options_menu", menus::options);
    m.show_intro_form_menu_item = add_item(*this, m.options_menu, "show_intro_form_menu_item",
                                           menu_caption(menus::show_intro_screen));
    m.show_intro_form_menu_item->setCheckable(true);
    m.names_menu_item = add_item(*this, m.options_menu, "names_menu_item",
                                 menu_caption(menus::names, "..."), &TChildForm::choose_names);
    m.text_size_menu_item =
        add_item(*this, m.options_menu, "text_size_menu_item",
                 menu_caption(menus::text_size, "..."), &TChildForm::choose_text_size);
    m.show_all_birds_of_area_menu_item =
        add_item(*this, m.options_menu, "show_all_birds_of_area_menu_item",
                 menu_caption(menus::show_all_birds_of, " " + services_.core->product.home_country),
                 &TChildForm::toggle_show_all_birds_of_area);
    m.show_birds_of_other_countries_menu_item =
        add_item(*this, m.options_menu, "show_birds_of_other_countries_menu_item",
                 menu_caption(menus::show_birds_of_other_countries),
                 &TChildForm::toggle_show_birds_of_other_countries);
    m.show_threatened_statuses_menu_item = add_item(
        *this, m.options_menu, "show_threatened_statuses_menu_item",
        menu_caption(menus::show_threatened_statuses), &TChildForm::toggle_show_threatened);
    for (QAction* toggle :
         {m.show_all_birds_of_area_menu_item, m.show_birds_of_other_countries_menu_item,
          m.show_threatened_statuses_menu_item})
        toggle->setCheckable(true);
    create_order_items();
    m.select_area_menu_item = add_item(*this, m.options_menu, "select_area_menu_item",
                                       menu_caption(menus::select_area), &TChildForm::select_area);
    m.web_browser_settings_menu_item = add_item(
        *this, m.options_menu, "web_browser_settings_menu_item",
        menu_caption(menus::web_browser_settings, "..."), &TChildForm::open_web_browser_settings);
    m.select_sound_editor_menu_item =
        add_item(*this, m.options_menu, "select_sound_editor_menu_item",
                 menu_caption(menus::select_sound_editor, "..."), &TChildForm::select_sound_editor);
    m.copy_to_HD_menu_item = add_item(*this, m.options_menu, "copy_to_HD_menu_item",
                                      menu_caption(menus::copy_data_to_hard_disk, "..."),
                                      &TChildForm::copy_to_hard_disk);
    m.AudioCDPlayer_menu_item = add_item(*this, m.options_menu, "AudioCDPlayer_menu_item",
                                         menu_caption(menus::cd_rom_drive_for_audio_cds, "..."),
                                         &TChildForm::choose_audio_cd_player);
}

// The three systematic orders, between their separators.
void TChildForm::create_order_items() {
    MenuItems& m = *items_;
    m.orders_separator_before = m.options_menu->addSeparator();
    const std::tuple<QAction * MenuItems::*, const char*, TextLine> orders[] = {
        {&MenuItems::database_systematic_order_menu_item, "database_systematic_order_menu_item",
         menus::database_order},
        {&MenuItems::Clements_systematic_order_menu_item, "Clements_systematic_order_menu_item",
         menus::clements_order},
        {&MenuItems::Sibley_and_Monroe_systematic_order_menu_item,
         "Sibley_and_Monroe_systematic_order_menu_item", menus::sibley_and_monroe_order}};
    for (int order = 1; order <= 3; ++order) {
        const auto& [member, name, caption] = orders[order - 1];
        QAction* item = add_item(*this, m.options_menu, name, menu_caption(caption));
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, order] { choose_systematic_order(order); });
        m.*member = item;
    }
    m.orders_separator_after = m.options_menu->addSeparator();
}

void TChildForm::create_help_menu() {
    MenuItems& m = *items_;
    m.help_menu = add_menu(*this, "help_menu", menus::help);
    m.help_menu_item =
        add_item(*this, m.help_menu, "help_menu_item", menu_caption(menus::help_topics, "..."));
    connect(m.help_menu_item, &QAction::triggered, this, [this] {
        if (services_.show_help_contents)
            services_.show_help_contents();
    });
    m.readme_menu_item = add_item(*this, m.help_menu, "readme_menu_item",
                                  menu_caption(menus::readme, "..."), &TChildForm::open_readme);
    m.recent_info_on_the_web_menu_item = add_item(
        *this, m.help_menu, "recent_info_on_the_web_menu_item",
        menu_caption(menus::recent_info_on_the_web), &TChildForm::open_recent_info_on_the_web);
    m.about_menu_item = add_item(*this, m.help_menu, "about_menu_item",
                                 menu_caption(menus::about, "..."), &TChildForm::show_about);
}

// Window keys, also while the focus is on a sound bar.
void TChildForm::create_window_keys() {
    MenuItems& m = *items_;
    m.next_window = new QAction(this);
    m.next_window->setObjectName("next_window");
    m.next_window->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab));
    connect(m.next_window, &QAction::triggered, this, [this] { switch_window(true); });
    m.previous_window = new QAction(this);
    m.previous_window->setObjectName("previous_window");
    m.previous_window->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
                                     QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab)});
    connect(m.previous_window, &QAction::triggered, this, [this] { switch_window(false); });
    addAction(m.next_window);
    addAction(m.previous_window);
}

void TChildForm::create_status_bar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName("StatusBar");
    for (int i = 0; i < 2; ++i) {
        status_panels_[i] = new QLabel(bar);
        status_panels_[i]->setObjectName(QString("StatusBar_panel_%1").arg(i));
        status_panels_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        bar->addWidget(status_panels_[i], i);
    }
}

TShowForm* TChildForm::create_surface() {
    auto* surface = new TShowForm(data_set(), *services_.core, services_.surface, this);
    surface->setObjectName("ShowForm");
    ShowFormActions& actions = surface->actions;
    actions.find = [this] { find(); };
    actions.find_again = [this] { find_again(); };
    actions.switch_window = [this](bool forward) { switch_window(forward); };
    actions.open_map = [this](Tspecies& species, Tlocality* locality) {
        open_map(species, locality);
    };
    actions.open_pictures = [this](Tspecies& species, Tsubspecies* subspecies) {
        open_pictures(species, subspecies);
    };
    actions.current_line_changed = [this](bool sound_bar, bool sound_file) {
        update_sound_menu(sound_bar, sound_file);
    };
    actions.status_text_changed = [this](const QString& status) {
        status_panels_[0]->setText(status);
    };
    if (services_.open_audio_cd_information)
        actions.open_audio_cd_information = [this](TaudioCD& cd, QPoint position) {
            services_.open_audio_cd_information(this, cd, position, services_.open_url);
        };
    actions.open_person = [this](Tperson& person, QPoint position) {
        open_person(person, position);
    };
    actions.open_threat_explanation = [this](QPoint position) {
        open_threat_explanation(position);
    };
    actions.close_popups = [this] { close_popups(); };
    // Bars made while the play list window is open can be dragged onto it.
    if (services_.play_lists_shown && services_.play_lists_shown())
        surface->set_soundbar_dragging(true);
    return surface;
}

void TChildForm::initialise_as_main_window() {
    initialise(
        {.secondary = false, .copy_from = nullptr, .restore_from_settings = true, .show = {}});
    // Pictures that were not found under the old base directory may be under
    // the new one: every window looks again.
    set_base_directory_changed_handler([] {
        if (Tdata* loaded = pemmaro::data())
            loaded->clear_small_picture_caches();
        for (std::size_t i = 0; i < top_forms().count(); ++i)
            top_forms().form(i)->surface().refresh_small_pictures();
    });
}

void TChildForm::initialise(const ChildFormInit& init) {
    secondary_ = init.secondary || init.show.has_value();
    if (!init.show) {
        top_forms().add_form(this);
        top_forms().rewrite_captions();
    }
    bool maximized = false;
    if (init.restore_from_settings) {
        const SavedWindowState saved = read_window_state(
            data_set(), *services_.core, static_cast<int>(top_forms().count()), screen_size());
        setGeometry(saved.normal_bounds);
        maximized = saved.maximized;
        lay_out_surface();
        surface_->build_from_options(saved.options, saved.display);
    } else if (init.copy_from) {
        setGeometry(
            init.copy_from->normal_bounds().translated(new_window_offset, new_window_offset));
        lay_out_surface();
        surface_->build_as_copy(init.copy_from->surface());
    } else {
        lay_out_surface();
        surface_->build_from_options(SHST_TShowStringsData(data_set(), *services_.core),
                                     DisplayState{});
    }
    adjust_menus();
    normal_bounds_ = geometry();
    if (maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
    if (init.show)
        initialise_show_window(*init.show);
    else
        timer_check_CD_ROM_->start();
}

void TChildForm::lay_out_surface() {
    // The display wraps its texts at the width its surface last heard of, and
    // a widget that is not shown yet hears of its size only when shown: the
    // window is laid out and the surface's viewport told at once.
    layout()->activate();
    QResizeEvent surface_resized(surface_->size(), surface_->size());
    QCoreApplication::sendEvent(surface_, &surface_resized);
    QWidget* viewport = surface_->viewport();
    QResizeEvent viewport_resized(viewport->size(), viewport->size());
    QCoreApplication::sendEvent(viewport, &viewport_resized);
}

void TChildForm::adjust_menus() {
    const int drive_count = services_.audio_cd_drive_count ? services_.audio_cd_drive_count() : 0;
    rules_ = menu_visibility(
        menu_rule_inputs(services_.core->product, data_set(), secondary_, drive_count));
    MenuItems& m = *items_;
    m.audio_CDs_menu_item->setVisible(rules_.audio_cds);
    m.view_menu->menuAction()->setVisible(rules_.view_menu);
    m.show_intro_form_menu_item->setVisible(rules_.show_intro);
    m.show_intro_form_menu_item->setChecked(
        read_flag(general_settings::section, general_settings::show_picture_at_startup,
                  general_settings::show_picture_at_startup_default));
    m.text_size_menu_item->setVisible(rules_.text_size);
    m.show_birds_of_other_countries_menu_item->setVisible(rules_.show_birds_of_other_countries);
    m.orders_separator_before->setVisible(rules_.systematic_orders);
    m.database_systematic_order_menu_item->setVisible(rules_.database_order);
    m.Clements_systematic_order_menu_item->setVisible(rules_.clements_order);
    m.Sibley_and_Monroe_systematic_order_menu_item->setVisible(rules_.sibley_and_monroe_order);
    m.orders_separator_after->setVisible(rules_.systematic_orders);
    m.select_area_menu_item->setVisible(rules_.select_area);
    m.show_all_birds_of_area_menu_item->setVisible(rules_.show_all_birds_of_area);
    m.copy_to_HD_menu_item->setVisible(rules_.copy_to_hard_disk);
    m.AudioCDPlayer_menu_item->setVisible(rules_.audio_cd_player);
    m.exit_menu_item->setText(menu_caption(rules_.exit_caption));
    m.readme_menu_item->setVisible(find_readme().has_value());
    m.recent_info_on_the_web_menu_item->setVisible(!services_.core->product.update_address.empty());
    show_items_whose_windows_are_wired();
    update_check_marks();
}

void TChildForm::show_items_whose_windows_are_wired() {
    // Windows made by the program's services; a window made alone (tests) has none.
    MenuItems& m = *items_;
    m.show_menu_item->setVisible(static_cast<bool>(services_.run_show_settings_dialog));
    m.play_lists_menu_item->setVisible(static_cast<bool>(services_.open_play_lists));
}

void TChildForm::update_check_marks() {
    const SHST_TShowStringsData& options = surface_->display().options();
    MenuItems& m = *items_;
    m.show_threatened_statuses_menu_item->setChecked(options.show_threatened);
    m.show_all_birds_of_area_menu_item->setChecked(options.visible.show_all_species_of_area);
    const auto* country = dynamic_cast<const TCountryArea*>(options.visible.area.get());
    m.show_birds_of_other_countries_menu_item->setChecked(country && country->InOtherCountries);
    m.database_systematic_order_menu_item->setChecked(options.systematic_order == 1);
    m.Clements_systematic_order_menu_item->setChecked(options.systematic_order == 2);
    m.Sibley_and_Monroe_systematic_order_menu_item->setChecked(options.systematic_order == 3);
}

void TChildForm::update_sound_menu(bool sound_bar, bool sound_file) {
    items_->sound_menu->menuAction()->setEnabled(sound_bar);
    items_->load_into_editor_menu_item->setEnabled(sound_bar && sound_file);
}

QString TChildForm::status_panel_text(int panel) const {
    return status_panels_[panel]->text();
}

bool TChildForm::write_state(int number) const {
    SavedWindowState state(data_set(), *services_.core);
    state.normal_bounds = normal_bounds_;
    state.maximized = isMaximized();
    state.options = surface_->display().options();
    state.display = surface_->state_for_saving();
    return write_window_state(services_.core->settings, number, state);
}

void TChildForm::set_soundbar_dragging(bool automatic) {
    surface_->set_soundbar_dragging(automatic);
}

void TChildForm::activate_and_focus() {
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
    if (isVisible())
        surface_->setFocus();
}

TChildForm* TChildForm::open_new_window() {
    QWidget* owner = top_forms().main_child_form();
    auto* window = new TChildForm(services_, owner ? owner : this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->initialise(
        {.secondary = true, .copy_from = this, .restore_from_settings = false, .show = {}});
    window->show();
    return window;
}

void TChildForm::open_play_lists() {
    if (services_.open_play_lists)
        services_.open_play_lists(*this);
}

void TChildForm::fold_all() {
    surface_->fold_all();
}

void TChildForm::show_what_was_that() {
    if (services_.show_recordings_and_pictures_list)
        pictures_list_window_ = services_.show_recordings_and_pictures_list(this, *pictures_list_);
}

void TChildForm::find() {
    if (!services_.dialogs || !services_.dialogs->find)
        return;
    close_popups();
    if (!services_.dialogs->find->run(*this, dialog_font(), find_text_, find_from_top_))
        return;
    run_search(find_from_top_);
    surface_->setFocus();
}

void TChildForm::find_again() {
    if (find_text_.empty()) {
        find();
        return;
    }
    run_search(false);
}

void TChildForm::run_search(bool from_top) {
    if (!surface_->go_to_species(find_text_, from_top, false))
        message(find_failure_text(services_.core->texts, find_text_), MessageIcon::warning);
}

void TChildForm::choose_names() {
    if (!services_.dialogs || !services_.dialogs->name_options)
        return;
    close_popups();
    services_.dialogs->name_options->run(*surface_, dialog_font());
    surface_->setFocus();
}

void TChildForm::choose_text_size() {
    if (!services_.dialogs || !services_.dialogs->text_size || !services_.set_text_size)
        return;
    close_popups();
    const QString caption = items_->text_size_menu_item->text().remove('&').remove('.');
    int height = services_.core->fonts.base_height();
    if (!services_.dialogs->text_size->run(*this, dialog_font(), caption, height))
        return;
    services_.set_text_size(height);
    // The fonts are shared: every window wraps and measures its lines anew.
    rebuild_with_new_fonts();
    for (std::size_t i = 0; i < top_forms().count(); ++i) {
        if (TChildForm* other = top_forms().form(i); other != this)
            other->rebuild_with_new_fonts();
    }
}

void TChildForm::rebuild_with_new_fonts() {
    rebuild_display([](SHST_TShowStringsData&) {});
}

void TChildForm::show_about() {
    if (!services_.show_about)
        return;
    close_popups();
    const FocusKeeper focus;
    services_.show_about(*this);
}

QFont TChildForm::dialog_font() const {
    return qt_font(services_.core->fonts.normal());
}

void TChildForm::open_person(const Tperson& person, QPoint position) {
    close_popups();
    if (!person_form_ || person_form_->parentWidget() != surface_)
        person_form_ = new TPersonForm(*services_.core, surface_);
    person_form_->ShowPerson(position, person, false);
}

void TChildForm::open_threat_explanation(QPoint position) {
    close_popups();
    if (!threat_form_ || threat_form_->parentWidget() != surface_)
        threat_form_ =
            new TThreatenedStatusExplicationForm(*services_.core, services_.open_url, surface_);
    const Ttextfile_handler& texts = services_.core->texts;
    // Vulnerable, critically endangered, endangered: the order of the explanation.
    threat_form_->ShowThreatExplanation(position, {texts.text(kz_shstr::threat_status(1)),
                                                   texts.text(kz_shstr::threat_status(3)),
                                                   texts.text(kz_shstr::threat_status(2))});
}

const TPersonForm* TChildForm::person_form() const {
    return person_form_;
}

const TThreatenedStatusExplicationForm* TChildForm::threat_explanation_form() const {
    return threat_form_;
}

void TChildForm::close_popups() {
    if (person_form_)
        person_form_->hide();
    if (threat_form_)
        threat_form_->hide();
}

void TChildForm::switch_window(bool forward) {
    TChildForm* target = forward ? top_forms().next(this) : top_forms().previous(this);
    if (target)
        target->activate_and_focus();
}

void TChildForm::show_sound_file_name() {
    const SoundBarRecord* bar = surface_->current_sound_bar();
    if (!bar || !bar->control || !bar->item || !bar->item->cut_part)
        return;
    const FocusKeeper focus;
    message(sound_source_description(*bar->item->cut_part, *services_.core));
}

void TChildForm::load_into_editor() {
    const SoundBarRecord* bar = surface_->current_sound_bar();
    if (!bar || !bar->item || !bar->item->cut_part || !bar->item->cut_part->is_sound_file)
        return;
    if (!services_.sound_editor)
        return;
    const FocusKeeper focus;
    pemmaro::load_into_editor(
        *services_.sound_editor, services_.core->settings,
        cut_part_sound_file_path(*bar->item->cut_part, base_directory()),
        [this](const std::string& current) { return choose_editor_file(current); });
}

void TChildForm::show_sonogram() {
    SoundBarControl* bar = surface_->current_sound_bar_control();
    if (bar && services_.open_sonogram)
        services_.open_sonogram(*bar);
}

void TChildForm::select_sound_editor() {
    if (!services_.sound_editor)
        return;
    const FocusKeeper focus;
    pemmaro::select_sound_editor(
        *services_.sound_editor, services_.core->settings,
        [this](const std::string& current) { return choose_editor_file(current); });
}

std::optional<std::string> TChildForm::choose_editor_file(const std::string& start) {
    const QString caption = items_->select_sound_editor_menu_item->text().remove('&').remove('.');
    const QString chosen =
        QFileDialog::getOpenFileName(this, caption, QString::fromStdString(start));
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen.toStdString();
}

void TChildForm::rebuild_display(const std::function<void(SHST_TShowStringsData&)>& change) {
    close_popups();
    SHST_TShowStringsData pending = surface_->display().options();
    change(pending);
    // A display of other options starts a list of its own.
    pictures_list_->Clear();
    TShowForm* fresh = create_surface();
    // The old surface goes when control returns to the event loop.
    setCentralWidget(fresh);
    surface_ = fresh;
    lay_out_surface();
    fresh->build_from_options(pending, DisplayState{});
    fresh->show();
    fresh->setFocus();
    status_panels_[0]->setText(fresh->status_text());
    update_sound_menu(false, false);
    update_check_marks();
}

void TChildForm::toggle_show_threatened() {
    rebuild_display(
        [](SHST_TShowStringsData& options) { options.show_threatened = !options.show_threatened; });
}

void TChildForm::toggle_show_all_birds_of_area() {
    rebuild_display([](SHST_TShowStringsData& options) {
        options.visible.show_all_species_of_area = !options.visible.show_all_species_of_area;
    });
}

void TChildForm::toggle_show_birds_of_other_countries() {
    rebuild_display([](SHST_TShowStringsData& options) {
        if (auto* country = dynamic_cast<TCountryArea*>(options.visible.area.get()))
            country->InOtherCountries = !country->InOtherCountries;
    });
}

void TChildForm::choose_systematic_order(int order) {
    rebuild_display([order](SHST_TShowStringsData& options) {
        options.systematic_order = static_cast<std::uint8_t>(order);
    });
    if (const std::optional<std::string> warning = order_check_warning(data_set(), order))
        message_with_caption(order_warning_caption, *warning, MessageIcon::warning);
}

void TChildForm::open_web_browser_settings() {
    if (services_.open_web_browser_settings)
        services_.open_web_browser_settings();
}

void TChildForm::select_area() {
    if (!services_.select_area || !surface_->display().options().visible.area)
        return;
    // The selection is made on a copy, so that Cancel leaves the window as it was.
    const std::unique_ptr<TArea> chosen = surface_->display().options().visible.area->clone();
    if (!services_.select_area(*chosen))
        return;
    rebuild_display(
        [&chosen](SHST_TShowStringsData& options) { options.visible.area->Assign(*chosen); });
}

void TChildForm::show_site_descriptions() {
    if (services_.show_site_descriptions)
        services_.show_site_descriptions(this);
}

void TChildForm::open_map(Tspecies& species, Tlocality* locality) {
    if (!services_.open_map)
        return;
    const std::string title = species_window_caption(
        species, std::nullopt, surface_->display().options().name_options(), services_.core->texts);
    services_.open_map(this, species, locality, title);
}

void TChildForm::open_pictures(Tspecies& species, Tsubspecies* subspecies) {
    if (!services_.open_pictures)
        return;
    close_popups();
    const std::uint32_t name_options = surface_->display().options().name_options();
    const Ttextfile_handler& texts = services_.core->texts;
    services_.open_pictures(
        species, subspecies,
        [name_options, &texts](const Tspecies& shown, const std::optional<Trecord_ssp_data>& ssp) {
            return species_window_caption(shown, ssp, name_options, texts);
        });
}

void TChildForm::open_readme() {
    if (const std::optional<std::string> readme = find_readme())
        open_document(*readme);
}

void TChildForm::open_recent_info_on_the_web() {
    if (services_.open_url)
        services_.open_url(services_.core->product.update_address);
}

void TChildForm::choose_audio_cds() {
    if (!services_.select_audio_cds)
        return;
    NumberSet owned = surface_->display().options().visible.used_audio_cds;
    if (services_.select_audio_cds(this, owned))
        rebuild_display(
            [&owned](SHST_TShowStringsData& options) { options.visible.used_audio_cds = owned; });
}

void TChildForm::choose_audio_cd_player() {
    if (services_.choose_audio_cd_drive)
        services_.choose_audio_cd_drive(this);
}

void TChildForm::copy_to_hard_disk() {
    if (services_.copy_to_hard_disk)
        services_.copy_to_hard_disk(this);
}

void TChildForm::check_cd_rom() {
    if (!isVisible() || isMinimized() || !rules_.audio_cds || disc_look_under_way_ ||
        !services_.look_at_audio_cd_drive || !services_.chosen_audio_cd_drive)
        return;
    // A drive that spins a disc up answers in seconds: the text comes when it
    // does, unless the window has gone meanwhile.
    disc_look_under_way_ = true;
    services_.look_at_audio_cd_drive(
        services_.chosen_audio_cd_drive(),
        [window = QPointer<TChildForm>(this)](const std::string& text) {
            if (!window)
                return;
            window->disc_look_under_way_ = false;
            window->status_panels_[1]->setText(to_qstring(text));
        });
}

void TChildForm::restore_further_windows() {
    const long windows =
        std::clamp<long>(read_integer(general_settings::section, general_settings::windows,
                                      general_settings::windows_default),
                         1, most_restored_windows);
    for (long i = 1; i < windows; ++i) {
        auto* window = new TChildForm(services_, this);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->initialise(
            {.secondary = true, .copy_from = nullptr, .restore_from_settings = true, .show = {}});
        window->show();
    }
}

// Once, after the first window is up: always for a product without the
// choice, else as the Options menu's check mark says.
void TChildForm::start_intro_timer() {
    if (!services_.core->product.capabilities.offers_intro_screen_choice ||
        items_->show_intro_form_menu_item->isChecked())
        timer_intro_form_->start();
}

void TChildForm::remember_normal_bounds() {
    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)))
        normal_bounds_ = geometry();
}

void TChildForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shown_before_)
        return;
    shown_before_ = true;
    if (show_handler_) {
        Timer_play_sounds->start(Tsounds_demo_and_play_lists_handler::start_delay);
        status_panels_[0]->setText(surface_->status_text());
        return;
    }
    surface_->setFocus();
    status_panels_[0]->setText(surface_->status_text());
    if (secondary_)
        return;
    restore_further_windows();
    start_intro_timer();
    if (services_.show_play_lists_at_start &&
        read_flag(play_list_settings::section, play_list_settings::open_at_startup,
                  play_list_settings::open_at_startup_default))
        services_.show_play_lists_at_start();
}

void TChildForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    close_popups();
    remember_normal_bounds();
    const int client_width = width();
    status_panels_[0]->setFixedWidth(std::max(client_width - 300, client_width / 2));
}

void TChildForm::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    close_popups();
    remember_normal_bounds();
}

void TChildForm::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && surface_) {
        surface_->set_active(isActiveWindow());
        // The pop-ups stand above every window; they go with the window's turn.
        if (!isActiveWindow())
            close_popups();
    }
}

void TChildForm::closeEvent(QCloseEvent* event) {
    // The play list may hold changes the user wants to keep.
    if (!secondary_ && services_.play_lists_may_close && !services_.play_lists_may_close()) {
        event->ignore();
        return;
    }
    if (!secondary_) {
        top_forms().write_data_to_settings_file();
        if (items_->show_intro_form_menu_item->isVisible())
            write_flag(general_settings::section, general_settings::show_picture_at_startup,
                       items_->show_intro_form_menu_item->isChecked());
        write_flag(play_list_settings::section, play_list_settings::open_at_startup,
                   services_.play_lists_shown && services_.play_lists_shown());
    }
    QMainWindow::closeEvent(event);
    if (!event->isAccepted())
        return;
    Timer_play_sounds->stop();
    if (secondary_ && !show_handler_) {
        top_forms().delete_form(this);
        top_forms().rewrite_captions();
    }
    emit closed();
}

} // namespace pemmaro
