#pragma once
// A play list as values: its rows of recordings with the times each plays,
// the row the user stands on, and the order in which a show plays them. No
// window: the play list window edits it and a show plays through it.
// User-interface thread only.

#include "common/SoundOptions.h"

#include <optional>
#include <vector>

namespace pemmaro {

struct Tcupaitem;

// One row of the list. The recording item belongs to the data set.
struct TPlayListInfo {
    Tcupaitem* recording_item = nullptr;
    // The recording's number among its species' shown recordings (1-based).
    int number = 0;
    int times = 1; // 0 to 99
};

inline constexpr int most_times_to_play = 99;

// What the show plays next.
struct PlayListNext {
    TPlayListInfo info;
    int row = 0;
    bool repeat = false; // the same row again
    bool last = false;   // the last play of the list
};

// Rows are counted from 1. There is always at least one row: an empty list is
// one row without a recording.
class TPlayList {
public:
    TPlayList();

    int row_count() const { return static_cast<int>(rows_.size()); }
    // The row's recording; none for the empty row or a row out of range.
    const std::optional<TPlayListInfo>& row(int row) const;
    bool has_recordings() const;

    // Appends as the new last row, taking the place of an empty last row.
    void append(TPlayListInfo info);
    // Moves the row to where the other one stands, the rows between shifting.
    void move_row(int from, int to);
    // Removes the row; the last row without a recording stays.
    void delete_row(int row);
    // Kept within 0 to 99; true when the row's times changed.
    bool set_times(int row, int times);
    void clear();

    // The row the user stands on (0 when none), kept within the rows.
    int current_row() const { return current_row_; }
    void set_current_row(int row);

    // Play order: start before the first row (0) or at a row; the first call
    // of next_recording plays that row. A row with times 0 is passed over.
    void start_playing(int row);
    // The next recording to play, or none at the end of the list. The row it
    // comes from becomes the current row.
    std::optional<PlayListNext> next_recording(bool endless_loop);
    int play_row() const { return play_row_; }

private:
    bool playable(int row) const;
    std::optional<int> next_playable_after(int row) const;

    std::vector<std::optional<TPlayListInfo>> rows_;
    int current_row_ = 1;
    int play_row_ = 0;
    int times_played_ = 0;
};

} // namespace pemmaro
