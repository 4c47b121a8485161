#include "sound/PlayList.h"

#include <algorithm>

namespace pemmaro {

TPlayList::TPlayList() {
    clear();
}

const std::optional<TPlayListInfo>& TPlayList::row(int row) const {
    static const std::optional<TPlayListInfo> none;
    if (row < 1 || row > row_count())
        return none;
    return rows_[static_cast<std::size_t>(row - 1)];
}

bool TPlayList::has_recordings() const {
    return std::any_of(rows_.begin(), rows_.end(),
                       [](const auto& info) { return info.has_value(); });
}

void TPlayList::append(TPlayListInfo info) {
    info.times = std::clamp(info.times, 0, most_times_to_play);
    if (!rows_.back())
        rows_.back() = info;
    else
        rows_.emplace_back(info);
}

void TPlayList::move_row(int from, int to) {
    if (from < 1 || from > row_count() || to < 1 || to > row_count() || from == to)
        return;
    const auto at = [this](int row) { return rows_.begin() + (row - 1); };
    if (from < to)
        std::rotate(at(from), at(from) + 1, at(to) + 1);
    else
        std::rotate(at(to), at(from), at(from) + 1);
}

void TPlayList::delete_row(int row) {
    if (row < 1 || row > row_count())
        return;
    if (row_count() == 1)
        rows_.front().reset();
    else
        rows_.erase(rows_.begin() + (row - 1));
    set_current_row(current_row_);
}

bool TPlayList::set_times(int row, int times) {
    if (row < 1 || row > row_count() || !rows_[static_cast<std::size_t>(row - 1)])
        return false;
    int& stored = rows_[static_cast<std::size_t>(row - 1)]->times;
    times = std::clamp(times, 0, most_times_to_play);
    if (stored == times)
        return false;
    stored = times;
    return true;
}

void TPlayList::clear() {
    rows_.assign(1, std::nullopt);
    current_row_ = 1;
    play_row_ = 0;
    times_played_ = 0;
}

void TPlayList::set_current_row(int row) {
    current_row_ = std::clamp(row, 1, row_count());
}

void TPlayList::start_playing(int row) {
    play_row_ = std::clamp(row, 0, row_count());
    times_played_ = 0;
}

bool TPlayList::playable(int row) const {
    const std::optional<TPlayListInfo>& info = this->row(row);
    return info && info->times > 0;
}

std::optional<int> TPlayList::next_playable_after(int row) const {
    for (int next = row + 1; next <= row_count(); ++next) {
        if (playable(next))
            return next;
    }
    return std::nullopt;
}

std::optional<PlayListNext> TPlayList::next_recording(bool endless_loop) {
    bool repeat = false;
    if (play_row_ > 0 && playable(play_row_) && row(play_row_)->times > times_played_) {
        repeat = times_played_ > 0;
        ++times_played_;
    } else {
        std::optional<int> next = next_playable_after(play_row_);
        if (!next && endless_loop)
            next = next_playable_after(0);
        if (!next)
            return std::nullopt;
        play_row_ = *next;
        times_played_ = 1;
    }
    set_current_row(play_row_);
    const TPlayListInfo& info = *row(play_row_);
    const bool last =
        !endless_loop && times_played_ >= info.times && !next_playable_after(play_row_);
    return PlayListNext{info, play_row_, repeat, last};
}

} // namespace pemmaro
