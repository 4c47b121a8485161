// Painting the display surface of a full-screen window after a scroll, on the
// large data set with every fold box open.

#include "LargeDisc.h"
#include "app/ProgramServices.h"
#include "browse/DisplayBitmaps.h"
#include "browse/DisplaySurface.h"
#include "common/CoreContext.h"
#include "data/Areas.h"

#include <QCoreApplication>
#include <QScrollBar>
#include <QWindow>
#include <benchmark/benchmark.h>
#include <memory>

using namespace pemmaro;

namespace {

struct UnfoldedSurface {
    UnfoldedSurface()
        : form(bench::large_disc(), program_context(), program_browsing_services().surface) {
        display_fonts().build(15);
        load_display_bitmaps();
        SHST_TShowStringsData options(bench::large_disc(), program_context());
        options.visible.area->SelectAll();
        form.resize(1920, 1080);
        form.build_from_options(options, DisplayState{});
        // Families first, then the species and recording details they bring.
        TShowStrings& display = form.display();
        for (LineKind kind : {lkFamilyBox, lkSpeciesBox, lkDetailsBox}) {
            for (Line line = display.lines().begin(); line != display.end(); ++line)
                if (line->kind == kind)
                    display.toggle_fold(line, true);
        }
        form.lines_changed();
        form.show();
        // Once, so the window is exposed and repaints go to its backing store.
        QCoreApplication::processEvents();
    }

    TShowForm form;
};

// Made once; it goes before the application does.
UnfoldedSurface& surface() {
    static std::unique_ptr<UnfoldedSurface> instance;
    if (!instance) {
        instance = std::make_unique<UnfoldedSurface>();
        qAddPostRoutine([] { instance.reset(); });
    }
    return *instance;
}

// Scrolls by distance (wrapping at the end) and repaints the surface with the
// sound bars on it, as the window system asks after a scroll.
void paint_after_scrolls(benchmark::State& state, int distance) {
    bench::ensure_gui_application();
    TShowForm& form = surface().form;
    if (!form.windowHandle() || !form.windowHandle()->isExposed()) {
        state.SkipWithError("the window was not exposed");
        return;
    }
    const int end = form.verticalScrollBar()->maximum();
    int position = 0;
    for (auto _ : state) {
        position = position + distance > end ? 0 : position + distance;
        form.scroll_to(position);
        form.viewport()->repaint();
        benchmark::DoNotOptimize(form.back_buffer().constBits());
        // The event loop's turn between two scrolls.
        state.PauseTiming();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["lines"] = static_cast<double>(form.display().lines().size());
    state.counters["list_height"] = end;
}

void BM_PaintFullWindowAfterPageScroll(benchmark::State& state) {
    paint_after_scrolls(state, 1080);
}

void BM_PaintWindowAfterWheelScroll(benchmark::State& state) {
    paint_after_scrolls(state, 3 * 17);
}

} // namespace

BENCHMARK(BM_PaintFullWindowAfterPageScroll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintWindowAfterWheelScroll)->Unit(benchmark::kMillisecond);
