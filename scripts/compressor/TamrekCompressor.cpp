#include "TamrekCompressor.h"

#include <stdexcept>
#include <string>

namespace pemmaro {

namespace {

constexpr std::string_view signature = "Tamrek's compression format";
constexpr std::size_t signature_field = 41;
constexpr std::size_t number_field = 11;

void append_field(std::vector<std::uint8_t>& out, std::string_view text, std::size_t width) {
    if (text.size() > width)
        throw std::invalid_argument("header text \"" + std::string(text) + "\" is longer than " +
                                    std::to_string(width) + " bytes");
    out.insert(out.end(), text.begin(), text.end());
    out.insert(out.end(), width - text.size(), 0);
}

} // namespace

TamrekDictionary::TamrekDictionary() {
    for (int c = 0; c < 256; ++c)
        roots_[c] = *add(tamrek_no_code, static_cast<std::uint8_t>(c));
}

std::uint16_t TamrekDictionary::hash(std::uint16_t prefix, std::uint8_t character) {
    const std::uint32_t value = (std::uint32_t{prefix} + character) | 2048u;
    return static_cast<std::uint16_t>(((value * value) >> 6) & 4095u);
}

std::optional<std::uint16_t> TamrekDictionary::find(std::uint16_t prefix,
                                                    std::uint8_t character) const {
    std::uint16_t slot = hash(prefix, character);
    // Chains only ever grow at their end, so every entry with this hash is
    // reachable from its hash slot.
    for (int steps = 0; steps <= 4096; ++steps) {
        const Slot& entry = slots_[slot];
        if (!entry.used)
            return std::nullopt;
        if (entry.prefix == prefix && entry.character == character)
            return slot;
        if (entry.chain == tamrek_no_code)
            return std::nullopt;
        slot = entry.chain;
    }
    return std::nullopt;
}

std::optional<std::uint16_t> TamrekDictionary::add(std::uint16_t prefix, std::uint8_t character) {
    if (free_slots_ == 0)
        return std::nullopt;
    std::uint16_t slot = hash(prefix, character);
    if (slots_[slot].used) {
        std::uint16_t last = slot;
        while (slots_[last].chain != tamrek_no_code)
            last = slots_[last].chain;
        std::uint16_t probe = (last + 101) & 4095u;
        while (slots_[probe].used)
            probe = (probe + 1) & 4095u;
        slots_[last].chain = probe;
        slot = probe;
    }
    slots_[slot].used = true;
    slots_[slot].prefix = prefix;
    slots_[slot].character = character;
    --free_slots_;
    return slot;
}

std::vector<std::uint16_t> tamrek_codes(std::span<const std::uint8_t> data) {
    std::vector<std::uint16_t> codes;
    if (data.empty())
        return codes;
    TamrekDictionary dictionary;
    std::uint16_t string = dictionary.root(data[0]);
    for (std::size_t i = 1; i < data.size(); ++i) {
        const std::uint8_t c = data[i];
        if (const std::optional<std::uint16_t> longer = dictionary.find(string, c)) {
            string = *longer;
            continue;
        }
        codes.push_back(string);
        dictionary.add(string, c);
        string = dictionary.root(c);
    }
    codes.push_back(string);
    return codes;
}

std::vector<std::uint8_t> tamrek_pack_codes(std::span<const std::uint16_t> codes) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(codes.size() * 3 / 2 + 2);
    std::size_t i = 0;
    for (; i + 1 < codes.size(); i += 2) {
        const unsigned first = codes[i] & 4095u;
        const unsigned second = codes[i + 1] & 4095u;
        bytes.push_back(static_cast<std::uint8_t>(first >> 4));
        bytes.push_back(static_cast<std::uint8_t>(((first & 15u) << 4) | (second >> 8)));
        bytes.push_back(static_cast<std::uint8_t>(second & 255u));
    }
    if (i < codes.size()) {
        const unsigned last = codes[i] & 4095u;
        bytes.push_back(static_cast<std::uint8_t>(last >> 4));
        bytes.push_back(static_cast<std::uint8_t>((last & 15u) << 4));
    }
    return bytes;
}

std::vector<std::uint8_t> tamrek_header(std::string_view version_text, std::uint64_t size) {
    std::vector<std::uint8_t> header;
    header.reserve(signature_field + 2 * number_field);
    append_field(header, signature, signature_field);
    append_field(header, version_text, number_field);
    append_field(header, std::to_string(size), number_field);
    return header;
}

std::vector<std::uint8_t> tamrek_compress_with_version_text(std::span<const std::uint8_t> data,
                                                            std::string_view version_text) {
    std::vector<std::uint8_t> file = tamrek_header(version_text, data.size());
    const std::vector<std::uint8_t> stream = tamrek_pack_codes(tamrek_codes(data));
    file.insert(file.end(), stream.begin(), stream.end());
    return file;
}

std::vector<std::uint8_t> tamrek_compress(std::span<const std::uint8_t> data, int version) {
    return tamrek_compress_with_version_text(data, std::to_string(version));
}

} // namespace pemmaro
