// Loading the large generated data disc, as start-up does.

#include "LargeDisc.h"
#include "common/CoreContext.h"
#include "common/Product.h"
#include "common/SettingsFile.h"
#include "data/DataLoading.h"
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
    std::size_t data_bytes = 0;
    int species = 0;
    for (auto _ : state) {
        const std::size_t before = heap_in_use();
        std::unique_ptr<Tdata> data = load_data(program_context());
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

// 150,000 pictures of one species and 500 species with 200 items each on one
// cut part: loading must not walk a chain per append (target: under 1 s).
void BM_LoadLongestChains(benchmark::State& state) {
    bench::prepare_large_disc(); // language texts and product
    QDir::setCurrent(PEMMARO_HOSTILE_DISC);
    settings_file().path = std::string(PEMMARO_HOSTILE_DISC) + "/Pemmaro.ini";
    int pictures = 0;
    int items = 0;
    for (auto _ : state) {
        std::unique_ptr<Tdata> data = load_data(program_context());
        state.PauseTiming();
        pictures = 0;
        for (const Tbig_picture* picture = data->species_by_id(1)->first_big_picture; picture;
             picture = picture->next_picture)
            ++pictures;
        const Tcutpart& recording = *data->cut_parts.find("1A001");
        items = 0;
        for (const Tcupaitem* item = recording.first_recording_item[1]; item;
             item = item->next_item_of_cut_part[1])
            ++items;
        data.reset();
        state.ResumeTiming();
    }
    state.counters["pictures_of_one_species"] = pictures;
    state.counters["items_on_one_cut_part"] = items;
}

} // namespace

BENCHMARK(BM_LoadLargeDataSet)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadLongestChains)->Unit(benchmark::kMillisecond);
