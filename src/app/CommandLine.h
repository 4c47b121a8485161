#pragma once
// The program's options: what to do, read before any window or data exists.

#include <string>
#include <vector>

namespace pemmaro {

struct CommandLine {
    enum class Action { run, check, help, version, usage_error };
    Action action = Action::run;
    std::string check_folder;   // --check FOLDER; empty: the current directory
    std::string unknown_option; // the argument that made a usage error
};

// The arguments after the program's name; Qt's own options are taken out
// before (see main.cpp).
CommandLine parse_command_line(const std::vector<std::string>& arguments);

std::string help_text(const std::string& program_name);
std::string version_text();
std::string usage_text(const std::string& program_name);

// Exit codes, documented in the manual page.
inline constexpr int exit_usage_error = 2;

} // namespace pemmaro
