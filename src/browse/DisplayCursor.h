#pragma once
// Moving the current line through a display's lines: the stops the cursor
// keys visit (a header stands for its first name line), the fold box a fold
// key acts on, the recording a line belongs to and the family and species
// headers the status line names. Works on the lines alone.

#include "browse/DisplayLines.h"

#include <optional>

namespace pemmaro {

class DisplayCursor {
public:
    explicit DisplayCursor(LineList& lines)
        : lines_(lines) {}

    // Family and species headers, sound bars and recording labels.
    static bool is_stop(LineKind kind);

    // The next stop after (or before) the line; none at the end. Going back,
    // the header of the row a name line belongs to is no move.
    std::optional<Line> next_stop(Line from, bool forward) const;
    // The last stop of the list, as Ctrl+End finds it.
    std::optional<Line> last_stop() const;
    // The name line that stands for a header.
    std::optional<Line> first_name_after(Line header) const;
    // The fold box of the row a name line belongs to.
    std::optional<Line> box_of_row(Line line) const;
    // The fold box the fold keys act on from the line: the box of a name's
    // row, or the details box just above a recording label.
    std::optional<Line> fold_box_for(Line line) const;
    // The recording of a line within a recording's rows: its sound bar's item.
    Tcupaitem* item_of(Line line) const;

    struct Headers {
        std::optional<Line> family;
        std::optional<Line> species; // none in a family row
    };
    // The headers of the family and the species the line belongs to.
    Headers headers_of(Line line) const;

private:
    LineList& lines_;
};

} // namespace pemmaro
