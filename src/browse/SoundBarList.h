#pragma once
// The sound bars of one display, found by the identifier of their line. The
// bars are their parent widget's children; the list ends a bar when its line
// goes, and the remaining ones when it ends. User-interface thread only.

#include "data/SoundBarSeam.h"

#include <QPointer>
#include <QWidget>
#include <cstddef>
#include <vector>

namespace pemmaro {

class Tsound_bars {
public:
    Tsound_bars() = default;
    ~Tsound_bars();
    Tsound_bars(const Tsound_bars&) = delete;
    Tsound_bars& operator=(const Tsound_bars&) = delete;

    void add(SoundBarControl* bar);
    void remove(int line_identifier);
    // Moves every bar whose line identifier is greater by distance pixels down.
    void move_below(int line_identifier, int distance);
    void set_dragging(bool automatic);

    std::size_t size() const { return bars_.size(); }
    SoundBarControl* find(int line_identifier) const;

private:
    // A bar its parent ended already is passed over.
    struct Entry {
        QPointer<QWidget> alive;
        SoundBarControl* bar;
    };
    std::vector<Entry> bars_;
};

} // namespace pemmaro
