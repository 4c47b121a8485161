#include "sound/PlayListWindow.h"

#include "common/CoreContext.h"
#include "common/LanguageTexts.h"
#include "common/PlayListSettings.h"
#include "common/Product.h"
#include "common/SettingsFile.h"
#include "common/SoundOptions.h"
#include "common/TextAndNumbers.h"
#include "common/TextLines.h"
#include "platform/Ansi.h"
#include "platform/Messages.h"
#include "sound/PlayListFile.h"
#include "sound/PlayListPlayback.h"
#include "sound/PlaySoundOptionsFrame.h"
#include "sound/RecentPlayLists.h"
#include "sound/SoundBarDrag.h"
#include "sound/SoundBars.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>
#include <filesystem>

namespace pemmaro {

namespace {

TPlayListForm* the_form = nullptr;

constexpr int recording_column = 0;
constexpr int times_column = 1;
constexpr int number_column_width = 30;
constexpr int widest_times_column = 90;
const QSize default_size(440, 380);
// Room that must stay right of the opening window for the list to go beside it.
constexpr int room_beside_opener = 200;
constexpr int below_opener_top = 25;

// The times are edited as up to two digits.
class TimesDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        auto* editor = new QLineEdit(parent);
        editor->setMaxLength(2);
        editor->setValidator(new QIntValidator(0, most_times_to_play, editor));
        return editor;
    }
};

std::string folder_of(const std::string& path) {
    return path.empty() ? std::string() : std::filesystem::path(path).parent_path().string();
}

std::string with_default_extension(const std::string& path) {
    if (std::filesystem::path(path).has_extension())
        return path;
    return path + "." + play_list_extension;
}

QString line_text(const CoreContext& core, const TextLine& line, std::string_view suffix = {}) {
    return to_qstring(core.texts.text(line) + std::string(suffix));
}

} // namespace

TPlayListForm::TPlayListForm(PlayListServices services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint)
    , services_(std::move(services)) {
    setObjectName("TPlayListForm");
    create_menu();
    create_controls();
    resize(default_size);
    read_settings();
    refresh();
    the_form = this;
}

TPlayListForm::~TPlayListForm() {
    if (the_form == this)
        the_form = nullptr;
    stop_playback();
    if (isVisible())
        set_sound_bar_drag_handler(nullptr);
    write_settings();
}

TPlayListForm* play_list_form() {
    return the_form;
}

void TPlayListForm::create_menu() {
    const CoreContext& core = *services_.core;
    MainMenu = new QMenuBar(this);
    MainMenu->setObjectName("MainMenu");
    file_menu = MainMenu->addMenu(line_text(core, play_lists::file_menu));
    file_menu->setObjectName("file_menu");
    const auto add = [this](const char* name, const QString& caption,
                            void (TPlayListForm::*command)()) {
        QAction* item = file_menu->addAction(caption);
        item->setObjectName(name);
        connect(item, &QAction::triggered, this, command);
        return item;
    };
    new_list_menu_item =
        add("new_list_menu_item", line_text(core, play_lists::new_list), &TPlayListForm::new_list);
    new_list_menu_item->setShortcut(QKeySequence::New);
    open_list_menu_item = add("open_list_menu_item", line_text(core, play_lists::open_list, "..."),
                              &TPlayListForm::open_list);
    open_list_menu_item->setShortcut(QKeySequence::Open);
    save_menu_item = file_menu->addAction(line_text(core, play_lists::save));
    save_menu_item->setObjectName("save_menu_item");
    save_menu_item->setShortcut(QKeySequence::Save);
    connect(save_menu_item, &QAction::triggered, this, [this] { save(); });
    save_as_menu_item = file_menu->addAction(line_text(core, play_lists::save_as, "..."));
    save_as_menu_item->setObjectName("save_as_menu_item");
    connect(save_as_menu_item, &QAction::triggered, this, [this] { save_as(); });
    previous_files_separator_menu_item = file_menu->addSeparator();
    previous_files_separator_menu_item->setObjectName("previous_files_separator_menu_item");
    previous_files_separator_menu_item->setVisible(false);
}

