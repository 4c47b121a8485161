#include "app/CommandLine.h"

#ifndef PEMMARO_VERSION
#define PEMMARO_VERSION "unknown"
#endif

namespace pemmaro {

CommandLine parse_command_line(const std::vector<std::string>& arguments) {
    CommandLine line;
    if (arguments.empty())
        return line;
    const std::string& first = arguments.front();
    if (first == "--help" || first == "-h")
        line.action = CommandLine::Action::help;
    else if (first == "--version")
        line.action = CommandLine::Action::version;
    else if (first == "--check" && arguments.size() <= 2) {
        line.action = CommandLine::Action::check;
        line.check_folder = arguments.size() == 2 ? arguments[1] : std::string();
    } else {
        // The program takes no file arguments: anything else is a mistake the
        // user should hear about rather than have ignored.
        line.action = CommandLine::Action::usage_error;
        line.unknown_option = first == "--check" ? arguments[2] : first;
    }
    return line;
}

std::string usage_text(const std::string& program_name) {
    return "Usage: " + program_name + " [--check [FOLDER]] [--help] [--version]\n";
}

std::string help_text(const std::string& program_name) {
    return usage_text(program_name) +
           "Pemmaro, a reference work on the birds of the Solvara region.\n"
           "\n"
           "  --check [FOLDER]  load the data disc in FOLDER (else the current directory)\n"
           "                    as start-up does, print its counts and exit\n"
           "  -h, --help        show this help and exit\n"
           "  --version         show the version and exit\n"
           "\n"
           "Without options the program opens its window. Settings are kept in\n"
           "$XDG_CONFIG_HOME/pemmaro/Pemmaro.ini when the program is installed.\n"
           "Exit codes: 0 success, 1 a data or start-up error, 2 a usage error.\n"
           "See pemmaro(1).\n";
}

std::string version_text() {
    return "Pemmaro " PEMMARO_VERSION "\n";
}

} // namespace pemmaro
