#include "TamrekCompressor.h"
#include "data/CompressedFormat.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>
#include <zlib.h>

namespace {

void put_le(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A 2048 x 2048 palette bitmap (4 MB) that looks like a distribution map:
// flat regions of a few colours, one-pixel borders between them, a grid, a
// few scattered marks and some scanner noise.
std::vector<std::uint8_t> map_bitmap() {
    constexpr int size = 2048;
    std::vector<std::uint8_t> file;
    put_le(file, 0x4D42, 2);
    put_le(file, 14 + 40 + 1024 + size * size, 4);
    put_le(file, 0, 4);
    put_le(file, 14 + 40 + 1024, 4);
    put_le(file, 40, 4);
    put_le(file, size, 4);
    put_le(file, size, 4);
    put_le(file, 1, 2);
    put_le(file, 8, 2);
    for (int i = 0; i < 6; ++i)
        put_le(file, i == 4 ? 256 : 0, 4);
    for (int i = 0; i < 256; ++i)
        put_le(file, static_cast<std::uint32_t>(i * 0x010101), 4);

    std::mt19937 random(20240611);
    struct Seed {
        int x, y;
        std::uint8_t colour;
    };
    std::vector<Seed> seeds;
    for (int i = 0; i < 40; ++i)
        seeds.push_back({static_cast<int>(random() % size), static_cast<int>(random() % size),
                         static_cast<std::uint8_t>(16 + random() % 8)});
    std::vector<std::uint8_t> region(static_cast<std::size_t>(size) * size);
    std::vector<int> owner(static_cast<std::size_t>(size) * size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            // A slow wobble keeps the borders from being straight lines.
            const int wx = x + (y / 37 % 7) * 3;
            int best = 0;
            long best_distance = -1;
            for (int i = 0; i < static_cast<int>(seeds.size()); ++i) {
                const long dx = wx - seeds[i].x, dy = y - seeds[i].y;
                const long distance = dx * dx + dy * dy;
                if (best_distance < 0 || distance < best_distance) {
                    best_distance = distance;
                    best = i;
                }
            }
            owner[static_cast<std::size_t>(y) * size + x] = best;
        }
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const std::size_t at = static_cast<std::size_t>(y) * size + x;
            std::uint8_t colour = seeds[static_cast<std::size_t>(owner[at])].colour;
            if ((x + 1 < size && owner[at + 1] != owner[at]) ||
                (y + 1 < size && owner[at + size] != owner[at]))
                colour = 0;
            else if (x % 256 == 0 || y % 256 == 0)
                colour = 8;
            else if (random() % 1000 < 4)
                colour = static_cast<std::uint8_t>(random() % 256);
            region[at] = colour;
        }
    for (int mark = 0; mark < 300; ++mark) {
        const int cx = static_cast<int>(random() % (size - 8));
        const int cy = static_cast<int>(random() % (size - 8));
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 6; ++x)
                region[static_cast<std::size_t>(cy + y) * size + cx + x] = 200;
    }
    file.insert(file.end(), region.begin(), region.end());
    return file;
}

std::vector<std::uint8_t> gzip(const std::vector<std::uint8_t>& data) {
    z_stream stream{};
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 16 + MAX_WBITS, 8,
                     Z_DEFAULT_STRATEGY) != Z_OK)
        std::abort();
    std::vector<std::uint8_t> out(deflateBound(&stream, data.size()));
    stream.next_in = const_cast<Bytef*>(data.data());
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    if (deflate(&stream, Z_FINISH) != Z_STREAM_END)
        std::abort();
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

// Into a fresh zeroed block, as the decoder of the format must do too.
std::vector<std::uint8_t> gunzip(const std::vector<std::uint8_t>& data, std::size_t size) {
    std::vector<std::uint8_t> out(size);
    z_stream stream{};
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK)
        std::abort();
    stream.next_in = const_cast<Bytef*>(data.data());
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = inflate(&stream, Z_FINISH);
    inflateEnd(&stream);
    if (result != Z_STREAM_END)
        out.clear();
    return out;
}

struct Files {
    std::vector<std::uint8_t> bitmap = map_bitmap();
    std::vector<std::uint8_t> ours = pemmaro::tamrek_compress(bitmap);
    std::vector<std::uint8_t> gzipped = gzip(bitmap);

    Files() {
        const pemmaro::CompressedFileRead read = pemmaro::decompress_bytes(ours, false);
        if (read.error != 0 || read.block.size() != bitmap.size() + 2 ||
            std::memcmp(read.block.data() + 2, bitmap.data(), bitmap.size()) != 0 ||
            gunzip(gzipped, bitmap.size()) != bitmap) {
            std::fprintf(stderr, "bench_compression: a decoder does not give the bitmap back\n");
            std::abort();
        }
    }
};

const Files& files() {
    static const Files instance;
    return instance;
}

void BM_CompressedBitmapDecode(benchmark::State& state) {
    const Files& f = files();
    for (auto _ : state) {
        pemmaro::CompressedFileRead read = pemmaro::decompress_bytes(f.ours, false);
        benchmark::DoNotOptimize(read.block.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(f.bitmap.size()));
    state.counters["compressed_bytes"] = static_cast<double>(f.ours.size());
}
BENCHMARK(BM_CompressedBitmapDecode)->Unit(benchmark::kMillisecond);

void BM_CompressedBitmapGzipDecode(benchmark::State& state) {
    const Files& f = files();
    for (auto _ : state) {
        std::vector<std::uint8_t> out = gunzip(f.gzipped, f.bitmap.size());
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(f.bitmap.size()));
    state.counters["compressed_bytes"] = static_cast<double>(f.gzipped.size());
}
BENCHMARK(BM_CompressedBitmapGzipDecode)->Unit(benchmark::kMillisecond);

// Both decoders in turn in one run, so their speeds are compared under the
// same conditions.
void BM_CompressedBitmapOursVsGzip(benchmark::State& state) {
    using clock = std::chrono::steady_clock;
    const Files& f = files();
    clock::duration ours{}, theirs{};
    for (auto _ : state) {
        const auto start = clock::now();
        pemmaro::CompressedFileRead read = pemmaro::decompress_bytes(f.ours, false);
        benchmark::DoNotOptimize(read.block.data());
        const auto middle = clock::now();
        std::vector<std::uint8_t> out = gunzip(f.gzipped, f.bitmap.size());
        benchmark::DoNotOptimize(out.data());
        const auto end = clock::now();
        ours += middle - start;
        theirs += end - middle;
    }
    const double megabytes =
        static_cast<double>(state.iterations()) * static_cast<double>(f.bitmap.size()) / 1e6;
    const double ours_speed = megabytes / std::chrono::duration<double>(ours).count();
    const double gzip_speed = megabytes / std::chrono::duration<double>(theirs).count();
    state.counters["ours_MB_per_s"] = ours_speed;
    state.counters["gzip_MB_per_s"] = gzip_speed;
    state.counters["ours_over_gzip"] = ours_speed / gzip_speed;
}
BENCHMARK(BM_CompressedBitmapOursVsGzip)->Unit(benchmark::kMillisecond);

} // namespace
