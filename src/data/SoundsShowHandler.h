#pragma once
// The steps of a show that plays recordings by itself, one after another, in
// a browsing window of its own: at random (the sounds show) or in the order of
// a play list. Between recordings the species' spoken name may be said, before
// or after each recording, with the pauses of the sound options.
//
// The handler knows no window: the show window does the steps it asks for
// (SoundsShowSteps) and runs its timer, calling tick() when the timer fires
// and starting it again with the delay tick() returns. User-interface thread only.

#include "common/SoundOptions.h"

#include <optional>

namespace pemmaro {

struct Tcupaitem;
struct Tspecies;

// A recording the show is to play next.
struct SoundsShowNext {
    Tspecies* species = nullptr;
    Tcupaitem* item = nullptr; // the recording item, of the data set
    // The recording's number among its species' recordings, where the display shows it.
    int number = 0;
    bool repeat = false; // a play list's row played again
    bool last = false;   // the last play of a play list
};

// What the show window does for the handler.
class SoundsShowSteps {
public:
    virtual ~SoundsShowSteps() = default;
    // The next recording: the play list's next row, or a random choice; none
    // when there is nothing more to play.
    virtual std::optional<SoundsShowNext> next_recording() = 0;
    // Moves the display to the recording's line, whose bar becomes the
    // current bar, marked.
    virtual void move_to_recording(const SoundsShowNext& next) = 0;
    // Whether the current bar exists and its recording is open.
    virtual bool current_bar_open() = 0;
    // Plays or stops the current bar; true when it opened.
    virtual bool toggle_current_bar() = 0;
    virtual void mark_current_bar() = 0;
    // Says the species' name and returns when it has been said; false when
    // there is no spoken name for it.
    virtual bool tell_name(const Tspecies& species) = 0;
    // The sounds show logs each recording it plays in its opener's list.
    virtual void log_recording(const Tspecies& species, int number) = 0;
    virtual void close_show() = 0;
};

class Tsounds_demo_and_play_lists_handler {
public:
    static constexpr int start_delay = 200; // ms, in state 1

    // The steps must outlive the handler.
    Tsounds_demo_and_play_lists_handler(bool is_play_list, TSoundOptions options,
                                        SoundsShowSteps& steps);

    // The state the next tick runs (1 waiting, 2 next, 3 spoken name, 4 play).
    int state() const { return state_; }
    bool is_play_list() const { return is_play_list_; }
    // Runs the state; returns the delay until the next tick, none when the
    // show has ended or stopped (the timer stays off).
    std::optional<int> tick();

private:
    std::optional<int> wait_for_recording();
    std::optional<int> next();
    std::optional<int> spoken_name();
    std::optional<int> play();
    int pause_between() const;
    std::optional<int> go(int state, int delay);

    bool is_play_list_ = false;
    TSoundOptions options_;
    SoundsShowSteps& steps_;
    bool first_ = true;
    std::optional<SoundsShowNext> current_;
    int state_ = 1;
    int interval_ = start_delay;
};

} // namespace pemmaro
