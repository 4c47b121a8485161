// Plays one recording of the sample disc as the program does and reports what
// happened, for the sound server tests:
//   pemmaro_play_recording DISC_FOLDER BASE_FOLDER --bar KEY
//     a sound bar plays the recording (a sound file) from a click on its button
//   pemmaro_play_recording DISC_FOLDER BASE_FOLDER --span KEY
//     a CD player plays the span on the virtual CD changer
// DISC_FOLDER holds the data files, BASE_FOLDER the generated media. Results
// are printed as name=value pairs. Exit status 0 when the recording played to
// its end without a message, 1 otherwise, 2 for a wrong command line.

#include "common/BaseDirectory.h"
#include "common/CoreContext.h"
#include "common/LanguageTexts.h"
#include "common/Product.h"
#include "common/ProgramFolders.h"
#include "common/SettingsFile.h"
#include "data/DataFileReader.h"
#include "data/DataLoading.h"
#include "data/DataSet.h"
#include "platform/AudioOutput.h"
#include "platform/MediaDevices.h"
#include "platform/Messages.h"
#include "platform/ProcessEnd.h"
#include "sound/AudioCdDrive.h"
#include "sound/SoundBars.h"
#include "sound/SoundPlayers.h"

#include <QApplication>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

using namespace pemmaro;
using Clock = std::chrono::steady_clock;

namespace {

// Room beyond the recording's own length for a sound server that is slow.
constexpr auto deadline_margin = std::chrono::seconds(10);
constexpr int poll_interval_ms = 20;

long long milliseconds_since(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

// Absolute: loading moves into the data folder.
std::string absolute_folder(const std::string& path) {
    std::string folder = std::filesystem::absolute(path).lexically_normal().string();
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    return folder;
}

// When the output was handed the first frame of the latest sound, -1 if never.
long long first_frame_ms(Clock::time_point start) {
    const auto playback = audio::AudioOutput::instance().latest();
    const auto first = playback ? playback->first_frame_time() : std::nullopt;
    return first ? std::chrono::duration_cast<std::chrono::milliseconds>(*first - start).count()
                 : -1;
}

// How long after the start the position began to advance: when it first
// reached half a second, less that half second; -1 if it never did.
class StartDelay {
public:
    explicit StartDelay(Clock::time_point start)
        : start_(start) {}
    void observe(int position_ms) {
        if (!delay_ && position_ms >= probe_ms)
            delay_ = milliseconds_since(start_) - probe_ms;
    }
    long long value() const { return delay_.value_or(-1); }

private:
    static constexpr int probe_ms = 500;
    Clock::time_point start_;
    std::optional<long long> delay_;
};

// The program goes on after a sound ends; this one must not end before the
// last of the sound has left the output.
bool wait_for_sound_to_leave_output() {
    const auto playback = audio::AudioOutput::instance().latest();
    return !playback || playback->wait_until_drained(Clock::now() + std::chrono::seconds(5));
}

std::string read_whole_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Every message the players or the bar show is printed: none is expected.
class PrintingResponder : public MessageResponder {
public:
    MessageAnswer respond(const MessageRequest& request) override {
        std::printf("message: %s\n", request.text.c_str());
        ++count;
        return safe_answer(request.buttons);
    }
    int count = 0;
};

// Loads the data files with the program's loader, as start-up does, with the
// settings file in a folder of its own; the media are found under base.
bool load_sample_disc(const std::string& disc, const std::string& base,
                      const std::string& settings_folder) {
    std::filesystem::current_path(disc);
    common_services().startup_directory = disc;
    common_services().program_directory = disc;
    settings_file().path = settings_folder + "Pemmaro.ini";
    settings_file().on_cd_rom = false;
    textfile() = Ttextfile_handler(read_whole_file(disc + "Pemmaro.txt"));
    product() = product_settings_for(1061, std::vector<std::string>(7));
    set_data(load_data(program_context()));
    if (data() == nullptr)
        return false;
    base_directory_state().base_directory = base;
    set_cd_image_folder(base + "cd-images");
    initialise_audio_cds();
    return true;
}

// Runs the event loop until done() holds or the deadline comes; false then.
bool run_until(const std::function<bool()>& done, Clock::time_point deadline) {
    QEventLoop loop;
    QTimer poll;
    bool reached = done();
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        reached = done();
        if (reached || Clock::now() >= deadline)
            loop.quit();
    });
    if (!reached) {
        poll.start(poll_interval_ms);
        loop.exec();
    }
    return reached;
}

Tcupaitem* first_recording_item(const Tcutpart& cut) {
    for (Tcupaitem* item : cut.first_recording_item) {
        if (item != nullptr)
            return item;
    }
    return nullptr;
}

