#pragma once
// The marked-up texts of the display lines that are built from the data set
// alone: a species' text, a recording's text, recordist, locality and note,
// with the context's product, language texts and separators.

#include "common/CoreContext.h"
#include "data/DataSet.h"

#include <string>

namespace pemmaro {

// Appends the separator unless the text is empty or ends in a line break.
void separate(std::string& text, char separator = ' ');

// The species' own text and its author; a species split by subspecies that
// has none says so on a line of its own.
std::string species_text(const Tspecies& species, const CoreContext& context);
// The recording's own text, with the country when it was recorded abroad.
std::string recording_text(const Tcupaitem& item, const CoreContext& context);
// Subspecies, recordist and the item's and cut part's remarks.
std::string recordist_line(const Tcupaitem& item, const CoreContext& context);
// Locality, time and date; empty when none of them is known.
std::string locality_line(const Tcupaitem& item, const CoreContext& context);
// The item's note, a short one without its closing full stop.
std::string item_note(const Tcupaitem& item);
// What the also-audible line says of another species on the recording.
std::string annotation_of(const Tcupaitem& other, const CoreContext& context);

} // namespace pemmaro
