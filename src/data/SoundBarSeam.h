#pragma once
// The seam between the windows that show recordings and the sound bars placed
// on them: a window asks the factory for a bar and then moves, shows and
// focuses it through SoundBarControl; the sound side makes and runs the bars.

#include <functional>

class QWidget;

namespace pemmaro {

struct Tcupaitem;

struct SoundBarOptions {
    Tcupaitem* recording_item = nullptr; // required; belongs to the data set
    // The recording's length_from_file; cleared once a player measured the
    // length. Must outlive the bar.
    bool* exact_length_flag = nullptr;
    int compact = 0; // 1: narrower scroll bar
    bool show_texts = false;
    bool rewind_at_end = false;
    // Tenths of seconds: the initial thumb, and the thumb when the bar ends.
    // Must outlive the bar.
    int* stored_position = nullptr;
    int line_identifier = 0;
    std::function<void()> clear_owner_slot; // called when the bar is destroyed
    std::function<void()> select_item;      // selects the bar's line in its display
    bool automatic_dragging = false;
    int drag_value = 0;
};

// A sound bar as the window it is placed on sees it. User-interface thread only.
class SoundBarControl {
public:
    virtual ~SoundBarControl() = default;

    // The bar itself, a child widget of the window it was made for.
    virtual QWidget& widget() = 0;
    // Where the button's top-left corner stands, less the text row, and the
    // size of button and scroll bar with the text row.
    virtual int bar_top() const = 0;
    virtual int bar_width() const = 0;
    virtual int bar_height() const = 0;
    virtual int line_identifier() const = 0;
    virtual void move_by(int distance) = 0;
    virtual void set_dragging(bool automatic) = 0;
    // Gives the play button the focus.
    virtual void focus() = 0;
    // For the shows: plays or pauses (opening first when needed) and returns
    // whether the recording is open afterwards; whether it is open (it closes
    // at its end); marks the bar as the one the show played.
    virtual bool toggle() = 0;
    virtual bool is_opened() const = 0;
    virtual void set_marked() = 0;
};

// Makes a bar as a child of the parent, which owns it; left, top: where the
// button's top-left corner goes, less the text row.
using SoundBarFactory =
    std::function<SoundBarControl*(QWidget* parent, int left, int top, SoundBarOptions options)>;

} // namespace pemmaro