int play_with_sound_bar(Tcutpart& cut) {
    Tcupaitem* item = first_recording_item(cut);
    if (!cut.is_sound_file || item == nullptr) {
        std::printf("error: %s is no sound file with a recording item\n", cut.key.c_str());
        return 1;
    }
    const int data_length = cut.length_ms;
    QWidget surface;
    surface.resize(500, 100);
    surface.show();
    int stored_position = 0;
    SoundBarOptions options;
    options.recording_item = item;
    options.exact_length_flag = &cut.length_from_file;
    options.show_texts = true;
    options.stored_position = &stored_position;
    auto* bar = new Tsound_bar(&surface, 10, 10, std::move(options));

    const auto start = Clock::now();
    // On the clock of the sound tests' recorder (CLOCK_MONOTONIC), to time the
    // click against the sound at the sink.
    const long long click_ns =
        std::chrono::duration_cast<std::chrono::nanoseconds>(start.time_since_epoch()).count();
    bar->button()->click();
    if (!bar->is_playing()) {
        std::printf("error: the bar did not start playing\n");
        return 1;
    }
    StartDelay delay(start);
    const bool ended = run_until(
        [&] {
            int ms = 0;
            if (bar->is_opened() && bar->player().GetPosition(ms))
                delay.observe(ms);
            return !bar->is_playing();
        },
        start + std::chrono::milliseconds(cut.length_ms) + deadline_margin);
    const long long played = milliseconds_since(start);
    std::printf("bar: key=%s compression=%d data_length_ms=%d length_ms=%d played_ms=%lld "
                "click_ns=%lld first_frame_ms=%lld start_delay_ms=%lld playing=%d opened=%d "
                "at_end=%d position=%d position_text=%s "
                "length_text=%s\n",
                cut.key.c_str(), cut.compression_number, data_length, cut.length_ms, played,
                click_ns, first_frame_ms(start), delay.value(), bar->is_playing() ? 1 : 0,
                bar->is_opened() ? 1 : 0, bar->is_at_end() ? 1 : 0, bar->current_position(),
                bar->position_text().c_str(), bar->length_text().c_str());
    return ended && bar->is_at_end() && !bar->is_opened() ? 0 : 1;
}

int play_cd_span(const Tcutpart& cut) {
    if (cut.is_sound_file || cut.audio_cd == nullptr) {
        std::printf("error: %s is no audio CD span\n", cut.key.c_str());
        return 1;
    }
    // The virtual changer comes after the machine's drives.
    const int drive = cd_audio_device_count();
    TAudioCDTrackPlayer player;
    int length = cut.length_ms;
    if (!player.Open(drive, cut, audio_cd_disc_check(), length)) {
        std::printf("error: the CD player did not open on drive %d\n", drive);
        return 1;
    }
    const auto start = Clock::now();
    if (!player.Play(true)) {
        std::printf("error: the CD player did not play\n");
        return 1;
    }
    int position = 0;
    StartDelay delay(start);
    const bool ended = run_until(
        [&] {
            if (player.GetPosition(position))
                delay.observe(position);
            return !player.IsInPlayMode();
        },
        start + std::chrono::milliseconds(length) + deadline_margin);
    const long long played = milliseconds_since(start);
    std::printf("span: key=%s cd=%d track=%u offset_ms=%d length_ms=%d data_length_ms=%d "
                "track_start_ms=%d span_start_ms=%d span_end_ms=%d last_position_ms=%d "
                "drive=%d played_ms=%lld first_frame_ms=%lld start_delay_ms=%lld\n",
                cut.key.c_str(), cut.audio_cd->tape_number, player.track(), cut.offset_ms, length,
                cut.length_ms, player.track_start(), player.span_start(), player.span_end(),
                position, drive, played, first_frame_ms(start), delay.value());
    player.Close();
    return ended ? 0 : 1;
}

} // namespace

// The application ends before the process does.
static int run_tool(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.size() != 4 || (arguments[2] != "--bar" && arguments[2] != "--span")) {
        std::fprintf(stderr, "usage: pemmaro_play_recording DISC_FOLDER BASE_FOLDER "
                             "--bar|--span KEY\n");
        return 2;
    }
    QTemporaryDir settings_folder;
    if (!settings_folder.isValid())
        return 1;
    PrintingResponder responder;
    set_message_responder(&responder);
    if (!load_sample_disc(absolute_folder(arguments[0]), absolute_folder(arguments[1]),
                          absolute_folder(settings_folder.path().toStdString()))) {
        std::printf("error: the data did not load\n");
        return 1;
    }
    std::printf("output: %s\n",
                audio::AudioOutput::instance().silent() ? "silent" : "sound server");
    Tcutpart* cut = data()->cut_parts.find(arguments[3]);
    int status = 1;
    if (cut == nullptr)
        std::printf("error: no recording %s\n", arguments[3].c_str());
    else if (arguments[2] == "--bar")
        status = play_with_sound_bar(*cut);
    else
        status = play_cd_span(*cut);
    if (!wait_for_sound_to_leave_output()) {
        std::printf("error: the sound did not leave the output\n");
        status = 1;
    }
    std::fflush(stdout);
    set_message_responder(nullptr);
    set_data(nullptr);
    return responder.count == 0 ? status : 1;
}

int main(int argc, char** argv) {
    pemmaro::end_process(run_tool(argc, argv));
}
