#pragma once
// The program's play list window. It reads its "Current" play list file when
// made, so it is made at its first use rather than at start-up.
// User-interface thread only.

#include "sound/PlayListWindow.h"

#include <functional>
#include <memory>

namespace pemmaro {

class ProgramPlayListWindow {
public:
    // services is called once, when the window is made.
    explicit ProgramPlayListWindow(std::function<PlayListServices()> services);
    ~ProgramPlayListWindow();
    ProgramPlayListWindow(const ProgramPlayListWindow&) = delete;
    ProgramPlayListWindow& operator=(const ProgramPlayListWindow&) = delete;

    // Makes the window at the first call; owned by this object.
    TPlayListForm& window();

private:
    std::function<PlayListServices()> services_;
    std::unique_ptr<TPlayListForm> window_;
};

// The one made at start-up; none before it and after it is gone.
ProgramPlayListWindow* program_play_list_window();

} // namespace pemmaro
