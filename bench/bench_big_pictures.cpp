// The big picture window on the sample disc's 1600 x 1200 photographs: from
// the request a click on a species' pictures mark makes up to the first
// picture painted, and a step to the next picture up to its painting.

#include "LargeDisc.h"
#include "SampleDisc.h"
#include "common/BaseDirectory.h"
#include "common/CoreContext.h"
#include "common/LanguageTexts.h"
#include "common/Product.h"
#include "common/ProgramFolders.h"
#include "common/SettingsFile.h"
#include "common/TextEngine.h"
#include "data/DataLoading.h"
#include "data/DataSet.h"
#include "maps_pictures/BigPictureWindow.h"
#include "platform/ProgramResources.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <benchmark/benchmark.h>
#include <memory>

using namespace pemmaro;

namespace {

// The sample's first species: its two pictures are 1600 x 1200 photographs.
constexpr int species_with_large_pictures = 2101;

std::string caption(const Tspecies& species, const std::optional<Trecord_ssp_data>&) {
    return species.scientific_name;
}

// What a click on the pictures mark asks for: the window made, the file
// found and decoded, the window shown and painted once.
void BM_OpenBigPictureOfALargePhotograph(benchmark::State& state) {
    bench::ensure_gui_application();
    ensure_program_resources();
    bench::SampleDisc& disc = bench::sample_disc();
    base_directory_state().base_directory = PEMMARO_SAMPLE_BASE_DIR "/";
    Tspecies& species = *disc.data->species_by_id(species_with_large_pictures);
    QSize decoded;
    for (auto _ : state) {
        TBigPictureForm* window = ShowBigPictures(disc.context, {}, species, nullptr, &caption);
        if (!window) {
            state.SkipWithError("the sample disc's picture is missing");
            break;
        }
        window->repaint();
        decoded = window->decoded_picture().size();
        state.PauseTiming();
        delete window;
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.SetLabel("decoded at " + std::to_string(decoded.width()) + "x" +
                   std::to_string(decoded.height()));
    base_directory_state().base_directory.clear();
}
BENCHMARK(BM_OpenBigPictureOfALargePhotograph)->Unit(benchmark::kMillisecond);

// Next and previous in turn between the two photographs, each painted, in a
// window of the width given (900: shown at more than half, decoded whole).
void BM_StepToTheNextLargePhotograph(benchmark::State& state) {
    bench::ensure_gui_application();
    ensure_program_resources();
    bench::SampleDisc& disc = bench::sample_disc();
    base_directory_state().base_directory = PEMMARO_SAMPLE_BASE_DIR "/";
    Tspecies& species = *disc.data->species_by_id(species_with_large_pictures);
    auto window = std::make_unique<TBigPictureForm>(disc.context, UrlOpener{});
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    if (!window->SetUp(species, nullptr, nullptr, &caption)) {
        state.SkipWithError("the sample disc's picture is missing");
        return;
    }
    const int width = static_cast<int>(state.range(0));
    window->resize(width, width * 3 / 4);
    window->show();
    window->repaint();
    bool forward = true;
    for (auto _ : state) {
        window->step(forward);
        window->repaint();
        forward = !forward;
    }
    state.SetLabel("decoded at " + std::to_string(window->decoded_picture().width()) + "x" +
                   std::to_string(window->decoded_picture().height()));
    window->hide();
    base_directory_state().base_directory.clear();
}
BENCHMARK(BM_StepToTheNextLargePhotograph)->Arg(600)->Arg(900)->Unit(benchmark::kMillisecond);

} // namespace
