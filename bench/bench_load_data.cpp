// Loading the large generated data disc, as start-up does.

#include "LargeDisc.h"
#include "common/CoreContext.h"
#include "common/Product.h"
#include "common/SettingsFile.h"
#include "data/DataLoading.h"
#include "platform/Log.h"

#include <QDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <malloc.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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
// cut part, megabyte lines and a line of 50,000 continuation lines: loading
// must not walk a chain per append nor copy a line per continuation (target:
// under 1 s, 200 MB).
void BM_LoadLongestChains(benchmark::State& state) {
    bench::prepare_large_disc(); // language texts and product
    QDir::setCurrent(PEMMARO_HOSTILE_DISC);
    settings_file().path = std::string(PEMMARO_HOSTILE_DISC) + "/Pemmaro.ini";
    int pictures = 0;
    int items = 0;
    std::size_t data_bytes = 0;
    for (auto _ : state) {
        const std::size_t before = heap_in_use();
        std::unique_ptr<Tdata> data = load_data(program_context());
        state.PauseTiming();
        data_bytes = heap_in_use() - before;
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
    state.counters["data_heap_MiB"] = static_cast<double>(data_bytes) / (1024.0 * 1024.0);
}

// The program's own start-up check of the hostile disc, a process of its own
// so that its peak memory is its own alone.
pid_t start_check_of_hostile_disc() {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::string program = PEMMARO_PROGRAM;
    std::string option = "--check";
    std::string disc = PEMMARO_HOSTILE_DISC;
    char* arguments[] = {program.data(), option.data(), disc.data(), nullptr};
    pid_t child = -1;
    if (posix_spawn(&child, program.c_str(), &actions, nullptr, arguments, environ) != 0)
        child = -1;
    posix_spawn_file_actions_destroy(&actions);
    return child;
}

void BM_CheckHostileDisc(benchmark::State& state) {
    long peak_kib = 0;
    for (auto _ : state) {
        const pid_t child = start_check_of_hostile_disc();
        int status = 0;
        rusage usage{};
        if (child < 0 || ::wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
            WEXITSTATUS(status) != 0) {
            state.SkipWithError("the check of the hostile disc failed");
            break;
        }
        peak_kib = std::max(peak_kib, usage.ru_maxrss);
    }
    state.counters["peak_process_MiB"] = static_cast<double>(peak_kib) / 1024.0;
}

} // namespace

BENCHMARK(BM_LoadLargeDataSet)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadLongestChains)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckHostileDisc)->Unit(benchmark::kMillisecond)->UseRealTime();
