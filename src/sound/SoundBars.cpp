#include "sound/SoundBars.h"

#include "common/BaseDirectory.h"
#include "common/DataPaths.h"
#include "common/LanguageTexts.h"
#include "common/ProgramFolders.h"
#include "data/DataSet.h"
#include "platform/Ansi.h"
#include "platform/Messages.h"
#include "platform/Paths.h"
#include "platform/ProgramResources.h"
#include "sound/AudioCdDrive.h"
#include "sound/SoundPlayers.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace pemmaro {

namespace {

constexpr int bar_size = 16; // the scroll bar's height and the button's side
constexpr int button_gap = 2;
constexpr int timer_interval_ms = 200;
constexpr int minimum_scroll_width = 40;

struct SoundBarGlobals {
    Tsound_bar* playing = nullptr;
    SoundBarDragHandler drag_handler;
};

SoundBarGlobals& globals() {
    static SoundBarGlobals instance;
    return instance;
}

int round_half_even(double value) {
    const double lower = std::floor(value);
    const double fraction = value - lower;
    double rounded = lower;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(lower, 2.0) != 0.0))
        rounded = lower + 1;
    return static_cast<int>(rounded);
}

int tenths_of(int ms) {
    return round_half_even(ms / 100.0);
}

QPixmap resource_pixmap(const char* name) {
    ensure_program_resources();
    return QPixmap(QString(":/") + name);
}

std::string cut_part_sound_file(const Tcutpart& cut) {
    const SoundFileKey key{cut.tape_number, cut.side_letter, cut.cut_number, cut.sub_letter,
                           cut.compression_number};
    const std::string path = base_directory() + sound_file_path(key);
    return resolve_existing_path(path).value_or(to_native_separators(path));
}

bool is_mpeg_layer_3(int compression_number) {
    return compression_number >= 5 && compression_number <= 9;
}

struct ButtonBitmap {
    const char* name;
    QPixmap SoundBarBitmaps::*pixmap;
};

ButtonBitmap button_bitmap(bool playing, bool cursor) {
    if (playing)
        return cursor ? ButtonBitmap{"SOUNDBAR_BUTTON_PLAYING_CURSOR",
                                     &SoundBarBitmaps::playing_cursor}
                      : ButtonBitmap{"SOUNDBAR_BUTTON_PLAYING", &SoundBarBitmaps::playing};
    return cursor ? ButtonBitmap{"SOUNDBAR_BUTTON_NOT_PLAYING_CURSOR",
                                 &SoundBarBitmaps::not_playing_cursor}
                  : ButtonBitmap{"SOUNDBAR_BUTTON_NOT_PLAYING", &SoundBarBitmaps::not_playing};
}

// Resets the tick's re-entry guard however the tick ends.
class Guard {
public:
    explicit Guard(bool& flag)
        : flag_(flag) {
        flag_ = true;
    }
    ~Guard() { flag_ = false; }
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;

private:
    bool& flag_;
};

} // namespace

const SoundBarBitmaps& sound_bar_bitmaps() {
    static const SoundBarBitmaps bitmaps{resource_pixmap("SOUNDBAR_BUTTON_NOT_PLAYING"),
                                         resource_pixmap("SOUNDBAR_BUTTON_PLAYING"),
                                         resource_pixmap("SOUNDBAR_BUTTON_NOT_PLAYING_CURSOR"),
                                         resource_pixmap("SOUNDBAR_BUTTON_PLAYING_CURSOR")};
    return bitmaps;
}

const QCursor& sound_bar_drag_cursor() {
    static const QCursor cursor(resource_pixmap("DRAG_CURSOR"), 0, 0);
    return cursor;
}

SoundBarControl* make_sound_bar(QWidget* parent, int left, int top, SoundBarOptions options) {
    return new Tsound_bar(parent, left, top, std::move(options));
}

void check_wave_output_devices(int device_count) {
    if (device_count <= 0)
        message(text(kz_soundbar::no_sound_output), MessageIcon::error);
}

void set_sound_bar_drag_handler(SoundBarDragHandler handler) {
    globals().drag_handler = std::move(handler);
}

Tsound_bar* playing_sound_bar() {
    return globals().playing;
}