void TPlayListForm::create_controls() {
    const CoreContext& core = *services_.core;
    Button_play_or_stop = new QPushButton(line_text(core, play_lists::play), this);
    Button_play_or_stop->setObjectName("Button_play_or_stop");
    connect(Button_play_or_stop, &QPushButton::clicked, this, &TPlayListForm::play_or_stop);
    Button_help = new QPushButton(line_text(core, play_lists::help), this);
    Button_help->setObjectName("Button_help");
    connect(Button_help, &QPushButton::clicked, this, [this] {
        if (services_.show_help)
            services_.show_help();
    });
    CheckBox_endless_loop = new QCheckBox(line_text(core, play_lists::endless_loop), this);
    CheckBox_endless_loop->setObjectName("CheckBox_endless_loop");
    CheckBox_start_playing_at_selected_recording =
        new QCheckBox(line_text(core, play_lists::start_at_selected), this);
    CheckBox_start_playing_at_selected_recording->setObjectName(
        "CheckBox_start_playing_at_selected_recording");
    sound_options_frame_ = new TPlaySoundOptionsFrame(core.product, core.texts, this);

    grid_ = new QTableWidget(0, 2, this);
    grid_->setObjectName("grid");
    grid_->setHorizontalHeaderLabels({line_text(core, play_lists::recording_heading),
                                      line_text(core, play_lists::times_heading)});
    grid_->horizontalHeader()->setSectionResizeMode(recording_column, QHeaderView::Stretch);
    grid_->verticalHeader()->setSectionsMovable(true);
    grid_->verticalHeader()->setMinimumWidth(number_column_width);
    grid_->verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grid_->setSelectionMode(QAbstractItemView::NoSelection);
    grid_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    grid_->setItemDelegateForColumn(times_column, new TimesDelegate(grid_));
    grid_->viewport()->setAcceptDrops(true);
    grid_->viewport()->installEventFilter(this);
    grid_->installEventFilter(this);
    connect(grid_->verticalHeader(), &QHeaderView::sectionMoved, this,
            [this](int, int from_visual, int to_visual) { row_moved(from_visual, to_visual); });
    connect(grid_, &QTableWidget::cellChanged, this, &TPlayListForm::times_edited);
    connect(grid_, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
        if (refreshing_ || row < 0)
            return;
        make_row_current(row + 1);
        // Only the times can be chosen and edited.
        if (column != times_column)
            grid_->setCurrentCell(row, times_column);
    });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button_play_or_stop);
    buttons->addWidget(Button_help);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(MainMenu);
    layout->addLayout(buttons);
    layout->addWidget(CheckBox_endless_loop);
    layout->addWidget(CheckBox_start_playing_at_selected_recording);
    layout->addWidget(sound_options_frame_);
    layout->addWidget(grid_, 1);
}

void TPlayListForm::read_settings() {
    const SettingsFile& settings = services_.core->settings;
    namespace keys = play_list_settings;
    sound_options_frame_->set_options(read_sound_options(settings, keys::section));
    update_recent_menu();
    const std::string current = settings.read_path(keys::section, keys::current, "");
    if (!current.empty() && services_.data)
        open_file(current);
}

void TPlayListForm::write_settings() const {
    const SettingsFile& settings = services_.core->settings;
    namespace keys = play_list_settings;
    // A window never shown keeps the rectangle of the last one that was.
    if (!first_show_) {
        const QRect bounds = geometry();
        settings.write_string(keys::section, keys::coord,
                              rect_to_text(bounds.left(), bounds.top(),
                                           bounds.left() + bounds.width(),
                                           bounds.top() + bounds.height()));
    }
    write_sound_options(settings, keys::section, sound_options_frame_->options());
    settings.write_string(keys::section, keys::current, file_path_);
}

void TPlayListForm::open_from(QWidget* opener) {
    if (isVisible()) {
        raise();
        activateWindow();
        return;
    }
    opener_ = opener;
    show();
    raise();
    activateWindow();
}

void TPlayListForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (services_.set_soundbar_dragging)
        services_.set_soundbar_dragging(true);
    set_sound_bar_drag_handler(&start_sound_bar_drag);
    place_window();
    first_show_ = false;
    opener_ = nullptr;
}

