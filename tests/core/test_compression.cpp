#include "TamrekCompressor.h"
#include "TestSupport.h"
#include "data/CompressedFormat.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <string>
#include <vector>

using namespace pemmaro;
using namespace pemmaro::test;
using namespace std::string_view_literals;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes bytes(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

std::string_view as_text(const Bytes& data) {
    return {reinterpret_cast<const char*>(data.data()), data.size()};
}

Bytes random_bytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    Bytes data(size);
    for (auto& byte : data)
        byte = static_cast<std::uint8_t>(random());
    return data;
}

// Rows of flat regions with borders and a little noise, as in the disc's maps.
Bytes bitmap_like(std::size_t size) {
    std::mt19937 random(7);
    Bytes data(size);
    for (std::size_t i = 0; i < size; ++i) {
        const std::size_t x = i % 1024, y = i / 1024;
        std::uint8_t colour = static_cast<std::uint8_t>(16 + (x / 200 + y / 150) % 6);
        if (x % 200 == 0 || y % 150 == 0)
            colour = 0;
        if (random() % 500 == 0)
            colour = static_cast<std::uint8_t>(random());
        data[i] = colour;
    }
    return data;
}

Bytes file_of_codes(const std::vector<std::uint16_t>& codes, std::uint64_t size) {
    Bytes file = tamrek_header("1", size);
    const Bytes stream = tamrek_pack_codes(codes);
    file.insert(file.end(), stream.begin(), stream.end());
    return file;
}

// A header from raw field texts, then the codes of the data.
Bytes header_with(std::string_view signature, std::string_view version, std::string_view size,
                  const Bytes& data) {
    Bytes file(compressed_header_size, 0);
    std::copy(signature.begin(), signature.end(), file.begin());
    std::copy(version.begin(), version.end(), file.begin() + 41);
    std::copy(size.begin(), size.end(), file.begin() + 52);
    const Bytes stream = tamrek_pack_codes(tamrek_codes(data));
    file.insert(file.end(), stream.begin(), stream.end());
    return file;
}

Bytes with_block_prefix(const Bytes& data) {
    Bytes block{'C', 'F'};
    block.insert(block.end(), data.begin(), data.end());
    return block;
}

std::vector<std::string> texts(const RecordingResponder& responder) {
    std::vector<std::string> result;
    for (const auto& request : responder.requests)
        result.push_back(request.text);
    return result;
}

void write_bytes(const std::string& path, const Bytes& data) {
    write_file(path, as_text(data));
}

} // namespace

// ---------------------------------------------------------------- round trips

TEST(CompressionRoundTrip, SmallInputsComeBackWithOddAndEvenCodeCounts) {
    ScopedResponder messages;
    bool odd_seen = false, even_seen = false;
    for (std::string_view text :
         {"", "x", "ab", "abc", "aaa", "abababab", "TOBEORNOTTOBEORTOBEORNOT",
          "the quick brown fox jumps over the lazy dog"}) {
        const Bytes data = bytes(text);
        const Bytes file = tamrek_compress(data);
        const std::size_t stream = file.size() - compressed_header_size;
        EXPECT_NE(stream % 3, 1u) << text;
        (tamrek_codes(data).size() % 2 ? odd_seen : even_seen) = !data.empty();

        const CompressedFileRead read = decompress_bytes(file, true);
        EXPECT_EQ(read.error, compression_ok) << text;
        EXPECT_EQ(read.block, with_block_prefix(data)) << text;
    }
    EXPECT_TRUE(odd_seen && even_seen);
    EXPECT_TRUE(messages.responder.requests.empty());
}

TEST(CompressionRoundTrip, CodeNotYetInTheDictionaryIsPreviousStringPlusItsFirstCharacter) {
    // "aaa": the second code names the entry the decoder has still to add.
    const TamrekDictionary dictionary;
    const std::uint16_t a = dictionary.root('a');
    TamrekDictionary after = dictionary;
    const std::uint16_t aa = *after.add(a, 'a');
    ASSERT_EQ(tamrek_codes(bytes("aaa")), (std::vector<std::uint16_t>{a, aa}));
    EXPECT_EQ(decompress_bytes(file_of_codes({a, aa}, 3), false).block, bytes("CFaaa"));

    Bytes runs;
    for (int length = 1; length < 300; ++length)
        runs.insert(runs.end(), static_cast<std::size_t>(length),
                    static_cast<std::uint8_t>(length));
    EXPECT_EQ(decompress_bytes(tamrek_compress(runs), false).block, with_block_prefix(runs));
}