int sound_bar_scroll_width(int length_ms, int compact) {
    const double seconds = length_ms / 1000.0;
    if (seconds <= 1.0)
        return minimum_scroll_width;
    return std::max(minimum_scroll_width,
                    round_half_even(std::log(seconds) * (60 - 20 * compact) + 20));
}

std::string tenths_text(int tenths) {
    const int shown = std::max(tenths, 0);
    return std::to_string(shown / 10) + common_services().decimal_separator +
           std::to_string(shown % 10);
}

// ---- TBitBtn_sound_bar

TBitBtn_sound_bar::TBitBtn_sound_bar(Tsound_bar& owner, QWidget* parent)
    : QAbstractButton(parent)
    , owner_(owner) {
    setObjectName("TBitBtn_sound_bar");
    setFocusPolicy(Qt::ClickFocus);
}

bool TBitBtn_sound_bar::shows_cursor() const {
    return hasFocus() || (owner_.scroll_bar() && owner_.scroll_bar()->hasFocus()) ||
           owner_.marked();
}

QString TBitBtn_sound_bar::bitmap_name() const {
    return button_bitmap(owner_.is_playing(), shows_cursor()).name;
}

bool TBitBtn_sound_bar::event(QEvent* event) {
    // Tab would otherwise move the focus before the key reaches the bar.
    if (event->type() == QEvent::KeyPress) {
        keyPressEvent(static_cast<QKeyEvent*>(event));
        return true;
    }
    return QAbstractButton::event(event);
}

void TBitBtn_sound_bar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (isDown()) {
        painter.setPen(palette().color(QPalette::Dark));
        painter.setBrush(palette().color(QPalette::Button));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    } else {
        QStyleOptionButton option;
        option.initFrom(this);
        option.state |= QStyle::State_Raised;
        style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &option, &painter, this);
    }
    const ButtonBitmap bitmap = button_bitmap(owner_.is_playing(), shows_cursor());
    painter.drawPixmap(QPoint(2, 2), sound_bar_bitmaps().*bitmap.pixmap);
}

void TBitBtn_sound_bar::keyPressEvent(QKeyEvent* event) {
    if (owner_.handle_button_key(*event)) {
        event->accept();
        return;
    }
    // Keys the bar does not use go to the window the bar is placed on.
    if (QWidget* target = owner_.parentWidget()) {
        QCoreApplication::sendEvent(target, event);
        event->accept();
        return;
    }
    event->ignore();
}

void TBitBtn_sound_bar::keyReleaseEvent(QKeyEvent* event) {
    // Space already clicked on the key press.
    if (event->key() == Qt::Key_Space)
        event->accept();
    else
        event->ignore();
}

// ---- Tsound_bar