void TPlayListForm::place_window() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize screen_size = screen ? screen->size() : QSize(1024, 768);
    if (first_show_ && !opener_) {
        const TextRect stored = text_to_rect(services_.core->settings.read_string(
            play_list_settings::section, play_list_settings::coord, ""));
        if (!stored.error) {
            setGeometry(QRect(
                QPoint(static_cast<int>(stored.left), static_cast<int>(stored.top)),
                QPoint(static_cast<int>(stored.right) - 1, static_cast<int>(stored.bottom) - 1)));
            return;
        }
    }
    if (first_show_ || opener_) {
        const QWidget* by = opener_;
        if (by && !(by->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)) &&
            screen_size.width() > by->geometry().right() + room_beside_opener) {
            const QRect at = by->geometry();
            setGeometry(at.right(), at.top() + below_opener_top, screen_size.width() - at.right(),
                        at.bottom() - at.top() - below_opener_top);
            return;
        }
        move(std::max(0, screen_size.width() - round_half_even(width() * 1.3)),
             std::max(0, screen_size.height() - round_half_even(height() * 1.3)));
    }
    grid_->horizontalHeader()->resizeSection(
        times_column, std::min(widest_times_column, grid_->viewport()->width() / 4));
}

void TPlayListForm::closeEvent(QCloseEvent* event) {
    if (playing_)
        play_or_stop();
    // The program's end closes every window; the question has been asked by then.
    if (!program_ending_)
        new_list();
    if (modified_ && !program_ending_) {
        event->ignore();
        return;
    }
    if (services_.set_soundbar_dragging)
        services_.set_soundbar_dragging(false);
    set_sound_bar_drag_handler(nullptr);
    QWidget::closeEvent(event);
}

bool TPlayListForm::may_close_program() {
    // Once the program must end nobody is there to answer.
    program_ending_ = !message_responder() || ask_to_save();
    return program_ending_;
}

std::string TPlayListForm::list_name() const {
    if (unnamed_)
        return services_.core->texts.text(play_lists::untitled);
    return play_list_name(file_path_);
}

bool TPlayListForm::endless_loop() const {
    return CheckBox_endless_loop->isChecked();
}

void TPlayListForm::update_caption() {
    setWindowTitle(
        to_qstring(services_.core->texts.text(play_lists::caption) + ": " + list_name()));
}

void TPlayListForm::refresh() {
    refreshing_ = true;
    const NameChoice names = services_.name_choice ? services_.name_choice() : NameChoice{};
    grid_->setRowCount(list_.row_count());
    for (int row = 1; row <= list_.row_count(); ++row) {
        const std::optional<TPlayListInfo>& info = list_.row(row);
        std::string recording;
        if (info && info->recording_item && info->recording_item->species)
            recording = species_display_name(*info->recording_item->species, std::nullopt, names,
                                             services_.core->texts) +
                        " " + std::to_string(info->number);
        auto* name_item = new QTableWidgetItem(to_qstring(recording));
        name_item->setFlags(Qt::ItemIsEnabled);
        auto* times_item = new QTableWidgetItem(info ? QString::number(info->times) : QString());
        times_item->setFlags(info ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable
                                  : Qt::ItemIsEnabled);
        if (row == list_.current_row()) {
            for (QTableWidgetItem* item : {name_item, times_item}) {
                item->setBackground(QColor(0, 255, 255));
                item->setForeground(Qt::black);
            }
        }
        grid_->setItem(row - 1, recording_column, name_item);
        grid_->setItem(row - 1, times_column, times_item);
        grid_->setVerticalHeaderItem(row - 1, new QTableWidgetItem(" " + QString::number(row)));
    }
    grid_->setCurrentCell(list_.current_row() - 1, times_column);
    refreshing_ = false;
    update_caption();
}

void TPlayListForm::make_row_current(int row) {
    if (row == list_.current_row())
        return;
    list_.set_current_row(row);
    refresh();
}

