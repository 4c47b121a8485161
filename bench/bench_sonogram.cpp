// The sonogram pane: the worker's whole job for a three-minute recording
// (decoding the file as the output plays it, mixing, FFTW, levels), aim
// <= 150 ms; and one frame of the pane while the sound plays (the cursor
// moved, the strips it left and entered repainted), aim <= 4 ms.

#include "BirdSounds.h"
#include "LargeDisc.h"
#include "SoundFiles.h"
#include "platform/SoundFile.h"
#include "sound/Sonogram.h"
#include "sound/SonogramPicture.h"
#include "sound/SonogramWindow.h"

#include <QCoreApplication>
#include <QWindow>
#include <benchmark/benchmark.h>
#include <filesystem>
#include <memory>
#include <string>

namespace {

using namespace pemmaro;

// Made with the sample disc's generator on first use and kept (the media
// benchmark makes and uses the same files).
std::string three_minute_recording(int compression) {
    const std::string folder = PEMMARO_BENCH_SOUNDS;
    const std::string path = folder + "/three-minutes-" + std::to_string(compression) + ".wav";
    if (std::filesystem::exists(path))
        return path;
    std::filesystem::create_directories(folder);
    const media::SoundEncoding encoding = media::encoding_for(compression);
    const media::Singer singer{media::voice_for_key("three minutes"), 0.5, 1};
    const std::vector<float> samples =
        media::render_recording({&singer, 1}, encoding.sample_rate, 180.0, 106);
    media::write_sound_file(path, samples, compression, folder);
    return path;
}

std::shared_ptr<Sonogram> sonogram_of(const std::string& path, int window_size) {
    const SoundFileProbe probe = probe_sound_file(path);
    if (!probe.format)
        return nullptr;
    const std::uint64_t frames =
        LinearResampler::output_frames(probe.format->frames, probe.format->rate);
    auto sonogram = std::make_shared<Sonogram>(window_size, frames);
    auto source = open_sound_file_source(path, 0, probe.format->frames, probe.format->frames_exact);
    compute_sonogram(source.get(), *sonogram);
    return sonogram;
}

// Args: compression number of the file, window size.
void BM_SonogramOfThreeMinuteRecording(benchmark::State& state) {
    std::string path;
    try {
        path = three_minute_recording(static_cast<int>(state.range(0)));
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
        return;
    }
    for (auto _ : state) {
        auto sonogram = sonogram_of(path, static_cast<int>(state.range(1)));
        if (!sonogram || sonogram->failed() || sonogram->seconds() < 179) {
            state.SkipWithError("the recording did not decode");
            return;
        }
        benchmark::DoNotOptimize(sonogram->column(sonogram->columns_ready() - 1));
    }
}
BENCHMARK(BM_SonogramOfThreeMinuteRecording)
    ->Args({0, 256})
    ->Args({0, 512})
    ->Args({0, 1024})
    ->Args({5, 512}) // MPEG layer 3
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

// The pane at 900 x 300 over the whole recording; each frame moves the
// cursor by 1/60 s and paints what changed, as the pane's frame timer does.
void BM_SonogramFrameAtPlaybackCursor(benchmark::State& state) {
    bench::ensure_gui_application();
    auto sonogram = sonogram_of(three_minute_recording(0), 512);
    SonogramView view;
    view.resize(900, 300);
    view.set_sonogram(sonogram, SonogramSettings{});
    view.show();
    QCoreApplication::processEvents();
    if (!view.windowHandle() || !view.windowHandle()->isExposed()) {
        state.SkipWithError("the window was not exposed");
        return;
    }
    double seconds = 0;
    for (auto _ : state) {
        seconds += 1.0 / 60;
        if (seconds > sonogram->seconds())
            seconds = 0;
        view.set_cursor(seconds);
        view.follow_worker();
        view.repaint(QRect(view.x_at(seconds) - 80, 0, 160, view.height()));
    }
}
BENCHMARK(BM_SonogramFrameAtPlaybackCursor)->Unit(benchmark::kMillisecond);

// The worst frame: the whole pane painted (uncovered, or after a resize's redraw).
void BM_SonogramWholePaneRepaint(benchmark::State& state) {
    bench::ensure_gui_application();
    auto sonogram = sonogram_of(three_minute_recording(0), 512);
    SonogramView view;
    view.resize(900, 300);
    view.set_sonogram(sonogram, SonogramSettings{});
    view.show();
    QCoreApplication::processEvents();
    if (!view.windowHandle() || !view.windowHandle()->isExposed()) {
        state.SkipWithError("the window was not exposed");
        return;
    }
    for (auto _ : state)
        view.repaint();
}
BENCHMARK(BM_SonogramWholePaneRepaint)->Unit(benchmark::kMillisecond);

// Redrawing the cached picture from the levels (a resize or a new setting).
void BM_SonogramPictureRedraw(benchmark::State& state) {
    bench::ensure_gui_application();
    auto sonogram = sonogram_of(three_minute_recording(0), 512);
    for (auto _ : state)
        benchmark::DoNotOptimize(sonogram_picture(*sonogram, SonogramSettings{}, QSize(900, 300)));
}
BENCHMARK(BM_SonogramPictureRedraw)->Unit(benchmark::kMillisecond);

} // namespace