Tsound_bar::Tsound_bar(QWidget* parent, int left, int top, SoundBarOptions options)
    : QWidget(parent)
    , left_(left)
    , top_(top)
    , item_(options.recording_item)
    , show_texts_(options.show_texts)
    , rewind_at_end_(options.rewind_at_end)
    , line_identifier_(options.line_identifier)
    , clear_owner_slot_(std::move(options.clear_owner_slot))
    , exact_length_flag_(options.exact_length_flag)
    , stored_position_(options.stored_position)
    , select_item_(std::move(options.select_item))
    , drag_value_(options.drag_value)
    , automatic_dragging_(options.automatic_dragging) {
    setObjectName("Tsound_bar");
    setFocusPolicy(Qt::NoFocus);
    const Tcutpart& cut = *item_->cut_part;
    if (show_texts_)
        text_height_ = QFontMetrics(parent ? parent->font() : font()).height() + 1;

    // The widget has a one-pixel margin on every side for the audio CD frame.
    scroll_bar_width_ = sound_bar_scroll_width(cut.length_ms, options.compact);
    width_ = bar_size + button_gap + scroll_bar_width_;
    height_ = bar_size + text_height_;
    setGeometry(left_ - 1, top_ - 1, width_ + 2, height_ + 2);

    button_ = new TBitBtn_sound_bar(*this, this);
    button_->setGeometry(content_left(), scroll_bar_top(), bar_size, bar_size);
    scroll_bar_left_ = content_left() + bar_size + button_gap;
    scroll_bar_ = new QScrollBar(Qt::Horizontal, this);
    scroll_bar_->setObjectName("sound_bar_scroll_bar");
    scroll_bar_->setFocusPolicy(Qt::NoFocus);
    scroll_bar_->setGeometry(scroll_bar_left_, scroll_bar_top(), scroll_bar_width_, bar_size);
    scroll_bar_->setRange(0, std::max(0, tenths_of(cut.length_ms)));
    scroll_bar_->setValue(stored_position_ ? *stored_position_ : 0);
    scroll_bar_->setSingleStep(cut.is_sound_file ? 5 : 10);
    scroll_bar_->setPageStep(std::min(20, scroll_bar_->maximum()));
    scroll_bar_->installEventFilter(this);
    position_text_ = tenths_text(scroll_bar_->value());
    update_length_text();

    if (cut.is_sound_file) {
        kind_ = PlayerKind::cut_part_file;
        player_ = std::make_unique<TCutPartFilePlayer>();
    } else if (cut.audio_cd && cut.audio_cd->on_hard_disk) {
        kind_ = PlayerKind::sound_file;
        player_ = std::make_unique<TSoundFilePlayer>();
    } else {
        kind_ = PlayerKind::audio_cd;
        player_ = std::make_unique<TAudioCDTrackPlayer>();
    }
    timer_ = new QTimer(this);
    timer_->setInterval(timer_interval_ms);

    connect(timer_, &QTimer::timeout, this, &Tsound_bar::tick);
    connect(button_, &QAbstractButton::clicked, this, [this] { button_clicked(); });
    connect(scroll_bar_, &QScrollBar::valueChanged, this,
            [this](int value) { set_position_text(value); });
    // Queued: the scroll bar takes the new value after announcing the action.
    connect(
        scroll_bar_, &QScrollBar::actionTriggered, this, [this] { user_scrolled(); },
        Qt::QueuedConnection);
}

Tsound_bar::~Tsound_bar() {
    destroyed_ = true;
    timer_->stop();
    timer_->disconnect(this);
    button_->disconnect(this);
    scroll_bar_->disconnect(this);
    scroll_bar_->removeEventFilter(this);
    if (globals().playing == this)
        globals().playing = nullptr;
    const bool had_focus = button_->hasFocus() || scroll_bar_->hasFocus();
    player_.reset();
    if (clear_owner_slot_)
        clear_owner_slot_();
    if (stored_position_)
        *stored_position_ = scroll_bar_->value();
    // Not while the parent itself goes: a window being destroyed is hidden first.
    if (had_focus && parentWidget() && parentWidget()->isVisible())
        parentWidget()->setFocus();
}

bool Tsound_bar::timer_active() const {
    return timer_->isActive();
}

int Tsound_bar::current_position() const {
    return scroll_bar_->value();
}

bool Tsound_bar::is_at_end() const {
    return !playing_ && (ended_ || scroll_bar_->value() >= scroll_bar_->maximum() - 1);
}

void Tsound_bar::set_marked() {
    marked_ = true;
    button_->update();
}

void Tsound_bar::refresh() {
    update();
}

void Tsound_bar::set_dragging(bool automatic) {
    automatic_dragging_ = automatic;
    drag_start_.reset();
}

void Tsound_bar::focus() {
    button_->setFocus(Qt::OtherFocusReason);
}

void Tsound_bar::move_by(int distance) {
    top_ += distance;
    move(left_ - 1, top_ - 1);
}

bool Tsound_bar::toggle() {
    if (!opened_)
        open();
    if (opened_) {
        if (playing_)
            pause();
        else
            start_playing();
    }
    return opened_;
}

bool Tsound_bar::open() {
    if (Tsound_bar* other = globals().playing; other != nullptr && other != this)
        other->stop_and_close();
    Tcutpart& cut = *item_->cut_part;
    if (!open_player(cut.length_ms))
        return false;
    opened_ = true;
    if (exact_length_flag_)
        *exact_length_flag_ = false;
    update_length_text();
    scroll_bar_->setMaximum(std::max(0, tenths_of(cut.length_ms)));
    if (scroll_bar_->value() != 0)
        player_->SeekTo(scroll_bar_->value() * 100);
    button_->update();
    return true;
}