void TPlayListForm::row_moved(int from_visual, int to_visual) {
    if (refreshing_)
        return;
    // The header is put back in order: the list holds the order.
    refreshing_ = true;
    grid_->verticalHeader()->moveSection(to_visual, from_visual);
    refreshing_ = false;
    if (playing_)
        return;
    list_.move_row(from_visual + 1, to_visual + 1);
    list_.set_current_row(to_visual + 1);
    modified_ = true;
    refresh();
}

void TPlayListForm::times_edited(int row, int column) {
    if (refreshing_ || column != times_column)
        return;
    const QTableWidgetItem* item = grid_->item(row, column);
    const IntConversion times = text_to_int(item ? to_ansi(item->text()) : std::string(), 0);
    if (!times.error && list_.set_times(row + 1, static_cast<int>(times.value)))
        modified_ = true;
    // Deferred: the grid is still in the edit's signal.
    QMetaObject::invokeMethod(this, &TPlayListForm::refresh, Qt::QueuedConnection);
}

void TPlayListForm::add_recording(const TPlayListInfo& info) {
    if (playing_)
        return;
    TPlayListInfo added = info;
    added.times = 1;
    list_.append(added);
    modified_ = true;
    refresh();
    grid_->scrollToBottom();
}

void TPlayListForm::delete_current_row() {
    if (playing_ || !list_.row(list_.current_row()))
        return;
    list_.delete_row(list_.current_row());
    // A deletion is a change like any other: it must not be lost unasked.
    modified_ = true;
    refresh();
}

bool TPlayListForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_->viewport() &&
        (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove ||
         event->type() == QEvent::Drop))
        return handle_drop(event);
    // While the times are edited the keys go to the editor, not to the grid.
    if (watched == grid_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Delete) {
            delete_current_row();
            return true;
        }
        // The keyboard's way of moving a row.
        const int row = list_.current_row();
        if ((key->modifiers() & Qt::ControlModifier) &&
            (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) && !playing_) {
            const int to = row + (key->key() == Qt::Key_Up ? -1 : 1);
            if (to >= 1 && to <= list_.row_count()) {
                list_.move_row(row, to);
                list_.set_current_row(to);
                modified_ = true;
                refresh();
            }
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool TPlayListForm::handle_drop(QEvent* event) {
    auto* drop = static_cast<QDropEvent*>(event);
    const bool takes = !playing_ && drop->mimeData() &&
                       drop->mimeData()->hasFormat(recording_mime_type) && services_.data;
    if (!takes) {
        drop->ignore();
        return true;
    }
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (event->type() == QEvent::Drop) {
        if (const std::optional<TPlayListInfo> info =
                dropped_recording(*drop->mimeData(), *services_.data))
            add_recording(*info);
        activateWindow();
    }
    return true;
}

bool TPlayListForm::ask_to_save() {
    if (!modified_)
        return true;
    const Ttextfile_handler& texts = services_.core->texts;
    const MessageAnswer answer =
        message(texts.text(play_lists::save_changes_before_name) + list_name() +
                    texts.text(play_lists::save_changes_after_name),
                MessageIcon::question, MessageButtons::yes_no_cancel);
    if (answer == MessageAnswer::yes)
        return save(); // a failed or cancelled save keeps the changes
    return answer == MessageAnswer::no;
}

void TPlayListForm::new_list() {
    if (playing_ || !ask_to_save())
        return;
    list_.clear();
    unnamed_ = true;
    modified_ = false;
    CheckBox_start_playing_at_selected_recording->setChecked(false);
    refresh();
}

void TPlayListForm::open_list() {
    if (playing_ || !ask_to_save() || !services_.choose_file_to_open)
        return;
    if (const std::optional<std::string> path =
            services_.choose_file_to_open(this, folder_of(file_path_)))
        open_file(*path);
}

bool TPlayListForm::open_file(const std::string& path) {
    if (!services_.data)
        return false;
    std::optional<PlayListContent> content = load_play_list(path, *services_.data, *services_.core);
    if (!content)
        return false;
    stop_playback();
    list_ = std::move(content->list);
    sound_options_frame_->set_options(content->options);
    CheckBox_endless_loop->setChecked(content->endless_loop);
    CheckBox_start_playing_at_selected_recording->setChecked(false);
    file_path_ = path;
    unnamed_ = false;
    modified_ = false;
    remember_file(path);
    refresh();
    return true;
}

bool TPlayListForm::save() {
    if (unnamed_)
        return save_as();
    return save_to(file_path_);
}

bool TPlayListForm::save_as() {
    if (!services_.choose_file_to_save)
        return false;
    const std::optional<std::string> chosen =
        services_.choose_file_to_save(this, folder_of(file_path_));
    if (!chosen)
        return false;
    const std::string path = with_default_extension(*chosen);
    if (!save_to(path))
        return false;
    file_path_ = path;
    unnamed_ = false;
    remember_file(path);
    update_caption();
    return true;
}

bool TPlayListForm::save_to(const std::string& path) {
    PlayListContent content;
    content.list = list_;
    content.options = sound_options_frame_->options();
    content.endless_loop = endless_loop();
    if (!save_play_list(path, content, services_.core->product))
        return false;
    modified_ = false;
    return true;
}

void TPlayListForm::remember_file(const std::string& path) {
    remember_recent_play_list(services_.core->settings, path);
    update_recent_menu();
}

void TPlayListForm::update_recent_menu() {
    for (QAction* item : previous_files_)
        delete item;
    previous_files_.clear();
    const std::vector<std::string> paths = recent_play_lists(services_.core->settings);
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const std::string& path = paths[i];
        QAction* item = file_menu->addAction(
            QString("&%1 %2").arg(i + 1).arg(QString::fromStdString(play_list_name(path))));
        item->setObjectName(QString("previous_file_%1").arg(i + 1));
        item->setToolTip(QString::fromStdString(path));
        connect(item, &QAction::triggered, this, [this, path] {
            if (!playing_ && ask_to_save())
                open_file(path);
        });
        previous_files_.push_back(item);
    }
    previous_files_separator_menu_item->setVisible(!paths.empty());
}

