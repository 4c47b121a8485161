#pragma once
// Sound bars: the control through which the user plays one recording, a small
// play button and a scroll bar whose thumb shows and sets the position, with
// the position and the length in seconds written above it. Each bar owns its
// playback (sound/SoundBarPlayback.h: the player and its rules); at most one
// bar in the whole program plays at a time.
//
// Threads: user-interface thread only; the bar polls its player every 200 ms.

#include "data/SoundBarSeam.h"
#include "sound/SoundBarPlayback.h"

#include <QAbstractButton>
#include <QCursor>
#include <QPixmap>
#include <QPoint>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QScrollBar;
class QTimer;

namespace pemmaro {

struct Tcupaitem;
class TMCIDevicePlayer;
class Tsound_bar;

// The four button bitmaps, loaded from the program's resources at the first
// use and shared by all bars.
struct SoundBarBitmaps {
    QPixmap not_playing;
    QPixmap playing;
    QPixmap not_playing_cursor;
    QPixmap playing_cursor;
};
const SoundBarBitmaps& sound_bar_bitmaps();
// The drag cursor over places that do not take a dropped recording.
const QCursor& sound_bar_drag_cursor();

// The factory the windows are given: a Tsound_bar.
SoundBarControl* make_sound_bar(QWidget* parent, int left, int top, SoundBarOptions options);

// Shows line 1 of "KZ_SOUNDBAR" when the machine has no audio output (start-up).
void check_wave_output_devices(int device_count);

// Called when the user starts dragging a bar's scroll bar in automatic drag
// mode; the play list installs it while it is open.
using SoundBarDragHandler = std::function<void(Tsound_bar& bar)>;
void set_sound_bar_drag_handler(SoundBarDragHandler handler);

// The bar that plays (or was last started and only paused); none otherwise.
Tsound_bar* playing_sound_bar();
// The slot the bars play in; what else plays a recording (the play list)
// plays there too, so that only one sound plays at a time.
PlayingSlot& sound_bar_playing_slot();

// The width of the scroll bar for a recording of that length.
int sound_bar_scroll_width(int length_ms, int compact);

// Positions in tenths of seconds as the bar writes them: "12.3".
std::string tenths_text(int tenths);

// The bar's play button: never a tab stop, owner-drawn with the bitmaps.
class TBitBtn_sound_bar : public QAbstractButton {
    Q_OBJECT

public:
    TBitBtn_sound_bar(Tsound_bar& owner, QWidget* parent);

    // The resource name of the bitmap the button shows now.
    QString bitmap_name() const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    // Focused, or marked by the show: the bitmaps with the focus mark.
    bool shows_cursor() const;

    Tsound_bar& owner_;
};

// A child of the widget it is placed on (the display surface or a show
// window), which owns it; the display's bar list may end it earlier.
class Tsound_bar : public QWidget, public SoundBarControl {
    Q_OBJECT

public:
    // left, top: where the button's top-left corner goes, less the text row.
    Tsound_bar(QWidget* parent, int left, int top, SoundBarOptions options);
    ~Tsound_bar() override;

    // Opens when needed, then pauses when playing, else plays; returns whether
    // the player is open afterwards.
    bool toggle() override;
    void start_playing();
    void pause();
    void stop_and_close();
    // Opens the player without playing; false when it cannot.
    bool open();
    // Opens when needed and moves to the point (milliseconds in the
    // recording); playing goes on from there when it was playing.
    void seek_to(int milliseconds);
    // Opens the sonogram pane on this bar's recording.
    void show_sonogram();
    bool is_opened() const override { return playback_->is_opened(); }
    bool is_playing() const { return playback_->is_playing(); }
    // The thumb, in tenths of seconds.
    int current_position() const;
    // Played to its end (and not started again since).
    bool is_at_end() const;
    void set_marked() override;
    bool marked() const { return marked_; }
    // Redraws the texts and the frame (the display repaints the bar's line).
    void refresh();

    void set_dragging(bool automatic) override;
    bool automatic_dragging() const { return automatic_dragging_; }
    void move_by(int distance) override;
    QWidget& widget() override { return *this; }
    void focus() override;

    // One poll of the player; the 200 ms timer calls it while playing.
    void tick();

    int bar_left() const { return left_; }
    int bar_top() const override { return top_; }
    int bar_width() const override { return width_; }
    int bar_height() const override { return height_; }
    int text_height() const { return text_height_; }
    int line_identifier() const override { return line_identifier_; }
    int drag_value() const { return drag_value_; }
    Tcupaitem* recording_item() const { return item_; }
    TBitBtn_sound_bar* button() const { return button_; }
    QScrollBar* scroll_bar() const { return scroll_bar_; }
    bool timer_active() const;
    TMCIDevicePlayer& player() const { return playback_->player(); }
    SoundBarPlayback& playback() const { return *playback_; }
    const std::string& position_text() const { return position_text_; }
    const std::string& length_text() const { return length_text_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class TBitBtn_sound_bar;

    void show_thumb();
    bool handle_button_key(QKeyEvent& event);
    void button_clicked();
    void user_scrolled();
    void set_position_text(int tenths);
    void update_length_text();
    int content_left() const { return 1; }
    int scroll_bar_top() const { return 1 + text_height_; }

    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    TBitBtn_sound_bar* button_ = nullptr; // child widget
    QScrollBar* scroll_bar_ = nullptr;    // child widget
    QTimer* timer_ = nullptr;             // child object
    bool in_timer_ = false;
    std::unique_ptr<SoundBarPlayback> playback_;
    std::string position_text_;
    std::string length_text_;
    bool destroyed_ = false;
    int scroll_bar_left_ = 0; // in the bar's own coordinates
    int scroll_bar_width_ = 0;
    int text_height_ = 0;
    Tcupaitem* item_ = nullptr;
    bool show_texts_ = false;
    int line_identifier_ = 0;
    std::function<void()> clear_owner_slot_;
    bool* exact_length_flag_ = nullptr;
    int* stored_position_ = nullptr;
    std::function<void()> select_item_;
    bool marked_ = false;
    int drag_value_ = 0;
    bool automatic_dragging_ = false;
    std::optional<QPoint> drag_start_;
};

} // namespace pemmaro
