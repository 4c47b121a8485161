// Plays a sound file through the media devices, as the players do, and reports
// what happened: pemmaro_play_file [--sync] FILE
// Exit status 0 when the sound played to its end.

#include "platform/AudioOutput.h"
#include "platform/MediaDevices.h"
#include "platform/ProcessEnd.h"

#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

using namespace pemmaro;
using Clock = std::chrono::steady_clock;

namespace {

long long milliseconds_since(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

int play_through_device(const char* file) {
    auto opening = Clock::now();
    mci::OpenParameters parameters;
    parameters.element = file;
    MciDeviceId id = 0;
    if (MciError error = media_devices().open(parameters, id)) {
        std::printf("open failed: %u %s\n", error, mci_error_text(error).value_or("").c_str());
        return 1;
    }
    std::uint32_t length = 0;
    std::uint32_t mode = 0;
    std::uint32_t position = 0;
    media_devices().status(id, mci::StatusItem::length, 0, length);
    auto start = Clock::now();
    media_devices().play(id, std::nullopt, std::nullopt);
    auto deadline = start + std::chrono::milliseconds(length) + std::chrono::seconds(15);
    do {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        media_devices().status(id, mci::StatusItem::mode, 0, mode);
    } while (mode == mci::mode_play && Clock::now() < deadline);
    media_devices().status(id, mci::StatusItem::position, 0, position);
    std::printf("length %u ms, position %u ms, played in %lld ms\n", length, position,
                milliseconds_since(start));
    if (auto first = audio::AudioOutput::instance().latest()->first_frame_time())
        std::printf("first frame handed %.2f ms after the open\n",
                    std::chrono::duration<double, std::milli>(*first - opening).count());
    media_devices().close(id);
    return mode != mci::mode_play && position == length ? 0 : 1;
}

} // namespace

// The application ends before the process does.
static int run_tool(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    bool synchronous = argc == 3 && std::strcmp(argv[1], "--sync") == 0;
    if (argc != 2 && !synchronous) {
        std::fprintf(stderr, "usage: pemmaro_play_file [--sync] FILE\n");
        return 2;
    }
    std::printf("output: %s\n",
                audio::AudioOutput::instance().silent() ? "silent" : "sound server");
    if (!synchronous)
        return play_through_device(argv[1]);
    auto start = Clock::now();
    bool played = play_sound_file_synchronously(argv[2]);
    std::printf("played %s in %lld ms\n", played ? "to the end" : "not", milliseconds_since(start));
    return played ? 0 : 1;
}

int main(int argc, char** argv) {
    pemmaro::end_process(run_tool(argc, argv));
}
