#pragma once
// Where a recording's sound comes from, told to the user: the sound file of
// the data disc, or the audio CD, track and span (and the copied track when
// the CD is held on the hard disk).

#include "platform/MessageText.h"

#include <string>

namespace pemmaro {

struct CoreContext;
struct Tcutpart;

// The text of "Show Name of Sound File", in the context's language texts and
// with its decimal separator. Lines are separated by '\n'.
MessageText sound_source_description(const Tcutpart& cut_part, const CoreContext& context);

// Milliseconds as seconds with one decimal.
std::string seconds_text(int milliseconds, char decimal_separator);

} // namespace pemmaro
