#pragma once
// Program-wide values of the common services, recorded once at start-up.

#include <string>

namespace pemmaro {

struct CommonServices {
    std::string startup_directory; // current directory at start, with a trailing '/'
    std::string program_directory; // folder of the program file, with a trailing '/'
    // share/pemmaro/ of an installed program (sample disc, help, readme), with a
    // trailing '/'; empty when the program runs from elsewhere (a build folder).
    std::string installed_data_directory;
    char decimal_separator = '.';
    char time_separator = ':';
    bool operator==(const CommonServices&) const = default;
};

CommonServices& common_services();

// The installed program's data folder: ../share/pemmaro/ of its bin folder,
// when that folder exists; empty otherwise.
std::string installed_data_directory_of(const std::string& program_directory);

// Records the directories and reads the separators.
void initialise_common_services(const std::string& program_directory);

} // namespace pemmaro
