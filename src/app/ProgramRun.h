#pragma once
// The program's run: module initialisation, the single-instance question, the
// program's windows in their order, the message loop and the shutdown.

#include <functional>
#include <memory>
#include <string>

namespace pemmaro {

class TChildForm;
class ProgramWindows;
class StartupDataLoad;

struct ProgramRunOptions {
    std::string program_directory; // with or without a trailing '/'
    // Called once the main window is shown, before the message loop (tests).
    std::function<void(TChildForm& main_window)> on_main_window_shown;
    // The modules' steps up to the data set, begun before the application
    // (initialise_modules_before_data, load_data_set); none: they run here.
    StartupDataLoad* started_data_load = nullptr;
};

// Needs a QApplication. Returns the exit code; a fatal error ends the process.
int run_program(const ProgramRunOptions& options);

// The windows created at start-up; the first is the main window.
class ProgramWindows {
public:
    ProgramWindows();
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    TChildForm& main_window();

private:
    struct Windows;
    std::unique_ptr<Windows> windows_;
};

} // namespace pemmaro
