#pragma once
// The species' spoken name, said by the shows before or after its recordings.

namespace pemmaro {

struct ProductSettings;
struct Tspecies;

// Plays the species' spoken name file to its end; false when there is none
// (the sample disc has no voices) or it cannot be played.
bool TellSpeciesName(const Tspecies& species, const ProductSettings& product);

} // namespace pemmaro
