#pragma once
// Captions of the windows that show one species (maps, pictures, lists): its
// names in the window's order, and the subspecies when one is meant.

#include <cstdint>
#include <optional>
#include <string>

namespace pemmaro {

struct Tspecies;
struct Trecord_ssp_data;
class Ttextfile_handler;

// name_options: the packed value of pack_name_options.
std::string species_window_caption(const Tspecies& species,
                                   const std::optional<Trecord_ssp_data>& subspecies,
                                   std::uint32_t name_options, const Ttextfile_handler& texts);

} // namespace pemmaro
