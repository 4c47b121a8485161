// Any bytes as a compressed file: the decoder must neither crash nor hang.

#include "data/CompressedFormat.h"
#include "platform/Log.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Hostile files show the decoder's messages; they must not flood the log.
    static const bool silenced = [] {
        pemmaro::set_log_silenced(true);
        return true;
    }();
    static_cast<void>(silenced);

    const std::span<const std::uint8_t> bytes(data, size);
    // Large declared sizes only cost time zeroing the block; the refused ones
    // above the limit are cheap and stay in.
    const pemmaro::CompressedHeader header = pemmaro::read_compressed_header(bytes);
    if (header.error == pemmaro::compression_ok && header.uncompressed_size > (1u << 22) &&
        header.uncompressed_size <= pemmaro::compressed_size_limit)
        return 0;
    pemmaro::decompress_bytes(bytes, false);
    return 0;
}
