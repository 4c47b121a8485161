#pragma once
// The program's own compressed file format: a 63-byte text header, then
// 12-bit LZW codes whose dictionary slots are chosen by a hash. Files made by
// the format's own tool are expanded into one memory block that starts with
// the letters "CF". The program contains no compressor.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace pemmaro {

inline constexpr int compression_ok = 0;
inline constexpr int compression_open_error = 991;   // the file cannot be opened
inline constexpr int compression_header_error = 992; // missing or bad header
inline constexpr int compression_read_error = 993;   // read error in the file
inline constexpr int compression_memory_error = 994; // the block cannot be allocated
inline constexpr int compression_decode_error = 995; // bad stream or stack overflow

inline constexpr std::size_t compressed_header_size = 63;
inline constexpr std::string_view compression_signature = "Tamrek's compression format";
// Declared sizes above this are refused as out of memory rather than allocated.
inline constexpr std::uint64_t compressed_size_limit = 256u * 1024u * 1024u;

struct CompressedHeader {
    int error = compression_ok; // compression_header_error when not valid
    bool bad_version_text = false;
    bool version_too_high = false;
    bool bad_size_text = false; // the signature and version are good
    long version = 0;
    std::uint64_t uncompressed_size = 0;
};

// Reads the 63 header bytes (fewer bytes: a header error).
CompressedHeader read_compressed_header(std::span<const std::uint8_t> bytes);

// The decoder: one per file. Input may come in pieces; a piece never splits a
// three-byte group except at the end of the stream.
class LZW_TCompressor {
public:
    LZW_TCompressor();

    // Decodes a piece of the code stream, appending to output from position
    // `written` on. Never writes beyond output.size(): output that does not fit
    // is a decoding error. Returns the error code of the piece (0 or 995);
    // messages of the decoder are shown at most once per file.
    int decode_block(std::span<const std::uint8_t> input, std::span<std::uint8_t> output,
                     std::size_t& written);

    static constexpr std::uint16_t none = 65535;

private:
    // The longest string one code can give: root, full stack, repeated character.
    static constexpr std::size_t longest_string = 1002;

    struct Slot {
        std::uint16_t prefix = none;
        std::uint16_t chain = none;
        std::uint16_t length = 1; // of the slot's string, for writing it in place
        std::uint8_t character = 0;
        bool used = false;
    };

    void add_entry(std::uint16_t prefix, std::uint8_t character);
    // The exact walk with its bounds, for strings the fast path cannot take.
    std::size_t expand_carefully(std::uint16_t code, bool repeat,
                                 std::span<std::uint8_t, longest_string> buffer, bool& stack_full);
    void report_once(const char* text, bool& shown);

    std::array<Slot, 4096> dictionary_{};
    int free_slots_ = 4096;
    std::uint16_t pending_ = none;
    bool first_block_ = true;
    std::uint16_t previous_code_ = none;
    std::uint8_t last_first_character_ = 0;
    bool stack_message_shown_ = false;
    bool length_message_shown_ = false;
};

struct CompressedFileRead {
    int error = compression_ok;
    std::vector<std::uint8_t> block; // "CF" + the data; empty when never allocated
};

// Expands a whole file. Messages follow the show-messages rule of the format.
CompressedFileRead read_compressed_file_into_memory(const std::string& file_name,
                                                    bool show_messages);
// The same on a file already in memory (tests, fuzzing).
CompressedFileRead decompress_bytes(std::span<const std::uint8_t> file_bytes, bool show_messages);
// The file exists, opens and has a valid header; never shows a message.
bool is_compressed_file(const std::string& file_name);

} // namespace pemmaro
