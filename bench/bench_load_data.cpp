// Loading the large generated data disc, as start-up does.

#include "common/ProductUnit.h"
#include "common/SettingsFileUnit.h"
#include "data/DataLoadersUnit.h"
#include "platform/Log.h"

#include <QDir>
#include <benchmark/benchmark.h>
#include <fstream>
#include <sys/resource.h>
#include <unistd.h>

using namespace pemmaro;

namespace {

long resident_kib() {
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

long peak_resident_kib() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void BM_LoadLargeDataSet(benchmark::State& state) {
    set_log_silenced(true);
    QDir::setCurrent(PEMMARO_LARGE_DISC);
    settings_file().path = std::string(PEMMARO_LARGE_DISC) + "/Pemmaro.ini";
    settings_file().on_cd_rom = false;
    const std::vector<std::string> kz_globs(7);
    const ProductSettings solvara = product_settings_for(1061, kz_globs);
    product() = solvara;
    long data_kib = 0;
    int species = 0;
    for (auto _ : state) {
        const long before = resident_kib();
        std::unique_ptr<Tdata> data = load_data(solvara);
        data_kib = resident_kib() - before;
        species = data->species_count();
        benchmark::DoNotOptimize(data.get());
        state.PauseTiming();
        data.reset();
        state.ResumeTiming();
    }
    state.counters["species"] = species;
    state.counters["data_MiB"] = static_cast<double>(data_kib) / 1024.0;
    state.counters["peak_process_MiB"] = static_cast<double>(peak_resident_kib()) / 1024.0;
}

} // namespace

BENCHMARK(BM_LoadLargeDataSet)->Unit(benchmark::kMillisecond);
