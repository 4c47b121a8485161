#pragma once
// How a show passes from one recording to the next: the pause between
// recordings and, in the product with spoken species names, whether the names
// are said, before or after each recording, and the pause after them. The play
// lists and the shows share it.

namespace pemmaro {

struct TSoundOptions {
    int seconds_between_sounds = 1;
    bool tell_species_names = true;
    bool tell_names_afterwards = false;
    int seconds_after_spoken_names = 1;
    bool operator==(const TSoundOptions&) const = default;
};

} // namespace pemmaro