bool Tsound_bar::open_player(int& length) {
    const Tcutpart& cut = *item_->cut_part;
    switch (kind_) {
    case PlayerKind::cut_part_file: {
        auto& player = static_cast<TCutPartFilePlayer&>(*player_);
        // A missing file usually means that the disc is elsewhere.
        while (true) {
            bool file_problem = false;
            if (player.Open(cut_part_sound_file(cut), is_mpeg_layer_3(cut.compression_number),
                            length, file_problem))
                return true;
            if (!file_problem || !ask_for_base_directory())
                return false;
        }
    }
    case PlayerKind::sound_file: {
        const std::optional<std::string> file =
            copied_track_path(cut.audio_cd->hard_disk_directory, cut.track);
        bool file_problem = false;
        if (file && static_cast<TSoundFilePlayer&>(*player_).Open(*file, cut.offset_ms, length,
                                                                  file_problem))
            return true;
        // No base directory can help here: the copy lies where the user put it.
        if (!file || file_problem)
            message(missing_copied_track_text(*cut.audio_cd, cut.track), MessageIcon::error);
        return false;
    }
    case PlayerKind::audio_cd:
        return static_cast<TAudioCDTrackPlayer&>(*player_).Open(chosen_audio_cd_drive(), cut,
                                                                audio_cd_disc_check(), length);
    }
    return false;
}

void Tsound_bar::start_playing() {
    if (!opened_)
        return;
    if (Tsound_bar* other = globals().playing; other != nullptr && other != this)
        other->stop_and_close();
    const bool at_end = scroll_bar_->value() >= scroll_bar_->maximum() - 1;
    if (at_end)
        set_thumb(0);
    else
        player_->SeekTo(scroll_bar_->value() * 100);
    if (!player_->Play(at_end)) {
        stop_and_close();
        return;
    }
    playing_ = true;
    ended_ = false;
    timer_->start();
    globals().playing = this;
    button_->update();
}

void Tsound_bar::pause() {
    if (!opened_ || !playing_)
        return;
    player_->Stop();
    timer_->stop();
    int ms = 0;
    if (player_->GetPosition(ms)) {
        set_thumb(ms / 100);
        set_position_text(ms / 100);
    }
    playing_ = false;
    button_->update();
}

void Tsound_bar::stop_and_close() {
    if (!opened_)
        return;
    timer_->stop();
    player_->Close();
    opened_ = false;
    playing_ = false;
    // Another bar may have become the playing one meanwhile.
    if (globals().playing == this)
        globals().playing = nullptr;
    button_->update();
}

void Tsound_bar::tick() {
    if (in_timer_ || destroyed_ || !opened_)
        return;
    const Guard guard(in_timer_);
    if (!player_->IsMediaPresent()) {
        timer_->stop();
        return;
    }
    follow_length();
    int ms = 0;
    const int position = player_->GetPosition(ms) ? ms / 100 : scroll_bar_->value();
    set_thumb(position);
    set_position_text(position);
    if (!has_ended(position))
        return;
    timer_->stop();
    if (rewind_at_end_) {
        set_thumb(0);
        set_position_text(0);
    }
    ended_ = true;
    stop_and_close();
}

void Tsound_bar::follow_length() {
    if (kind_ == PlayerKind::audio_cd)
        return;
    int length = 0;
    if (!static_cast<TSoundFilePlayer&>(*player_).RefreshLength(length))
        return;
    item_->cut_part->length_ms = length;
    scroll_bar_->setMaximum(std::max(0, tenths_of(length)));
    update_length_text();
}

bool Tsound_bar::has_ended(int position) {
    // A span cut short at the end of its file, or a sound that stopped early,
    // never brings the thumb to its last step: the device has stopped all the same.
    if (!player_->IsInPlayMode())
        return true;
    switch (kind_) {
    case PlayerKind::cut_part_file:
        return position >= scroll_bar_->maximum() - 1;
    case PlayerKind::sound_file:
        return position >= scroll_bar_->maximum();
    case PlayerKind::audio_cd:
        return false;
    }
    return true;
}

