// The map windows on the sample disc: opening a species' distribution map up
// to its composed picture, and a click on the select-area map up to the
// repainted window.

#include "LargeDisc.h"
#include "SampleDisc.h"
#include "common/BaseDirectory.h"
#include "common/CoreContext.h"
#include "common/LanguageTexts.h"
#include "common/Product.h"
#include "common/ProgramFolders.h"
#include "common/SettingsFile.h"
#include "data/DataLoading.h"
#include "maps_pictures/MapComposition.h"
#include "maps_pictures/MapWindow.h"
#include "maps_pictures/RegionSeedPoints.h"
#include "maps_pictures/SelectAreaWindow.h"
#include "platform/ProgramResources.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <benchmark/benchmark.h>
#include <memory>

using namespace pemmaro;

namespace {

// The species whose range is stretched over the largest rectangle of its map.
const Tspecies& species_with_largest_range(const Tdata& data) {
    const Tspecies* largest = nullptr;
    long largest_area = -1;
    for (const Tspecies& species : data.species_store) {
        if (!has_range_mask(species))
            continue;
        const QRect rect = OverlayRect(map_record_for(&species, nullptr), *species.maps[1].map);
        const long area = static_cast<long>(rect.width()) * rect.height();
        if (area > largest_area) {
            largest = &species;
            largest_area = area;
        }
    }
    return *largest;
}

// From the click on the species' map mark: the window made and set up, its
// range read from the disc and laid over the base map.
void BM_OpenDistributionMapOfTheLargestRange(benchmark::State& state) {
    bench::ensure_gui_application();
    ensure_program_resources();
    bench::SampleDisc& disc = bench::sample_disc();
    base_directory_state().base_directory = PEMMARO_SAMPLE_BASE_DIR "/";
    const Tspecies& species = species_with_largest_range(*disc.data);
    for (auto _ : state) {
        TMapForm window(disc.context, {});
        window.ShowMap(&species, nullptr, false, species.scientific_name);
        benchmark::DoNotOptimize(window.MapBitmap.constBits());
    }
    state.SetLabel(species.scientific_name);
    base_directory_state().base_directory.clear();
}
BENCHMARK(BM_OpenDistributionMapOfTheLargestRange)->Unit(benchmark::kMillisecond);

// A click on Luzon: the piece takes the other colour, the item repaints its
// eleven pieces and the window paints itself.
void BM_ClickOnTheSelectAreaMapRepaintsThePhilippines(benchmark::State& state) {
    bench::ensure_gui_application();
    ensure_program_resources();
    const Ttextfile_handler texts;
    TSolvaraSelectAreaForm window(texts);
    window.show();
    QCoreApplication::processEvents();
    const QPoint luzon = region_seed_points[19].front();
    for (auto _ : state) {
        QMouseEvent press(QEvent::MouseButtonPress, luzon, window.mapToGlobal(luzon),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&window, &press);
        window.repaint();
    }
    window.hide();
}
BENCHMARK(BM_ClickOnTheSelectAreaMapRepaintsThePhilippines)->Unit(benchmark::kMillisecond);

} // namespace
