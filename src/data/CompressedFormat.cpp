#include "data/CompressedFormat.h"

#include "platform/FileIO.h"
#include "platform/Messages.h"
#include "platform/Paths.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <memory>
#include <new>
#include <optional>

namespace pemmaro {

namespace {

constexpr std::size_t dictionary_size = 4096;
constexpr std::size_t stack_limit = 1000;
// No string of a consistent dictionary is longer than the dictionary, so a
// longer walk can only be a prefix cycle made by a hostile file.
constexpr std::size_t walk_limit = dictionary_size;
// The longest string written without dropping characters: root + full stack.
constexpr std::size_t longest_whole_string = stack_limit + 1;
// Stored length of strings whose walk may have grown since they were added.
constexpr std::uint16_t unknown_length = 0xFFFF;
// A multiple of 6, so no piece but the last splits a pair of codes.
constexpr std::size_t piece_size = 65532;

constexpr std::size_t signature_field = 41;
constexpr std::size_t number_field = 11;

std::uint32_t hash_slot(std::uint32_t prefix, std::uint32_t character) {
    const std::uint32_t value = (prefix + character) | 2048u;
    return ((value * value) >> 6) & 4095u;
}

// The text of a zero-terminated field; all of it when there is no zero.
std::string_view field_text(std::span<const std::uint8_t> field) {
    const auto* begin = reinterpret_cast<const char*>(field.data());
    const auto* end = static_cast<const char*>(std::memchr(begin, 0, field.size()));
    return {begin, end ? static_cast<std::size_t>(end - begin) : field.size()};
}

// Blanks anywhere are ignored; a sign is allowed as in any decimal number.
std::optional<long> parse_version(std::string_view text) {
    std::string kept;
    for (char c : text)
        if (c != ' ')
            kept += c;
    std::string_view number = kept;
    if (number.starts_with('+'))
        number.remove_prefix(1);
    if (number.empty() || number.front() == '+' || (kept.starts_with('+') && number.front() == '-'))
        return std::nullopt;
    long value = 0;
    auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size())
        return std::nullopt;
    return value;
}

std::optional<std::uint64_t> parse_size(std::string_view text) {
    if (text.empty())
        return std::nullopt;
    std::uint64_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// Where the stream comes from: a file or bytes in memory. read() fills the
// buffer as far as the source allows and returns 0 or the system's error code.
class FileSource {
public:
    explicit FileSource(PosixFile& file)
        : file_(file) {}
    int read(std::uint8_t* buffer, std::size_t size, std::size_t& count) {
        count = 0;
        while (count < size) {
            std::size_t got = 0;
            const int error =
                file_.read(reinterpret_cast<char*>(buffer) + count, size - count, got);
            if (error != 0)
                return error;
            if (got == 0)
                break;
            count += got;
        }
        return 0;
    }

private:
    PosixFile& file_;
};

class MemorySource {
public:
    explicit MemorySource(std::span<const std::uint8_t> bytes)
        : bytes_(bytes) {}
    int read(std::uint8_t* buffer, std::size_t size, std::size_t& count) {
        count = std::min(size, bytes_.size() - position_);
        std::memcpy(buffer, bytes_.data() + position_, count);
        position_ += count;
        return 0;
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

void show_if(bool show, const MessageText& text, MessageIcon icon = MessageIcon::error) {
    if (show)
        message(text, icon);
}

template <typename Source>
void read_stream(Source& source, bool show_messages, CompressedFileRead& result) {
    std::array<std::uint8_t, compressed_header_size> header_bytes{};
    std::size_t count = 0;
    if (source.read(header_bytes.data(), header_bytes.size(), count) != 0) {
        message("read_bytes_from_file(): read error", MessageIcon::error);
        result.error = compression_read_error;
        show_if(show_messages, "read_compressed_file_into_memory(): error");
        return;
    }
    const CompressedHeader header =
        read_compressed_header(std::span<const std::uint8_t>(header_bytes.data(), count));
    if (header.error != compression_ok) {
        result.error = header.error;
        if (header.version_too_high)
            show_if(show_messages, "version of compressed file can not be used!",
                    MessageIcon::none);
        else if (header.bad_version_text || header.bad_size_text)
            show_if(show_messages, "strange error in compressed file!", MessageIcon::none);
        return;
    }

    try {
        if (header.uncompressed_size > compressed_size_limit)
            throw std::bad_alloc();
        result.block.assign(static_cast<std::size_t>(header.uncompressed_size) + 2, 0);
    } catch (const std::bad_alloc&) {
        result.block = {};
        result.error = compression_memory_error;
        message("read_compressed_file_into_memory(): Memory Allocation Error", MessageIcon::error);
        show_if(show_messages, "read_compressed_file_into_memory(): error");
        return;
    }
    result.block[0] = 'C';
    result.block[1] = 'F';
    std::size_t written = 2;

    auto decoder = std::make_unique<LZW_TCompressor>();
    std::vector<std::uint8_t> piece(piece_size);
    for (;;) {
        if (source.read(piece.data(), piece.size(), count) != 0) {
            message("read_bytes_from_file(): read error", MessageIcon::error);
            result.error = compression_read_error;
            break;
        }
        if (count == 0)
            break;
        const int error =
            decoder->decode_block(std::span(piece.data(), count), result.block, written);
        if (error != compression_ok) {
            result.error = error;
            break;
        }
        if (count < piece.size())
            break;
    }

    if (result.error != compression_ok)
        show_if(show_messages, "read_compressed_file_into_memory(): error when decompressing");
    else if (written < result.block.size())
        message("read_compressed_file_into_memory(): less bytes than expected!",
                MessageIcon::error);
    if (result.error != compression_ok)
        show_if(show_messages, "read_compressed_file_into_memory(): error");
}

// Nothing may leave the decoder; an exception can only be a failed allocation.
template <typename Source> CompressedFileRead read_guarded(Source& source, bool show_messages) {
    CompressedFileRead result;
    try {
        read_stream(source, show_messages, result);
    } catch (...) {
        result.error = compression_memory_error;
    }
    return result;
}

} // namespace

CompressedHeader read_compressed_header(std::span<const std::uint8_t> bytes) {
    CompressedHeader header;
    header.error = compression_header_error;
    if (bytes.size() < compressed_header_size)
        return header;
    if (!field_text(bytes.subspan(0, signature_field)).starts_with(compression_signature))
        return header;
    const std::optional<long> version =
        parse_version(field_text(bytes.subspan(signature_field, number_field)));
    if (!version) {
        header.bad_version_text = true;
        return header;
    }
    header.version = *version;
    if (*version > 100) {
        header.version_too_high = true;
        return header;
    }
    const std::optional<std::uint64_t> size =
        parse_size(field_text(bytes.subspan(signature_field + number_field, number_field)));
    if (!size) {
        header.bad_size_text = true;
        return header;
    }
    header.uncompressed_size = *size;
    header.error = compression_ok;
    return header;
}

LZW_TCompressor::LZW_TCompressor() {
    for (int c = 0; c < 256; ++c)
        add_entry(none, static_cast<std::uint8_t>(c));
}

void LZW_TCompressor::add_entry(std::uint16_t prefix, std::uint8_t character) {
    std::uint32_t slot = hash_slot(prefix, character);
    if (dictionary_[slot].used) {
        std::uint32_t last = slot;
        for (std::size_t steps = 0; dictionary_[last].chain != none && steps < dictionary_size;
             ++steps)
            last = dictionary_[last].chain & 4095u;
        std::uint32_t free_slot = (last + 101) & 4095u;
        while (dictionary_[free_slot].used)
            free_slot = (free_slot + 1) & 4095u;
        dictionary_[last].chain = static_cast<std::uint16_t>(free_slot);
        slot = free_slot;
    }
    // A prefix that is still free may be filled later, which lengthens this
    // string behind its back: such strings always take the careful path. The
    // prefix is judged before the slot is filled, as it may be the slot itself.
    std::uint16_t length = 1;
    if (prefix != none) {
        const Slot& before = dictionary_[prefix & 4095u];
        length = before.used && before.length != unknown_length
                     ? static_cast<std::uint16_t>(before.length + 1)
                     : unknown_length;
    }
    Slot& entry = dictionary_[slot];
    entry.used = true;
    entry.prefix = prefix;
    entry.character = character;
    entry.length = length;
    --free_slots_;
}

void LZW_TCompressor::report_once(const char* text, bool& shown) {
    if (shown)
        return;
    shown = true;
    message(text, MessageIcon::error);
}

std::size_t LZW_TCompressor::expand_carefully(std::uint16_t code, bool repeat,
                                              std::span<std::uint8_t, longest_string> buffer,
                                              bool& stack_full) {
    std::array<std::uint8_t, stack_limit> stack;
    std::size_t depth = 0;
    std::uint32_t slot = code;
    for (std::size_t steps = 0; dictionary_[slot].prefix != none && steps < walk_limit; ++steps) {
        if (depth < stack_limit)
            stack[depth++] = dictionary_[slot].character;
        else
            stack_full = true;
        slot = dictionary_[slot].prefix & 4095u;
    }
    std::size_t length = 0;
    buffer[length++] = dictionary_[slot].character;
    while (depth > 0)
        buffer[length++] = stack[--depth];
    if (repeat)
        buffer[length++] = last_first_character_;
    return length;
}

int LZW_TCompressor::decode_block(std::span<const std::uint8_t> input,
                                  std::span<std::uint8_t> output, std::size_t& written) {
    int error = compression_ok;
    if (input.size() % 3 == 1) {
        report_once("Compression: error 1", length_message_shown_);
        error = compression_decode_error;
    }
    written = std::min(written, output.size());

    const std::uint8_t* in = input.data();
    const std::size_t in_size = input.size();
    std::size_t position = 0;
    std::uint8_t* out = output.data();
    const std::size_t out_size = output.size();

    // False when the code would need a byte beyond the input.
    auto read_code = [&](std::uint32_t& code) {
        if (pending_ != none) {
            if (position >= in_size)
                return false;
            code = (std::uint32_t{pending_} << 8) | in[position++];
            pending_ = none;
            return true;
        }
        if (in_size - position < 2)
            return false;
        code = (std::uint32_t{in[position]} << 4) | (in[position + 1] >> 4);
        pending_ = in[position + 1] & 15u;
        position += 2;
        return true;
    };

    if (first_block_) {
        std::uint32_t code = 0;
        if (!read_code(code))
            return error;
        first_block_ = false;
        if (written >= out_size)
            return compression_decode_error;
        const std::uint8_t character = dictionary_[code].character;
        out[written++] = character;
        previous_code_ = static_cast<std::uint16_t>(code);
        last_first_character_ = character;
    }

    while (position < in_size) {
        std::uint32_t code = 0;
        if (!read_code(code))
            break;
        const bool repeat = !dictionary_[code].used;
        const std::uint32_t source = repeat ? previous_code_ : code;
        const std::uint32_t length = dictionary_[source].length;
        const std::size_t space = out_size - written;
        std::uint8_t first;
        if (length <= longest_whole_string && length + repeat <= space) {
            // Written backwards in place, as the prefix links give the string
            // from its end.
            std::uint8_t* target = out + written;
            std::uint32_t slot = source;
            for (std::uint32_t i = length - 1; i > 0; --i) {
                const Slot& entry = dictionary_[slot];
                target[i] = entry.character;
                slot = entry.prefix & 4095u;
            }
            first = dictionary_[slot].character;
            target[0] = first;
            if (repeat)
                target[length] = last_first_character_;
            written += length + repeat;
        } else {
            std::array<std::uint8_t, longest_string> buffer;
            bool stack_full = false;
            const std::size_t count =
                expand_carefully(static_cast<std::uint16_t>(source), repeat, buffer, stack_full);
            if (stack_full) {
                report_once("Compression Stack full", stack_message_shown_);
                error = compression_decode_error;
            }
            const std::size_t fitting = std::min(count, space);
            std::memcpy(out + written, buffer.data(), fitting);
            written += fitting;
            if (fitting < count)
                return compression_decode_error;
            first = buffer[0];
        }
        last_first_character_ = first;
        if (free_slots_ > 0)
            add_entry(previous_code_, first);
        previous_code_ = static_cast<std::uint16_t>(code);
    }
    return error;
}

CompressedFileRead read_compressed_file_into_memory(const std::string& file_name,
                                                    bool show_messages) {
    PosixFile file;
    const std::optional<std::string> path = resolve_existing_path(file_name);
    if (!path || file.open(*path, PosixFile::Mode::read) != 0) {
        CompressedFileRead result;
        result.error = compression_open_error;
        show_if(show_messages,
                "open_in_and_out_files(): error opening file \"" + system_text(file_name) +
                    "\" for input.",
                MessageIcon::none);
        show_if(show_messages, "read_compressed_file_into_memory(): file open error",
                MessageIcon::none);
        return result;
    }
    FileSource source(file);
    return read_guarded(source, show_messages);
}

CompressedFileRead decompress_bytes(std::span<const std::uint8_t> file_bytes, bool show_messages) {
    MemorySource source(file_bytes);
    return read_guarded(source, show_messages);
}

bool is_compressed_file(const std::string& file_name) {
    const std::optional<std::string> path = resolve_existing_path(file_name);
    PosixFile file;
    if (!path || file.open(*path, PosixFile::Mode::read) != 0)
        return false;
    std::array<std::uint8_t, compressed_header_size> bytes{};
    std::size_t count = 0;
    FileSource source(file);
    if (source.read(bytes.data(), bytes.size(), count) != 0)
        return false;
    const CompressedHeader header =
        read_compressed_header(std::span<const std::uint8_t>(bytes.data(), count));
    return header.error == compression_ok || header.bad_size_text;
}

} // namespace pemmaro
