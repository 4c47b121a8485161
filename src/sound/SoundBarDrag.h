#pragma once
// Dragging a sound bar onto the play list. The drag carries the recording's
// identity (its species' unique ID, its cut part's code and the number the
// display shows for it), never a pointer, so a drop finds the recording anew
// in the data set. User-interface thread only.

#include "sound/PlayList.h"

#include <optional>

class QMimeData;

namespace pemmaro {

class Tdata;
class Tsound_bar;

inline constexpr const char* recording_mime_type = "application/x-pemmaro-recording";

// Runs the drag of the bar's recording until it is dropped or abandoned; over
// places that take no recording the cursor is the program's drag cursor.
void start_sound_bar_drag(Tsound_bar& bar);

// The row a drop adds (times 1); none when the data is no recording of this data set.
std::optional<TPlayListInfo> dropped_recording(const QMimeData& mime, const Tdata& data);

} // namespace pemmaro
