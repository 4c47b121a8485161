#pragma once
// Program-wide values of the common services, recorded once at start-up.

#include <string>

namespace pemmaro {

struct CommonServices {
    std::string startup_directory; // current directory at start, with a trailing '/'
    std::string program_directory; // folder of the program file, with a trailing '/'
    char decimal_separator = '.';
    char time_separator = ':';
    bool operator==(const CommonServices&) const = default;
};

CommonServices& common_services();

// Records the directories and reads the separators.
void initialise_common_services(const std::string& program_directory);

} // namespace pemmaro