TEST(CompressionRoundTrip, LargeFilesAcrossManyPiecesAndAFullDictionary) {
    TempDir dir;
    ScopedResponder messages;
    // Random data fills the dictionary within a few kilobytes; the text that
    // follows must then be coded with the frozen dictionary alone.
    Bytes mixed = random_bytes(300'000, 1);
    const Bytes text = bytes("Pitta moluccensis, blue-winged pitta; Pitta sordida, hooded pitta. ");
    for (int i = 0; i < 2000; ++i)
        mixed.insert(mixed.end(), text.begin(), text.end());
    ASSERT_GT(tamrek_codes(Bytes(mixed.begin(), mixed.begin() + 300'000)).size(), 4096u);

    // The random megabyte's stream spans some twenty pieces of the reader.
    for (const Bytes& data : {random_bytes(1 << 20, 2), bitmap_like(1 << 20), mixed}) {
        const Bytes file = tamrek_compress(data);
        write_bytes(dir.file("Maps/Area.cmp"), file);
        const CompressedFileRead read =
            read_compressed_file_into_memory(dir.file("maps\\AREA.CMP"), true);
        EXPECT_EQ(read.error, compression_ok);
        EXPECT_TRUE(read.block == with_block_prefix(data));
        EXPECT_TRUE(decompress_bytes(file, true).block == read.block);
    }
    EXPECT_TRUE(messages.responder.requests.empty());
}

TEST(CompressionRoundTrip, DecodingInPiecesGivesTheSameAsInOne) {
    const Bytes data = bitmap_like(50'000);
    const Bytes file = tamrek_compress(data);
    const std::span<const std::uint8_t> stream(file.data() + compressed_header_size,
                                               file.size() - compressed_header_size);
    Bytes output(data.size());
    std::size_t written = 0;
    auto decoder = std::make_unique<LZW_TCompressor>();
    for (std::size_t at = 0; at < stream.size(); at += 6)
        ASSERT_EQ(
            decoder->decode_block(stream.subspan(at, std::min<std::size_t>(6, stream.size() - at)),
                                  output, written),
            compression_ok);
    EXPECT_EQ(written, data.size());
    EXPECT_TRUE(output == data);
}

// ---------------------------------------------------------------- long strings

TEST(CompressionLongStrings, MegabyteRunKeepsFirstAndLast1000CharactersOfLongStringsOncePerFile) {
    // One byte value repeated gives the strings 1, 2, ... 1448 characters long.
    // Each code but the first names the entry the decoder is about to make:
    // the previous string, cut to its first and last 1000 characters, and its
    // first character again.
    const Bytes data(1448 * 1449 / 2, '*');
    std::size_t expected = 1;
    for (std::size_t length = 2; length <= 1448; ++length)
        expected += std::min<std::size_t>(length, 1002);
    const Bytes file = tamrek_compress(data);

    ScopedResponder messages;
    for (int file_number = 0; file_number < 2; ++file_number) {
        const CompressedFileRead read = decompress_bytes(file, false);
        EXPECT_EQ(read.error, compression_decode_error);
        ASSERT_EQ(read.block.size(), data.size() + 2);
        const auto filled = read.block.begin() + 2 + static_cast<std::ptrdiff_t>(expected);
        EXPECT_EQ(std::count(read.block.begin() + 2, filled, '*'), static_cast<long>(expected));
        EXPECT_EQ(std::count(filled, read.block.end(), 0), read.block.end() - filled);
    }
    EXPECT_EQ(texts(messages.responder),
              (std::vector<std::string>{"Compression Stack full", "Compression Stack full"}));
    EXPECT_EQ(messages.responder.requests[0].icon, MessageIcon::error);

    messages.responder.requests.clear();
    decompress_bytes(file, true);
    EXPECT_EQ(
        texts(messages.responder),
        (std::vector<std::string>{"Compression Stack full",
                                  "read_compressed_file_into_memory(): error when decompressing",
                                  "read_compressed_file_into_memory(): error"}));
}

// ---------------------------------------------------------------- stream and sizes

TEST(CompressionStream, LengthOneMoreThanAMultipleOfThreeIsAnErrorButStillDecoded) {
    const Bytes data = bytes("abcdefgh");
    ASSERT_EQ(tamrek_codes(data).size() % 2, 0u);
    Bytes file = tamrek_compress(data);
    file.push_back(0x41);

    ScopedResponder messages;
    const CompressedFileRead quiet = decompress_bytes(file, false);
    EXPECT_EQ(quiet.error, compression_decode_error);
    EXPECT_EQ(quiet.block, with_block_prefix(data));
    ASSERT_EQ(texts(messages.responder), std::vector<std::string>{"Compression: error 1"});
    EXPECT_EQ(messages.responder.requests[0].icon, MessageIcon::error);

    messages.responder.requests.clear();
    decompress_bytes(file, true);
    EXPECT_EQ(
        texts(messages.responder),
        (std::vector<std::string>{"Compression: error 1",
                                  "read_compressed_file_into_memory(): error when decompressing",
                                  "read_compressed_file_into_memory(): error"}));
}

TEST(CompressionStream, DeclaredSizeTooSmallFillsTheBlockAndStops) {
    const Bytes data = random_bytes(1000, 3);
    Bytes file = tamrek_compress(data);
    const Bytes header = tamrek_header("1", 500);
    std::copy(header.begin(), header.end(), file.begin());

    ScopedResponder messages;
    const CompressedFileRead read = decompress_bytes(file, false);
    EXPECT_EQ(read.error, compression_decode_error);
    EXPECT_EQ(read.block, with_block_prefix(Bytes(data.begin(), data.begin() + 500)));
    EXPECT_TRUE(messages.responder.requests.empty());

    // The decoder on its own: bytes past the output area stay untouched.
    Bytes area(600, 0xEE);
    std::size_t written = 0;
    auto decoder = std::make_unique<LZW_TCompressor>();
    EXPECT_EQ(decoder->decode_block(std::span(file).subspan(compressed_header_size),
                                    std::span(area).first(500), written),
              compression_decode_error);
    EXPECT_EQ(written, 500u);
    EXPECT_EQ(std::count(area.begin() + 500, area.end(), 0xEE), 100);
}

TEST(CompressionStream, DeclaredSizeTooLargeWarnsWithoutAnError) {
    const Bytes data = bytes("short text");
    for (std::size_t missing : {1, 10}) {
        Bytes file = tamrek_compress(data);
        const Bytes header = tamrek_header("1", data.size() + missing);
        std::copy(header.begin(), header.end(), file.begin());

        ScopedResponder messages;
        const CompressedFileRead read = decompress_bytes(file, false);
        EXPECT_EQ(read.error, compression_ok);
        Bytes expected = with_block_prefix(data);
        expected.resize(expected.size() + missing, 0);
        EXPECT_EQ(read.block, expected);
        ASSERT_EQ(texts(messages.responder),
                  std::vector<std::string>{
                      "read_compressed_file_into_memory(): less bytes than expected!"});
        EXPECT_EQ(messages.responder.requests[0].icon, MessageIcon::error);
    }
}

TEST(CompressionStream, SizesBeyondTheLimitAreMemoryErrors) {
    for (std::uint64_t size : {compressed_size_limit + 1, std::uint64_t{99'999'999'999}}) {
        ScopedResponder messages;
        Bytes file = tamrek_header("1", size);
        const CompressedFileRead quiet = decompress_bytes(file, false);
        EXPECT_EQ(quiet.error, compression_memory_error);
        EXPECT_TRUE(quiet.block.empty());
        decompress_bytes(file, true);
        EXPECT_EQ(
            texts(messages.responder),
            (std::vector<std::string>{"read_compressed_file_into_memory(): Memory Allocation Error",
                                      "read_compressed_file_into_memory(): Memory Allocation Error",
                                      "read_compressed_file_into_memory(): error"}));
        EXPECT_EQ(messages.responder.requests[0].icon, MessageIcon::error);
    }
}

// ---------------------------------------------------------------- header and file

TEST(CompressionHeader, VersionAndSignatureChecks) {
    struct Case {
        std::string signature, version, size;
        int error;
        std::vector<std::string> shown; // with messages on
    };
    const std::string good(compression_signature);
    const std::string strange = "strange error in compressed file!";
    const std::vector<Case> cases = {
        {good, "1 0 0", "3", compression_ok, {}},
        {good + " 2.0", " 7", "3", compression_ok, {}},
        {good, "00000000100", "3", compression_ok, {}}, // no zero inside the field
        {good,
         "101",
         "3",
         compression_header_error,
         {"version of compressed file can not be used!"}},
        {good, "1x", "3", compression_header_error, {strange}},
        {good, "", "3", compression_header_error, {strange}},
        {good, "1", "3 ", compression_header_error, {strange}},
        {good, "1", "-3", compression_header_error, {strange}},
        {"tamrek's compression format", "1", "3", compression_header_error, {}},
        {"Tamrek's compression", "1", "3", compression_header_error, {}},
    };
    for (const Case& c : cases) {
        const Bytes file = header_with(c.signature, c.version, c.size, bytes("abc"));
        ScopedResponder messages;
        const CompressedFileRead quiet = decompress_bytes(file, false);
        EXPECT_EQ(quiet.error, c.error) << c.version;
        EXPECT_TRUE(messages.responder.requests.empty()) << c.version;
        EXPECT_EQ(decompress_bytes(file, true).block, c.error ? Bytes{} : bytes("CFabc"))
            << c.version;
        EXPECT_EQ(texts(messages.responder), c.shown) << c.version;
    }

    ScopedResponder messages;
    Bytes short_file = tamrek_header("1", 0);
    short_file.pop_back();
    EXPECT_EQ(decompress_bytes(short_file, true).error, compression_header_error);
    EXPECT_TRUE(messages.responder.requests.empty());
    const CompressedHeader header = read_compressed_header(tamrek_header(" 4 2", 12345));
    EXPECT_EQ(header.version, 42);
    EXPECT_EQ(header.uncompressed_size, 12345u);
}

TEST(CompressionHeader, FilesOpenReadAndAreRecognised) {
    TempDir dir;
    ScopedResponder messages;
    const std::string good(compression_signature);
    write_bytes(dir.file("Good.cmp"), tamrek_compress(bytes("data")));
    write_bytes(dir.file("bad-size.cmp"), header_with(good, "1", "x", bytes("data")));
    write_bytes(dir.file("too-new.cmp"), header_with(good, "101", "4", bytes("data")));
    write_bytes(dir.file("bad-version.cmp"), header_with(good, "v1", "4", bytes("data")));
    write_bytes(dir.file("plain.bmp"), random_bytes(100, 4));

    EXPECT_TRUE(is_compressed_file(dir.file("GOOD.CMP")));
    EXPECT_TRUE(is_compressed_file(dir.file("bad-size.cmp")));
    EXPECT_FALSE(is_compressed_file(dir.file("too-new.cmp")));
    EXPECT_FALSE(is_compressed_file(dir.file("bad-version.cmp")));
    EXPECT_FALSE(is_compressed_file(dir.file("plain.bmp")));
    EXPECT_FALSE(is_compressed_file(dir.file("missing.cmp")));
    EXPECT_FALSE(is_compressed_file(dir.path()));
    EXPECT_TRUE(messages.responder.requests.empty());

    const std::string missing = dir.file("missing.cmp");
    EXPECT_EQ(read_compressed_file_into_memory(missing, false).error, compression_open_error);
    EXPECT_TRUE(messages.responder.requests.empty());
    EXPECT_EQ(read_compressed_file_into_memory(missing, true).error, compression_open_error);
    EXPECT_EQ(texts(messages.responder),
              (std::vector<std::string>{"open_in_and_out_files(): error opening file \"" + missing +
                                            "\" for input.",
                                        "read_compressed_file_into_memory(): file open error"}));
    EXPECT_EQ(messages.responder.requests[0].icon, MessageIcon::none);

    messages.responder.requests.clear();
    EXPECT_EQ(read_compressed_file_into_memory(dir.path(), false).error, compression_read_error);
    EXPECT_EQ(texts(messages.responder),
              std::vector<std::string>{"read_bytes_from_file(): read error"});
}

// ---------------------------------------------------------------- hostile streams

TEST(CompressionHostile, FreeSlotsReadAsZeroCharacters) {
    TamrekDictionary dictionary;
    std::uint16_t free_slot = 0;
    while (dictionary.used(free_slot))
        ++free_slot;
    const std::uint16_t a = dictionary.root('a'), b = dictionary.root('b');

    // A first code naming a free slot gives its character 0.
    EXPECT_EQ(decompress_bytes(file_of_codes({free_slot, a}, 2), false).block, bytes("CF\0a"sv));

    // A free code repeats the previous string; the entry made next has the
    // still free slot as its prefix, which ends the string's walk.
    TamrekDictionary after = dictionary;
    after.add(a, 'a');
    ASSERT_FALSE(after.used(free_slot));
    const std::uint16_t on_free = *after.add(free_slot, 'b');
    ASSERT_NE(on_free, free_slot);
    EXPECT_EQ(decompress_bytes(file_of_codes({a, free_slot, b, on_free}, 6), false).block,
              bytes("CFaaab\0b"sv));

    // A repeat adds the first character the decoder had when it read the code,
    // even when the string repeated (a free slot) starts with another.
    EXPECT_EQ(decompress_bytes(file_of_codes({a, free_slot, free_slot}, 5), false).block,
              bytes("CFaaa\0a"sv));
}

TEST(CompressionHostile, PrefixCycleEndsWithTheStackMessage) {
    // Find a free slot u and character c such that the entry (u, c) is placed
    // in u itself: codes root(c), u, root(c) make it, the next u walks it.
    std::optional<std::vector<std::uint16_t>> codes;
    for (int c = 0; c < 256 && !codes; ++c) {
        const auto character = static_cast<std::uint8_t>(c);
        for (std::uint16_t u = 0; u < 4096 && !codes; ++u) {
            TamrekDictionary dictionary;
            if (dictionary.used(u) || TamrekDictionary::hash(u, character) != u)
                continue;
            const std::uint16_t root = dictionary.root(character);
            dictionary.add(root, character);
            if (!dictionary.used(u) && dictionary.add(u, character) == u)
                codes = std::vector<std::uint16_t>{root, u, root, u};
        }
    }
    ASSERT_TRUE(codes);

    ScopedResponder messages;
    const CompressedFileRead read = decompress_bytes(file_of_codes(*codes, 5000), false);
    EXPECT_EQ(read.error, compression_decode_error);
    EXPECT_EQ(texts(messages.responder), std::vector<std::string>{"Compression Stack full"});
}

TEST(CompressionHostile, RandomStreamsStayInsideTheOutputArea) {
    std::mt19937 random(11);
    ScopedResponder messages;
    for (int round = 0; round < 300; ++round) {
        Bytes stream = random_bytes(random() % 4000, static_cast<unsigned>(round));
        // Codes of a few slots only make repeats, cycles and long strings likely.
        if (round % 2)
            for (auto& byte : stream)
                byte &= 0x83;
        const std::size_t size = random() % 20000;
        Bytes area(size + 64, 0xEE);
        std::size_t written = 0;
        auto decoder = std::make_unique<LZW_TCompressor>();
        for (std::size_t at = 0; at < stream.size(); at += 600)
            decoder->decode_block(
                std::span(stream).subspan(at, std::min<std::size_t>(600, stream.size() - at)),
                std::span(area).first(size), written);
        ASSERT_LE(written, size);
        ASSERT_EQ(std::count(area.begin() + static_cast<std::ptrdiff_t>(size), area.end(), 0xEE),
                  64);
    }
}
