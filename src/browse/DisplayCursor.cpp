#include "browse/DisplayCursor.h"

namespace pemmaro {

bool DisplayCursor::is_stop(LineKind kind) {
    return kind == lkFamilyHeader || kind == lkSpeciesHeader || kind == lkSoundBar ||
           kind == lkRecordingLabel;
}

std::optional<Line> DisplayCursor::first_name_after(Line header) const {
    const Line next = std::next(header);
    if (next != lines_.end() && is_name_line(next->kind))
        return next;
    return std::nullopt;
}

std::optional<Line> DisplayCursor::box_of_row(Line line) const {
    for (Line at = line; at != lines_.begin();) {
        --at;
        if (is_header(at->kind))
            return at == lines_.begin() ? std::nullopt : std::optional(std::prev(at));
        if (!is_name_line(at->kind))
            return std::nullopt;
    }
    return std::nullopt;
}

std::optional<Line> DisplayCursor::fold_box_for(Line line) const {
    std::optional<Line> box;
    if (is_name_line(line->kind))
        box = box_of_row(line);
    else if (line->kind == lkRecordingLabel && line != lines_.begin() &&
             std::prev(line)->kind == lkDetailsBox)
        box = std::prev(line);
    if (box && is_fold_box((*box)->kind))
        return box;
    return std::nullopt;
}

Tcupaitem* DisplayCursor::item_of(Line line) const {
    for (Line at = line;; --at) {
        if (at->kind == lkSoundBar)
            return at->sound_bar ? at->sound_bar->item : nullptr;
        if (at->kind == lkSpeciesBox || at->kind == lkFamilyBox || at == lines_.begin())
            return nullptr;
    }
}

DisplayCursor::Headers DisplayCursor::headers_of(Line line) const {
    Headers headers;
    for (Line at = line;; --at) {
        if (at->kind == lkSpeciesHeader && !headers.species)
            headers.species = at;
        if (at->kind == lkFamilyHeader) {
            headers.family = at;
            return headers;
        }
        if (at == lines_.begin())
            return headers;
    }
}

std::optional<Line> DisplayCursor::next_stop(Line from, bool forward) const {
    Line at = from;
    while (true) {
        if (forward) {
            if (++at == lines_.end())
                return std::nullopt;
        } else {
            if (at == lines_.begin())
                return std::nullopt;
            --at;
        }
        if (!is_stop(at->kind))
            continue;
        if (!is_header(at->kind))
            return at;
        // A header stands for its first name; going back, the row's own header
        // is no move.
        const std::optional<Line> name = first_name_after(at);
        if (name && *name != from)
            return name;
    }
}

std::optional<Line> DisplayCursor::last_stop() const {
    if (lines_.empty())
        return std::nullopt;
    const Line last = std::prev(lines_.end());
    std::optional<Line> stop = is_stop(last->kind) ? std::optional(last) : next_stop(last, false);
    if (stop && is_header((*stop)->kind))
        stop = first_name_after(*stop);
    return stop;
}

} // namespace pemmaro
