#pragma once
// Writes the compressed format the program reads. Kept apart from the
// program's decoder so each can check the other.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace pemmaro {

inline constexpr std::uint16_t tamrek_no_code = 65535;

// The 4096 hashed slots; a string's code is its slot number.
class TamrekDictionary {
public:
    TamrekDictionary(); // holds the 256 one-character strings

    static std::uint16_t hash(std::uint16_t prefix, std::uint8_t character);

    std::optional<std::uint16_t> find(std::uint16_t prefix, std::uint8_t character) const;
    // The slot given to the entry; nothing when no slot is free. Does not
    // check that the entry is new or that the prefix is used.
    std::optional<std::uint16_t> add(std::uint16_t prefix, std::uint8_t character);

    std::uint16_t root(std::uint8_t character) const { return roots_[character]; }
    bool used(std::uint16_t slot) const { return slots_[slot & 4095u].used; }
    int free_slots() const { return free_slots_; }

private:
    struct Slot {
        bool used = false;
        std::uint16_t prefix = tamrek_no_code;
        std::uint16_t chain = tamrek_no_code;
        std::uint8_t character = 0;
    };
    std::array<Slot, 4096> slots_{};
    std::array<std::uint16_t, 256> roots_{};
    int free_slots_ = 4096;
};

std::vector<std::uint16_t> tamrek_codes(std::span<const std::uint8_t> data);
// Two codes in three bytes; an odd last code takes two bytes, its low four bits 0.
std::vector<std::uint8_t> tamrek_pack_codes(std::span<const std::uint16_t> codes);
// Throws std::invalid_argument when the version text is longer than its field.
std::vector<std::uint8_t> tamrek_header(std::string_view version_text, std::uint64_t size);

std::vector<std::uint8_t> tamrek_compress(std::span<const std::uint8_t> data, int version = 1);
std::vector<std::uint8_t> tamrek_compress_with_version_text(std::span<const std::uint8_t> data,
                                                            std::string_view version_text);

} // namespace pemmaro
