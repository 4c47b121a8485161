#pragma once
// Program-wide values of the common services, recorded once at start-up.

#include <array>
#include <string>

namespace pemmaro {

struct CommonServices {
    std::string startup_directory; // current directory at start, with a trailing '/'
    std::string program_directory; // folder of the program file, with a trailing '/'
    char decimal_separator = '.';
    char time_separator = ':';
    std::array<long double, 91> sine_table{}; // sin(0°) .. sin(90°)
    bool operator==(const CommonServices&) const = default;
};

CommonServices& common_services();

// Fills the sine table, records the directories and reads the separators.
void initialise_common_services(const std::string& program_directory);

} // namespace pemmaro