bool Tsound_bar::handle_button_key(QKeyEvent& event) {
    if (event.key() == Qt::Key_Space) {
        if (!event.isAutoRepeat())
            button_->click();
        return true;
    }
    if (!(event.modifiers() & Qt::ShiftModifier))
        return false;
    const int small_step = scroll_bar_->singleStep();
    const int large_step = scroll_bar_->pageStep();
    std::function<int(int)> target;
    switch (event.key()) {
    case Qt::Key_PageUp:
        target = [=](int thumb) { return thumb - large_step; };
        break;
    case Qt::Key_PageDown:
        target = [=](int thumb) { return thumb + large_step; };
        break;
    case Qt::Key_Home:
        target = [](int) { return 0; };
        break;
    case Qt::Key_End:
        target = [this](int) { return scroll_bar_->maximum(); };
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
        target = [=](int thumb) { return thumb - small_step; };
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        target = [=](int thumb) { return thumb + small_step; };
        break;
    default:
        return false;
    }
    // The move starts where the pause left the thumb.
    const bool was_playing = playing_;
    if (was_playing)
        pause();
    set_thumb(target(scroll_bar_->value()));
    if (was_playing)
        start_playing();
    return true;
}

void Tsound_bar::button_clicked() {
    if (select_item_)
        select_item_();
    button_->setFocus();
    toggle();
    button_->update();
}

void Tsound_bar::user_scrolled() {
    if (destroyed_)
        return;
    set_position_text(scroll_bar_->value());
    if (playing_) {
        timer_->stop();
        player_->Stop();
        player_->SeekTo(scroll_bar_->value() * 100);
        start_playing();
    }
    if (select_item_)
        select_item_();
    button_->setFocus();
}

void Tsound_bar::set_thumb(int tenths) {
    scroll_bar_->setValue(tenths);
}

void Tsound_bar::set_position_text(int tenths) {
    std::string text = tenths_text(tenths);
    if (text == position_text_)
        return;
    position_text_ = std::move(text);
    if (show_texts_)
        update(0, 0, width(), scroll_bar_top());
}

void Tsound_bar::update_length_text() {
    const int tenths = tenths_of(item_->cut_part->length_ms);
    // Until a player measured it the length is the data file's whole seconds.
    const bool exact = exact_length_flag_ == nullptr || !*exact_length_flag_;
    length_text_ = exact ? tenths_text(tenths) : std::to_string(round_half_even(tenths / 10.0));
    if (show_texts_)
        update(0, 0, width(), scroll_bar_top());
}

void Tsound_bar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (show_texts_) {
        const QWidget* parent = parentWidget();
        painter.setFont(parent ? parent->font() : font());
        painter.setPen(palette().color(QPalette::WindowText));
        const QRect row(scroll_bar_left_, scroll_bar_top() - text_height_, scroll_bar_width_,
                        text_height_);
        const int flags = Qt::AlignTop | Qt::TextDontClip;
        painter.drawText(row, flags | Qt::AlignLeft, to_qstring(tenths_text(0)));
        painter.drawText(row, flags | Qt::AlignHCenter, to_qstring(position_text_));
        painter.drawText(row, flags | Qt::AlignRight, to_qstring(length_text_));
    }
    if (!item_->cut_part->is_sound_file) {
        painter.setPen(Qt::black);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(0, scroll_bar_top() - 1, width_ + 1, bar_size + 1);
    }
}

bool Tsound_bar::eventFilter(QObject* watched, QEvent* event) {
    if (watched != scroll_bar_)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        button_->update();
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (automatic_dragging_) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton)
                drag_start_ = mouse->position().toPoint();
            return true;
        }
        break;
    case QEvent::MouseMove:
        if (automatic_dragging_) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (drag_start_ && (mouse->buttons() & Qt::LeftButton) &&
                (mouse->position().toPoint() - *drag_start_).manhattanLength() >=
                    QApplication::startDragDistance()) {
                drag_start_.reset();
                // The handler may run a drag loop in which the bar goes away.
                const QPointer<Tsound_bar> alive(this);
                if (const SoundBarDragHandler handler = globals().drag_handler)
                    handler(*this);
                if (!alive)
                    return true;
            }
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (automatic_dragging_) {
            drag_start_.reset();
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace pemmaro
