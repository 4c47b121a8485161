// Latency of the media devices: from open + play to the first audio frame handed
// to the output, for a sound file, for a three-minute recording in each encoding
// of the data disc (through the player, as a click on a sound bar) and for a
// span of a CD image. Without a sound server the output is the silent one, so
// only our own work is timed. The aim is under 50 ms each, the worst of 30.

#include "BirdSounds.h"
#include "SoundFiles.h"
#include "platform/AudioOutput.h"
#include "platform/MediaDevices.h"
#include "sound/SoundPlayers.h"

#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sndfile.h>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace pemmaro;
using Clock = std::chrono::steady_clock;

// A 3 s recording at 22 kHz, and a disc of three 20 s tracks.
struct Media {
    QTemporaryDir dir;
    std::string folder = dir.path().toStdString() + "/";
    std::string sound = folder + "song.wav";

    Media() {
        SF_INFO info{};
        info.samplerate = 22050;
        info.channels = 1;
        info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
        SNDFILE* file = sf_open(sound.c_str(), SFM_WRITE, &info);
        std::vector<short> samples(3 * 22050);
        for (std::size_t i = 0; i < samples.size(); ++i)
            samples[i] = static_cast<short>(8000 * std::sin(static_cast<double>(i) * 0.125));
        sf_writef_short(file, samples.data(), static_cast<sf_count_t>(samples.size()));
        sf_close(file);

        std::ofstream(folder + "disc.cue") << "FILE \"disc.bin\" BINARY\n"
                                              "  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
                                              "  TRACK 02 AUDIO\n    INDEX 01 00:20:00\n"
                                              "  TRACK 03 AUDIO\n    INDEX 01 00:40:00\n";
        std::ofstream bin(folder + "disc.bin", std::ios::binary);
        std::vector<char> sector(2352, 1);
        for (int i = 0; i < 60 * 75; ++i)
            bin.write(sector.data(), static_cast<std::streamsize>(sector.size()));
        set_cd_image_folder(folder);
    }
};

Media& media() {
    static Media instance;
    return instance;
}

// Times one open + play; the device stays open for the caller to close.
double seconds_to_first_frame(const mci::OpenParameters& parameters, mci::TimeFormat format,
                              std::uint32_t from, std::uint32_t to, MciDeviceId& device) {
    auto start = Clock::now();
    if (parameters.device_type) // the players name the disc before each open
        media_devices().want_disc("3;2;22;42");
    if (media_devices().open(parameters, device) != 0 ||
        media_devices().set_time_format(device, format) != 0 ||
        media_devices().play(device, from, to) != 0)
        return -1;
    auto playback = audio::AudioOutput::instance().latest();
    auto deadline = start + std::chrono::seconds(2);
    while (playback && !playback->first_frame_time() && Clock::now() < deadline)
        std::this_thread::yield();
    auto first = playback ? playback->first_frame_time() : std::nullopt;
    return std::chrono::duration<double>(first.value_or(Clock::now()) - start).count();
}

void run(benchmark::State& state, const mci::OpenParameters& parameters, mci::TimeFormat format,
         std::uint32_t from, std::uint32_t to) {
    media();
    double worst = 0;
    for (auto _ : state) {
        MciDeviceId device = 0;
        double seconds = seconds_to_first_frame(parameters, format, from, to, device);
        if (seconds < 0) {
            state.SkipWithError("the device did not open or play");
            break;
        }
        state.SetIterationTime(seconds);
        worst = std::max(worst, seconds);
        state.PauseTiming();
        media_devices().close(device);
        state.ResumeTiming();
    }
    state.counters["worst_ms"] = worst * 1000;
}

void BM_SoundFileOpenPlayToFirstFrame(benchmark::State& state) {
    mci::OpenParameters parameters;
    parameters.element = media().sound;
    run(state, parameters, mci::TimeFormat::milliseconds, 500, 2500);
}
BENCHMARK(BM_SoundFileOpenPlayToFirstFrame)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(30);

// A three-minute recording in the encoding of the compression number, made
// with the sample disc's generator on first use and kept for later runs.
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

// A click on a sound bar that has not played yet: the player opens the file,
// reads its length and plays it from the start.
void BM_RecordingClickToFirstFrame(benchmark::State& state) {
    const int compression = static_cast<int>(state.range(0));
    std::string file;
    try {
        file = three_minute_recording(compression);
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
        return;
    }
    double worst = 0;
    for (auto _ : state) {
        TCutPartFilePlayer player;
        int length = 180000;
        bool file_problem = false;
        const auto start = Clock::now();
        if (!player.Open(file, compression >= 5, length, file_problem) || !player.Play(true)) {
            state.SkipWithError("the recording did not open or play");
            break;
        }
        auto playback = audio::AudioOutput::instance().latest();
        const auto deadline = start + std::chrono::seconds(2);
        while (playback && !playback->first_frame_time() && Clock::now() < deadline)
            std::this_thread::yield();
        const auto first = playback ? playback->first_frame_time() : std::nullopt;
        const double seconds =
            std::chrono::duration<double>(first.value_or(Clock::now()) - start).count();
        state.SetIterationTime(seconds);
        worst = std::max(worst, seconds);
    }
    state.counters["worst_ms"] = worst * 1000;
}
BENCHMARK(BM_RecordingClickToFirstFrame)
    ->ArgName("compression")
    ->DenseRange(0, 9)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(30);

void BM_CdImageSpanOpenPlayToFirstFrame(benchmark::State& state) {
    mci::OpenParameters parameters;
    parameters.device_type = mci::devtype_cd_audio | (media_devices().cd_audio_device_count() - 1)
                                                         << 16;
    parameters.shareable = true;
    run(state, parameters, mci::TimeFormat::tmsf, 2 | 5u << 16, 2 | 9u << 16);
}
BENCHMARK(BM_CdImageSpanOpenPlayToFirstFrame)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(30);

} // namespace
