#include "sound/ProgramPlayListWindow.h"

namespace pemmaro {

namespace {

ProgramPlayListWindow* the_window = nullptr;

} // namespace

ProgramPlayListWindow::ProgramPlayListWindow(std::function<PlayListServices()> services)
    : services_(std::move(services)) {
    the_window = this;
}

ProgramPlayListWindow::~ProgramPlayListWindow() {
    if (the_window == this)
        the_window = nullptr;
}

TPlayListForm& ProgramPlayListWindow::window() {
    if (!window_)
        window_ = std::make_unique<TPlayListForm>(services_());
    return *window_;
}

ProgramPlayListWindow* program_play_list_window() {
    return the_window;
}

} // namespace pemmaro
