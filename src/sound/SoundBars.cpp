#include "sound/SoundBars.h"

#include "common/DataPaths.h"
#include "common/LanguageTexts.h"
#include "common/ProgramFolders.h"
#include "common/TextAndNumbers.h"
#include "data/DataSet.h"
#include "platform/Ansi.h"
#include "platform/Messages.h"
#include "platform/Paths.h"
#include "platform/ProgramResources.h"
#include "sound/AudioCdDrive.h"
#include "sound/SonogramWindow.h"
#include "sound/SoundBarPlayback.h"
#include "sound/SoundPlayers.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
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
    PlayingSlot playing;
    SoundBarDragHandler drag_handler;
};

SoundBarGlobals& globals() {
    static SoundBarGlobals instance;
    return instance;
}

QPixmap resource_pixmap(const char* name) {
    ensure_program_resources();
    return QPixmap(QString(":/") + name);
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

PlayingSlot& sound_bar_playing_slot() {
    return globals().playing;
}

Tsound_bar* playing_sound_bar() {
    const SoundBarPlayback* playing = globals().playing.playback();
    if (playing == nullptr)
        return nullptr;
    for (QWidget* widget : QApplication::allWidgets()) {
        if (auto* bar = qobject_cast<Tsound_bar*>(widget); bar && &bar->playback() == playing)
            return bar;
    }
    return nullptr;
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
    playback_ = std::make_unique<SoundBarPlayback>(*item_, globals().playing, options.rewind_at_end,
                                                   exact_length_flag_,
                                                   stored_position_ ? *stored_position_ : 0);
    playback_->stopped = [this] {
        timer_->stop();
        button_->update();
    };

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
    // Right clicks open the bar's own menu.
    scroll_bar_->setContextMenuPolicy(Qt::NoContextMenu);
    scroll_bar_->setGeometry(scroll_bar_left_, scroll_bar_top(), scroll_bar_width_, bar_size);
    scroll_bar_->setRange(0, playback_->maximum());
    scroll_bar_->setValue(stored_position_ ? *stored_position_ : 0);
    scroll_bar_->setSingleStep(cut.is_sound_file ? 5 : 10);
    scroll_bar_->setPageStep(std::min(20, scroll_bar_->maximum()));
    scroll_bar_->installEventFilter(this);
    position_text_ = tenths_text(scroll_bar_->value());
    update_length_text();

    timer_ = new QTimer(this);
    timer_->setInterval(timer_interval_ms);

    connect(timer_, &QTimer::timeout, this, &Tsound_bar::tick);
    connect(button_, &QAbstractButton::clicked, this, [this] { button_clicked(); });
    connect(scroll_bar_, &QScrollBar::valueChanged, this, [this](int value) {
        playback_->set_position(value);
        set_position_text(value);
    });
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
    const bool had_focus = button_->hasFocus() || scroll_bar_->hasFocus();
    playback_.reset();
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
    return playback_->is_at_end();
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
    if (!playback_->is_opened())
        open();
    if (playback_->is_opened()) {
        if (playback_->is_playing())
            pause();
        else
            start_playing();
    }
    return playback_->is_opened();
}

bool Tsound_bar::open() {
    if (!playback_->open())
        return false;
    update_length_text();
    show_thumb();
    button_->update();
    return true;
}

void Tsound_bar::start_playing() {
    playback_->start_playing();
    show_thumb();
    if (!playback_->is_playing())
        return;
    timer_->start();
    button_->update();
}

void Tsound_bar::pause() {
    if (!playback_->is_playing())
        return;
    timer_->stop();
    const std::optional<int> reached = playback_->pause();
    show_thumb();
    if (reached)
        set_position_text(*reached);
    button_->update();
}

void Tsound_bar::stop_and_close() {
    playback_->stop_and_close();
}

void Tsound_bar::tick() {
    if (in_timer_ || destroyed_ || !playback_->is_opened())
        return;
    const Guard guard(in_timer_);
    const SoundBarPlayback::Poll poll = playback_->poll();
    if (poll.media_gone) {
        timer_->stop();
        return;
    }
    if (poll.length_changed)
        update_length_text();
    show_thumb();
    set_position_text(poll.shown_position);
}

// The thumb's range and place follow the playback's.
void Tsound_bar::show_thumb() {
    scroll_bar_->setMaximum(playback_->maximum());
    scroll_bar_->setValue(playback_->position());
}

bool Tsound_bar::handle_button_key(QKeyEvent& event) {
    if (event.key() == Qt::Key_Space) {
        if (!event.isAutoRepeat())
            button_->click();
        return true;
    }
    if (event.key() == Qt::Key_S && !(event.modifiers() & ~Qt::KeypadModifier) &&
        sonogram_form() != nullptr) {
        show_sonogram();
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
    const bool was_playing = playback_->is_playing();
    if (was_playing)
        pause();
    scroll_bar_->setValue(target(scroll_bar_->value()));
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
    if (playback_->is_playing()) {
        timer_->stop();
        playback_->stop_at_position();
        start_playing();
    }
    if (select_item_)
        select_item_();
    button_->setFocus();
}

void Tsound_bar::seek_to(int milliseconds) {
    if (!playback_->is_opened() && !open())
        return;
    const bool was_playing = playback_->is_playing();
    timer_->stop();
    playback_->seek_to(milliseconds);
    show_thumb();
    set_position_text(playback_->position());
    if (was_playing)
        start_playing();
}

void Tsound_bar::show_sonogram() {
    if (TSonogramForm* form = sonogram_form())
        form->show_for(*this);
}

void Tsound_bar::contextMenuEvent(QContextMenuEvent* event) {
    TSonogramForm* form = sonogram_form();
    if (form == nullptr)
        return;
    QMenu menu; // not a child: the bar may go while the menu is open
    QAction* sonogram = menu.addAction(form->menu_caption());
    connect(sonogram, &QAction::triggered, this, &Tsound_bar::show_sonogram);
    menu.exec(event->globalPos());
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
