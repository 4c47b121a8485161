// Loading the large generated data disc, as start-up does.

#include "LargeDisc.h"
#include "common/ProductUnit.h"
#include "common/SettingsFileUnit.h"
#include "data/DataLoadersUnit.h"
#include "platform/Log.h"

#include <QDir>
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>

using namespace pemmaro;

namespace {

// Heap bytes in use: what the loaded data set holds, unlike resident pages,
// which freed memory of an earlier iteration would hide.
std::size_t heap_in_use() {
    return mallinfo2().uordblks;
}

long peak_resident_kib() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void BM_LoadLargeDataSet(benchmark::State& state) {
    bench::prepare_large_disc();
    const ProductSettings solvara = product();
    std::size_t data_bytes = 0;
    int species = 0;
    for (auto _ : state) {
        const std::size_t before = heap_in_use();
        std::unique_ptr<Tdata> data = load_data(solvara);
        data_bytes = heap_in_use() - before;
        species = data->species_count();
        benchmark::DoNotOptimize(data.get());
        state.PauseTiming();
        data.reset();
        state.ResumeTiming();
    }
    state.counters["species"] = species;
    state.counters["data_heap_MiB"] = static_cast<double>(data_bytes) / (1024.0 * 1024.0);
    state.counters["peak_process_MiB"] = static_cast<double>(peak_resident_kib()) / 1024.0;
}

} // namespace

BENCHMARK(BM_LoadLargeDataSet)->Unit(benchmark::kMillisecond);