void TPlayListForm::play_or_stop() {
    if (playing_) {
        stop_playback();
        set_playing(false);
        return;
    }
    if (!list_.has_recordings())
        return;
    const int start_row =
        CheckBox_start_playing_at_selected_recording->isChecked() ? list_.current_row() : 0;
    if (services_.play_in_show_window) {
        list_.start_playing(start_row);
        QPointer<TPlayListForm> self(this);
        show_window_ = services_.play_in_show_window(
            sound_options_frame_->options(),
            [self]() -> std::optional<PlayListNext> {
                return self ? self->next_to_play() : std::nullopt;
            },
            [self] {
                if (self)
                    self->set_playing(false);
            });
        if (show_window_) {
            set_playing(true);
            return;
        }
    }
    playback_ = std::make_unique<PlayListPlayback>(list_, sound_bar_playing_slot(),
                                                   sound_options_frame_->options(),
                                                   [this] { return endless_loop(); });
    connect(playback_.get(), &PlayListPlayback::row_started, this, &TPlayListForm::row_started);
    connect(playback_.get(), &PlayListPlayback::finished, this, [this] { set_playing(false); });
    set_playing(true);
    playback_->start(start_row);
}

std::optional<PlayListNext> TPlayListForm::next_to_play() {
    std::optional<PlayListNext> next = list_.next_recording(endless_loop());
    if (next)
        row_started(next->row);
    return next;
}

void TPlayListForm::row_started(int row) {
    list_.set_current_row(row);
    refresh();
    grid_->scrollToItem(grid_->item(row - 1, recording_column));
}

void TPlayListForm::stop_playback() {
    if (playback_)
        playback_->stop();
    if (show_window_)
        show_window_->close();
}

void TPlayListForm::set_playing(bool playing) {
    playing_ = playing;
    Button_play_or_stop->setText(
        line_text(*services_.core, playing ? play_lists::stop : play_lists::play));
    new_list_menu_item->setEnabled(!playing);
    open_list_menu_item->setEnabled(!playing);
    for (QAction* item : previous_files_)
        item->setEnabled(!playing);
    grid_->setEnabled(!playing);
}

} // namespace pemmaro
