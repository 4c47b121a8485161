#pragma once
// A look at the audio CD drive, made on a worker thread: a drive that spins a
// disc up may take seconds to answer, and no window must wait. The text for
// the status line comes back on the user-interface thread.

#include <functional>
#include <string>

namespace pemmaro {

// Starts a look at the drive (numbered from 1); done gets the status line's
// text on the user-interface thread, also when its asker has gone meanwhile
// (the asker checks). Nothing happens without a Qt application.
// User-interface thread.
void look_at_audio_cd_drive(int drive_number, std::function<void(const std::string& text)> done);

} // namespace pemmaro
