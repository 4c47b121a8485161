// The benchmarks' main: the GUI application some of them make ends before the
// program exits, while Qt can still tear its windows and devices down.

#include "LargeDisc.h"

#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    pemmaro::bench::end_gui_application();
    return 0;
}
