#pragma once
// How a show passes from one recording to the next: the pause between
// recordings and, in the product with spoken species names, whether the names
// are said, before or after each recording, and the pause after them. The play
// lists and the shows share it.

#include <string_view>

namespace pemmaro {

struct SettingsFile;

struct TSoundOptions {
    int seconds_between_sounds = 1;
    bool tell_species_names = true;
    bool tell_names_afterwards = false;
    int seconds_after_spoken_names = 1;
    bool operator==(const TSoundOptions&) const = default;
};

// The keys of the sound options, the same in each section that keeps them
// (the play lists' and the show's).
namespace sound_option_keys {
inline constexpr std::string_view seconds_between_sounds = "Seconds between Sounds";
inline constexpr long seconds_between_sounds_default = 1;
inline constexpr std::string_view tell_species_names = "Tell Species Names";
inline constexpr bool tell_species_names_default = true;
inline constexpr std::string_view tell_names_afterwards = "Tell names Afterwards";
inline constexpr bool tell_names_afterwards_default = false;
inline constexpr std::string_view seconds_after_spoken_names = "Seconds after Spoken Names";
inline constexpr long seconds_after_spoken_names_default = 1;
} // namespace sound_option_keys

TSoundOptions read_sound_options(const SettingsFile& settings, std::string_view section);
// False when a value did not reach the file.
bool write_sound_options(const SettingsFile& settings, std::string_view section,
                         const TSoundOptions& options);

} // namespace pemmaro
