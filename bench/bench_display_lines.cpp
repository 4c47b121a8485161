// Unfolding the display lines of the large data set with Qt's font metrics.

#include "LargeDisc.h"
#include "browse/DisplayLines.h"
#include "common/CoreContext.h"
#include "common/QtTextMeasurer.h"
#include "data/Areas.h"

#include <benchmark/benchmark.h>

using namespace pemmaro;

namespace {

std::unique_ptr<TShowStrings> folded_display(SHST_TShowStringsData& options) {
    auto display = std::make_unique<TShowStrings>(TShowStrings::Environment{&bench::large_disc(),
                                                                            &program_context(),
                                                                            &text_measurer(),
                                                                            {1920, 16, 16, 1 << 24},
                                                                            {},
                                                                            nullptr});
    display->build_from_options(options);
    return display;
}

SHST_TShowStringsData all_species_options() {
    SHST_TShowStringsData options(bench::large_disc(), program_context());
    options.visible.area->SelectAll();
    return options;
}

void BM_UnfoldEveryFamily(benchmark::State& state) {
    bench::ensure_gui_application();
    SHST_TShowStringsData options = all_species_options();
    std::vector<int> families(static_cast<std::size_t>(count_visible_families(options.visible, 1)));
    for (std::size_t i = 0; i < families.size(); ++i)
        families[i] = static_cast<int>(i) + 1;
    std::size_t lines = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto display = folded_display(options);
        state.ResumeTiming();
        display->unfold_families(families);
        lines = display->lines().size();
        state.PauseTiming();
        display.reset();
        state.ResumeTiming();
    }
    state.counters["lines"] = static_cast<double>(lines);
}

void BM_UnfoldEverySpeciesOfTheLargestFamily(benchmark::State& state) {
    bench::ensure_gui_application();
    SHST_TShowStringsData options = all_species_options();
    // The family with the most visible species.
    int largest = 1;
    int most = 0;
    const int families = count_visible_families(options.visible, 1);
    for (int n = 1; n <= families; ++n) {
        const int count =
            count_visible_species(*nth_visible_family(n, options.visible, 1), options.visible, 1);
        if (count > most) {
            most = count;
            largest = n;
        }
    }
    std::size_t lines = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto display = folded_display(options);
        display->unfold_families({largest});
        std::vector<Line> boxes;
        for (Line line = display->lines().begin(); line != display->end(); ++line)
            if (line->kind == lkSpeciesBox)
                boxes.push_back(line);
        state.ResumeTiming();
        for (Line box : boxes)
            display->toggle_fold(box, true);
        lines = display->lines().size();
        state.PauseTiming();
        display.reset();
        state.ResumeTiming();
    }
    state.counters["species"] = most;
    state.counters["lines"] = static_cast<double>(lines);
}

// A resize of a window showing every species of the largest family unfolded:
// every paragraph is wrapped again at the new width.
void BM_RewrapEverySpeciesOfTheLargestFamily(benchmark::State& state) {
    bench::ensure_gui_application();
    SHST_TShowStringsData options = all_species_options();
    auto display = folded_display(options);
    const int families = count_visible_families(options.visible, 1);
    int largest = 1;
    int most = 0;
    for (int n = 1; n <= families; ++n) {
        const int count =
            count_visible_species(*nth_visible_family(n, options.visible, 1), options.visible, 1);
        if (count > most) {
            most = count;
            largest = n;
        }
    }
    display->unfold_families({largest});
    for (Line line = display->lines().begin(); line != display->end(); ++line)
        if (line->kind == lkSpeciesBox)
            display->toggle_fold(line, true);
    int width = 1920;
    for (auto _ : state) {
        width = width == 1920 ? 1280 : 1920;
        display->environment().geometry.client_width = width;
        display->rewrap();
    }
    state.counters["lines"] = static_cast<double>(display->lines().size());
}

} // namespace

BENCHMARK(BM_RewrapEverySpeciesOfTheLargestFamily)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnfoldEveryFamily)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnfoldEverySpeciesOfTheLargestFamily)->Unit(benchmark::kMillisecond);
