#pragma once
// Where a recording's sound comes from, told to the user: the sound file of
// the data disc, or the audio CD, track and span (and the copied track when
// the CD is held on the hard disk).

#include "platform/MessageText.h"

#include <string>

namespace pemmaro {

struct Tcutpart;

// The full path of a cut part's sound file under the base directory, as it
// exists on disk when some spelling of it does.
std::string cut_part_sound_file_path(const Tcutpart& cut_part);

// The text of "Show Name of Sound File". Lines are separated by '\n'.
MessageText sound_source_description(const Tcutpart& cut_part);

// Milliseconds as seconds with one decimal, with the system's decimal separator.
std::string seconds_text(int milliseconds);

} // namespace pemmaro
