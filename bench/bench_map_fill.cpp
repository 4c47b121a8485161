#include "maps_pictures/MapFill.h"
#include "maps_pictures/RegionSeedPoints.h"

#include <QImage>
#include <benchmark/benchmark.h>

namespace {

constexpr QRgb white = qRgb(255, 255, 255);
constexpr QRgb green = qRgb(0, 255, 0);
constexpr int philippines = 19;

// A click on Luzon in the select-area window: the clicked piece takes the
// other colour, then the item repaints each of its eleven pieces.
void BM_ClickRepaintsThePhilippines(benchmark::State& state) {
    QImage canvas = QImage(PEMMARO_RESOURCES_DIR "/maps/solvara_map_bitmap.png")
                        .convertToFormat(QImage::Format_RGB32);
    const auto& seeds = pemmaro::region_seed_points[philippines];
    bool selected = true;
    for (auto _ : state) {
        selected = !selected;
        const QRgb colour = selected ? green : white;
        pemmaro::FloodFillToBorder(canvas, seeds.front(), colour);
        for (const QPoint seed : seeds)
            pemmaro::FloodFillToBorder(canvas, seed, colour);
    }
    benchmark::DoNotOptimize(canvas.constBits());
}
BENCHMARK(BM_ClickRepaintsThePhilippines)->Unit(benchmark::kMillisecond);

// The largest item, China with Hainan, for comparison.
void BM_ClickRepaintsChina(benchmark::State& state) {
    QImage canvas = QImage(PEMMARO_RESOURCES_DIR "/maps/solvara_map_bitmap.png")
                        .convertToFormat(QImage::Format_RGB32);
    const auto& seeds = pemmaro::region_seed_points[16];
    bool selected = true;
    for (auto _ : state) {
        selected = !selected;
        for (const QPoint seed : seeds)
            pemmaro::FloodFillToBorder(canvas, seed, selected ? green : white);
    }
    benchmark::DoNotOptimize(canvas.constBits());
}
BENCHMARK(BM_ClickRepaintsChina)->Unit(benchmark::kMillisecond);

} // namespace
