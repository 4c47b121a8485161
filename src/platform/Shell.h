#pragma once
// Starting programs and opening documents, always with argument lists, never
// through a shell command line.

#include <string>
#include <vector>

namespace pemmaro {

struct ProcessOutcome {
    bool started = false;
    bool waited = true;     // false when the wait for the process failed
    std::string error_text; // the system's text when starting or waiting failed
    int exit_code = 0;
};

// Starts the program in a process group of its own. With wait the call returns
// when the process has ended.
ProcessOutcome start_program(const std::string& application,
                             const std::vector<std::string>& arguments, bool wait);

// Opens a file or an address with the desktop's handler for it.
bool open_with_desktop(const std::string& name_or_address);

} // namespace pemmaro
