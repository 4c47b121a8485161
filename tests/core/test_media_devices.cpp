// The media devices on the silent output (no sound server in the test run): sound
// files in each codec, CD images in the virtual changer, and the output's timing.

#include "TestSupport.h"
#include "platform/AudioOutput.h"
#include "platform/CdAudioDevice.h"
#include "platform/CdDisc.h"
#include "platform/MediaDevices.h"
#include "platform/SoundFile.h"
#include "platform/WaveAudioDevice.h"

#include <QProcess>
#include <QStandardPaths>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <future>
#include <gtest/gtest.h>
#include <sndfile.h>
#include <thread>
#include <vector>

namespace pemmaro {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using test::TempDir;

// A 440 Hz tone at half scale; in stereo the right channel is inverted.
void write_tone(const std::string& path, int format, int rate, int channels, int frames) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    std::vector<float> samples(static_cast<std::size_t>(frames * channels));
    for (int i = 0; i < frames; ++i) {
        float value = 0.5f * std::sin(2.0f * 3.14159265f * 440.0f * static_cast<float>(i) /
                                      static_cast<float>(rate));
        for (int c = 0; c < channels; ++c)
            samples[static_cast<std::size_t>(i * channels + c)] = c == 1 ? -value : value;
    }
    sf_writef_float(file, samples.data(), frames);
    sf_close(file);
}

// ffmpeg puts MPEG layer 3 in a RIFF WAVE (format tag 0x55); nullopt without ffmpeg.
std::optional<std::string> make_mp3_wave(const std::string& pcm, const std::string& out) {
    if (QStandardPaths::findExecutable("ffmpeg").isEmpty())
        return std::nullopt;
    int code = QProcess::execute(
        "ffmpeg", {"-loglevel", "error", "-y", "-i", QString::fromStdString(pcm), "-c:a",
                   "libmp3lame", "-b:a", "64k", "-f", "wav", QString::fromStdString(out)});
    return code == 0 ? std::optional<std::string>(out) : std::nullopt;
}

struct ImageTrack {
    int sectors;
    bool audio = true;
};

// A CUE and its BIN; every frame of sector n holds n on the left and -n on the
// right, so a read can be checked against its address.
void write_image(const std::string& folder, const std::string& name,
                 const std::vector<ImageTrack>& tracks, std::optional<int> bin_sectors = {}) {
    std::string cue = "FILE \"" + name + ".bin\" BINARY\n";
    int start = 0;
    char line[128];
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        std::snprintf(line, sizeof line, "  TRACK %02zu %s\n    INDEX 01 %02d:%02d:%02d\n", i + 1,
                      tracks[i].audio ? "AUDIO" : "MODE1/2352", start / 4500, start / 75 % 60,
                      start % 75);
        cue += line;
        start += tracks[i].sectors;
    }
    test::write_file(folder + name + ".cue", cue);
    std::string bin;
    for (int sector = 0; sector < bin_sectors.value_or(start); ++sector) {
        for (int frame = 0; frame < 588; ++frame) {
            for (int value : {sector, -sector}) {
                auto v = static_cast<std::uint16_t>(static_cast<std::int16_t>(value));
                bin += static_cast<char>(v & 0xFF);
                bin += static_cast<char>(v >> 8);
            }
        }
    }
    test::write_file(folder + name + ".bin", bin);
}

std::uint32_t tmsf(std::uint32_t t, std::uint32_t m, std::uint32_t s, std::uint32_t f) {
    return t | m << 8 | s << 16 | f << 24;
}

class MediaDevicesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // The same timing on every machine, sound server or not.
        qputenv("PEMMARO_SILENT_AUDIO", "1");
    }

    void SetUp() override {
        set_media_device_backend(nullptr);
        set_cd_image_folder(dir.path());
    }

    void TearDown() override {
        for (MciDeviceId id : opened)
            devices().close(id);
        set_cd_image_folder("");
    }

    MediaDeviceBackend& devices() { return media_devices(); }

    MciDeviceId open_file(const std::string& path) {
        mci::OpenParameters parameters;
        parameters.element = path;
        MciDeviceId id = 0;
        MciError error = devices().open(parameters, id);
        EXPECT_EQ(error, 0u) << path;
        if (error == 0)
            opened.push_back(id);
        return id;
    }

    MciError try_open_file(const std::string& path) {
        mci::OpenParameters parameters;
        parameters.element = path;
        MciDeviceId id = 0;
        MciError error = devices().open(parameters, id);
        if (error == 0)
            opened.push_back(id);
        return error;
    }

    MciDeviceId open_changer() {
        mci::OpenParameters parameters;
        std::uint32_t ordinal = devices().cd_audio_device_count() - 1;
        parameters.device_type = mci::devtype_cd_audio | ordinal << 16;
        parameters.shareable = true;
        MciDeviceId id = 0;
        EXPECT_EQ(devices().open(parameters, id), 0u);
        opened.push_back(id);
        return id;
    }

    MciDeviceId load_disc(const std::string& identity) {
        devices().want_disc(identity);
        return open_changer();
    }

    std::uint32_t status(MciDeviceId id, mci::StatusItem item, std::uint32_t track = 0) {
        std::uint32_t value = 0xDEADBEEF;
        EXPECT_EQ(devices().status(id, item, track, value), 0u);
        return value;
    }

    MciError status_error(MciDeviceId id, mci::StatusItem item, std::uint32_t track = 0) {
        std::uint32_t value = 0;
        return devices().status(id, item, track, value);
    }

    bool playing(MciDeviceId id) { return status(id, mci::StatusItem::mode) == mci::mode_play; }

    // Polls until playing ends; false when the deadline passes first.
    bool wait_for_stop(MciDeviceId id, std::chrono::milliseconds limit = 5s) {
        auto deadline = Clock::now() + limit;
        while (playing(id)) {
            if (Clock::now() > deadline)
                return false;
            std::this_thread::sleep_for(5ms);
        }
        return true;
    }

    TempDir dir;
    std::vector<MciDeviceId> opened;
};

std::chrono::milliseconds since(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
}

// Sound files

TEST_F(MediaDevicesTest, OpensEachCodecWithItsDecodableLength) {
    struct Case {
        const char* name;
        int format, rate, channels, frames;
    };
    // Block codecs round up to whole blocks: IMA ADPCM in stereo at 22 kHz has
    // blocks of 2041 frames (93 ms).
    for (const Case& c : {Case{"pcm.wav", SF_FORMAT_PCM_16, 22050, 1, 11025},
                          Case{"ima.wav", SF_FORMAT_IMA_ADPCM, 22050, 2, 6615},
                          Case{"ms.wav", SF_FORMAT_MS_ADPCM, 11025, 1, 4410},
                          Case{"gsm.wav", SF_FORMAT_GSM610, 8000, 1, 2400}}) {
        SCOPED_TRACE(c.name);
        write_tone(dir.file(c.name), c.format, c.rate, c.channels, c.frames);
        MciDeviceId id = open_file(dir.file(c.name));
        ASSERT_NE(id, 0u);
        std::uint32_t written = static_cast<std::uint32_t>(c.frames * 1000 / c.rate);
        std::uint32_t length = status(id, mci::StatusItem::length);
        EXPECT_GE(length, written);
        EXPECT_LE(length, written + 93);
        EXPECT_EQ(status(id, mci::StatusItem::position), 0u);
        EXPECT_EQ(status(id, mci::StatusItem::mode), mci::mode_stop);
        EXPECT_EQ(status(id, mci::StatusItem::media_present), 1u);
        EXPECT_EQ(status(id, mci::StatusItem::number_of_tracks), 1u);
        EXPECT_EQ(devices().set_time_format(id, mci::TimeFormat::milliseconds), 0u);
        EXPECT_EQ(devices().set_time_format(id, mci::TimeFormat::msf), mci::bad_time_format);
        EXPECT_EQ(devices().set_time_format(id, mci::TimeFormat::tmsf), mci::bad_time_format);
    }
}

TEST_F(MediaDevicesTest, OpensDataPathsWithBackslashesAndAnyCase) {
    std::filesystem::create_directories(dir.file("Tapes/07"));
    write_tone(dir.file("Tapes/07/A05.wav"), SF_FORMAT_PCM_16, 8000, 1, 800);
    MciDeviceId id = open_file(dir.path() + "TAPES\\07\\a05.WAV");
    ASSERT_NE(id, 0u);
    EXPECT_EQ(status(id, mci::StatusItem::length), 100u);
}

// A RIFF WAVE file with the given format tag over the data.
std::string wave_with_tag(std::uint16_t tag, const std::string& data) {
    auto word = [](std::uint32_t value, int bytes) {
        std::string out;
        for (int i = 0; i < bytes; ++i)
            out += static_cast<char>(value >> (8 * i) & 0xFF);
        return out;
    };
    // An MPEG layer 3 format block as Windows writes it: 30 bytes.
    std::string format = word(tag, 2) + word(1, 2) + word(22050, 4) + word(4000, 4) + word(1, 2) +
                         word(0, 2) + word(12, 2) + word(1, 2) + word(2, 4) + word(104, 2) +
                         word(1, 2) + word(1393, 2);
    std::string body = "WAVEfmt " + word(static_cast<std::uint32_t>(format.size()), 4) + format +
                       "data" + word(static_cast<std::uint32_t>(data.size()), 4) + data;
    return "RIFF" + word(static_cast<std::uint32_t>(body.size()), 4) + body;
}

TEST_F(MediaDevicesTest, ReportsMissingFilesAndWhyOthersCannotPlay) {
    EXPECT_EQ(try_open_file(dir.file("absent.wav")), mci::file_not_found);
    EXPECT_EQ(try_open_file(dir.path()), mci::file_not_found); // a folder is no file

    auto open_detail = [this](const std::string& name, MciError expected) {
        mci::OpenParameters parameters;
        parameters.element = dir.file(name);
        MciDeviceId id = 0;
        std::string detail;
        EXPECT_EQ(devices().open(parameters, id, detail), expected) << name;
        return detail;
    };
    test::write_file(dir.file("bogus.wav"), "RIFF????WAVEthis is not a sound file at all........");
    const std::string bogus = open_detail("bogus.wav", mci::invalid_file);
    EXPECT_TRUE(bogus.starts_with("The decoder says: ")) << bogus;
    EXPECT_GT(bogus.size(), 20u) << "libsndfile's own words follow";

    write_tone(dir.file("whole.wav"), SF_FORMAT_PCM_16, 8000, 1, 800);
    std::string whole = test::read_file(dir.file("whole.wav"));
    test::write_file(dir.file("cut.wav"), whole.substr(0, 30));
    EXPECT_NE(open_detail("cut.wav", mci::invalid_file), "");

    // Format tag 0x0161 (WMA) is a codec libsndfile does not have.
    std::string wma = whole;
    wma[20] = '\x61';
    wma[21] = '\x01';
    test::write_file(dir.file("wma.wav"), wma);
    EXPECT_NE(open_detail("wma.wav", mci::invalid_file), "");

    // A sound file that is not a wave file: the device plays wave files only.
    SF_INFO info{};
    info.samplerate = 8000;
    info.channels = 1;
    info.format = SF_FORMAT_AIFF | SF_FORMAT_PCM_16;
    SNDFILE* aiff = sf_open(dir.file("tone.aiff").c_str(), SFM_WRITE, &info);
    ASSERT_NE(aiff, nullptr);
    std::vector<short> silence(800);
    sf_writef_short(aiff, silence.data(), 800);
    sf_close(aiff);
    EXPECT_EQ(open_detail("tone.aiff", mci::invalid_file), "It is not a RIFF WAVE file.");

    // MPEG layer 3 data that nothing decodes: broken here, where the decoder is.
    std::string noise;
    for (int i = 0; i < 20000; ++i)
        noise += static_cast<char>(i * 7919 % 251);
    test::write_file(dir.file("noise.wav"), wave_with_tag(0x55, noise));
    ASSERT_TRUE(mpeg_layer_3_decoding_available());
    EXPECT_EQ(open_detail("noise.wav", mci::invalid_file),
              "Its MPEG layer 3 data cannot be decoded.");
}

TEST(UndecodableSoundFile, MpegLayer3WithoutItsDecoderIsTheOutputsProblem) {
    EXPECT_EQ(undecodable_file_error(0x55, false), mci::wave_outputs_unsuitable);
    EXPECT_EQ(undecodable_file_error(0x55, true), mci::invalid_file);
    EXPECT_EQ(undecodable_file_error(0x01, false), mci::invalid_file);
}

TEST_F(MediaDevicesTest, Mp3LengthStartsFromTheHeaderAndBecomesWhatDecodes) {
    // Ten seconds, so that the header's estimate and the decoder differ.
    write_tone(dir.file("pcm.wav"), SF_FORMAT_PCM_16, 22050, 1, 220500);
    auto mp3 = make_mp3_wave(dir.file("pcm.wav"), dir.file("mp3.wav"));
    if (!mp3)
        GTEST_SKIP() << "ffmpeg with libmp3lame is not available";
    const std::uint32_t decodable =
        static_cast<std::uint32_t>(*count_decodable_frames(*mp3) * 1000 / 22050);
    const std::optional<SoundFileFormat> header = probe_sound_file(*mp3).format;
    ASSERT_TRUE(header);
    const auto estimate = static_cast<std::uint32_t>(header->frames * 1000 / 22050);
    EXPECT_GT(estimate, decodable);
    MciDeviceId id = open_file(*mp3);
    ASSERT_NE(id, 0u);
    // The open reads the header, not the whole file; the count may already be
    // done on a machine that is slow to come back to this thread.
    const std::uint32_t first_length = status(id, mci::StatusItem::length);
    EXPECT_TRUE(first_length == estimate || first_length == decodable) << first_length;
    // The decoder's delay and the encoder's padding add a little.
    EXPECT_GE(decodable, 10000u);
    EXPECT_LE(decodable, 10200u);
    auto deadline = Clock::now() + 5s;
    while (status(id, mci::StatusItem::length) != decodable && Clock::now() < deadline)
        std::this_thread::sleep_for(5ms);
    EXPECT_EQ(status(id, mci::StatusItem::length), decodable);
    // Places up to the first length given stay valid and mean the end.
    EXPECT_EQ(devices().seek(id, estimate), 0u);
    EXPECT_EQ(status(id, mci::StatusItem::position), decodable);
    EXPECT_EQ(devices().seek(id, estimate + 1), mci::outofrange);
    ASSERT_EQ(devices().play(id, 9700, estimate), 0u);
    ASSERT_TRUE(wait_for_stop(id));
    EXPECT_EQ(status(id, mci::StatusItem::position), decodable);
    EXPECT_EQ(audio::AudioOutput::instance().latest()->state(), audio::Playback::State::completed);
}

TEST_F(MediaDevicesTest, UnknownIdentifiersAreRejected) {
    std::uint32_t value = 0;
    MciDeviceId unknown = 0xFFFF0000;
    EXPECT_EQ(devices().set_time_format(unknown, mci::TimeFormat::milliseconds),
              mci::invalid_device_id);
    EXPECT_EQ(devices().status(unknown, mci::StatusItem::mode, 0, value), mci::invalid_device_id);
    EXPECT_EQ(devices().seek(unknown, 0), mci::invalid_device_id);
    EXPECT_EQ(devices().play(unknown, std::nullopt, std::nullopt), mci::invalid_device_id);
    EXPECT_EQ(devices().stop(unknown), mci::invalid_device_id);
    EXPECT_EQ(devices().close(unknown), mci::invalid_device_id);

    write_tone(dir.file("a.wav"), SF_FORMAT_PCM_16, 8000, 1, 800);
    MciDeviceId first = open_file(dir.file("a.wav"));
    MciDeviceId second = open_file(dir.file("a.wav"));
    EXPECT_GE(first, 1u);
    EXPECT_GT(second, first);
    EXPECT_EQ(devices().close(first), 0u);
    EXPECT_EQ(devices().close(first), mci::invalid_device_id);
    EXPECT_EQ(devices().status(first, mci::StatusItem::mode, 0, value), mci::invalid_device_id);
    EXPECT_EQ(status(second, mci::StatusItem::length), 100u);
}

TEST_F(MediaDevicesTest, SeeksAndChecksRanges) {
    write_tone(dir.file("a.wav"), SF_FORMAT_PCM_16, 8000, 1, 4000);
    MciDeviceId id = open_file(dir.file("a.wav"));
    EXPECT_EQ(devices().seek(id, 250), 0u);
    EXPECT_EQ(status(id, mci::StatusItem::position), 250u);
    EXPECT_EQ(devices().seek(id, 501), mci::outofrange);
    EXPECT_EQ(devices().seek(id, 500), 0u);
    EXPECT_EQ(devices().play(id, 300, 200), mci::outofrange);
    EXPECT_EQ(devices().play(id, 0, 501), mci::outofrange);
    EXPECT_EQ(status(id, mci::StatusItem::position), 500u);
    // Playing from the end plays nothing.
    EXPECT_EQ(devices().play(id, std::nullopt, std::nullopt), 0u);
    EXPECT_EQ(status(id, mci::StatusItem::mode), mci::mode_stop);
    EXPECT_EQ(status_error(id, mci::StatusItem::length, 2), mci::outofrange);
}

TEST_F(MediaDevicesTest, PlaysInRealTimeToTheEndWithoutBlocking) {
    write_tone(dir.file("a.wav"), SF_FORMAT_PCM_16, 22050, 1, 6615); // 300 ms
    MciDeviceId id = open_file(dir.file("a.wav"));
    auto start = Clock::now();
    ASSERT_EQ(devices().play(id, std::nullopt, std::nullopt), 0u);
    EXPECT_LT(since(start), 50ms);
    EXPECT_TRUE(playing(id));

    std::uint32_t last = 0;
    bool moved_midway = false;
    while (playing(id) && since(start) < 5s) {
        std::uint32_t position = status(id, mci::StatusItem::position);
        EXPECT_GE(position, last);
        EXPECT_LE(position, 300u);
        moved_midway = moved_midway || (position > 0 && position < 300);
        last = position;
        std::this_thread::sleep_for(10ms);
    }
    EXPECT_FALSE(playing(id));
    EXPECT_TRUE(moved_midway);
    EXPECT_GE(since(start), 250ms); // paced by the clock, not as fast as decoding
    EXPECT_EQ(status(id, mci::StatusItem::position), 300u);
}

TEST_F(MediaDevicesTest, PlaysARangeAndStopsWhereAsked) {
    write_tone(dir.file("a.wav"), SF_FORMAT_IMA_ADPCM, 22050, 2, 22050);
    MciDeviceId id = open_file(dir.file("a.wav"));
    ASSERT_EQ(devices().play(id, 100, 250), 0u);
    auto start = Clock::now();
    ASSERT_TRUE(wait_for_stop(id));
    EXPECT_GE(since(start), 100ms);
    EXPECT_EQ(status(id, mci::StatusItem::position), 250u);

    // Stopped midway, the position stays where the sound was.
    ASSERT_EQ(devices().play(id, 0, std::nullopt), 0u);
    auto deadline = Clock::now() + 2s;
    while (status(id, mci::StatusItem::position) < 100 && Clock::now() < deadline)
        std::this_thread::sleep_for(5ms);
    EXPECT_EQ(devices().stop(id), 0u);
    EXPECT_EQ(status(id, mci::StatusItem::mode), mci::mode_stop);
    std::uint32_t stopped_at = status(id, mci::StatusItem::position);
    EXPECT_GE(stopped_at, 100u);
    EXPECT_LT(stopped_at, 900u);
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(status(id, mci::StatusItem::position), stopped_at);

    // Seeking while playing stops at the new place.
    ASSERT_EQ(devices().play(id, 0, std::nullopt), 0u);
    EXPECT_EQ(devices().seek(id, 700), 0u);
    EXPECT_EQ(status(id, mci::StatusItem::mode), mci::mode_stop);
    EXPECT_EQ(status(id, mci::StatusItem::position), 700u);
}

TEST_F(MediaDevicesTest, OneSoundAtATime) {
    write_tone(dir.file("a.wav"), SF_FORMAT_PCM_16, 8000, 1, 8000);
    write_tone(dir.file("b.wav"), SF_FORMAT_PCM_16, 8000, 1, 1600);
    MciDeviceId a = open_file(dir.file("a.wav"));
    MciDeviceId b = open_file(dir.file("b.wav"));
    ASSERT_EQ(devices().play(a, std::nullopt, std::nullopt), 0u);
    auto sound_of_a = audio::AudioOutput::instance().latest();
    ASSERT_EQ(devices().play(b, std::nullopt, std::nullopt), 0u);
    EXPECT_EQ(status(a, mci::StatusItem::mode), mci::mode_stop);
    EXPECT_TRUE(sound_of_a->wait_until_drained(Clock::now() + 100ms)); // cut off, not left waiting
    EXPECT_LT(status(a, mci::StatusItem::position), 1000u);
    EXPECT_TRUE(playing(b));
    ASSERT_TRUE(wait_for_stop(b));
    EXPECT_EQ(status(b, mci::StatusItem::position), 200u);
    // Closing a playing device ends its sound.
    ASSERT_EQ(devices().play(a, 0, std::nullopt), 0u);
    ASSERT_EQ(devices().close(a), 0u);
    auto latest = audio::AudioOutput::instance().latest();
    ASSERT_TRUE(latest);
    EXPECT_EQ(latest->state(), audio::Playback::State::stopped);
}

TEST_F(MediaDevicesTest, PlaysASoundFileSynchronously) {
    write_tone(dir.file("name.wav"), SF_FORMAT_PCM_16, 16000, 1, 3200); // 200 ms
    auto start = Clock::now();
    EXPECT_TRUE(play_sound_file_synchronously(dir.file("name.wav")));
    EXPECT_GE(since(start), 180ms);
    EXPECT_FALSE(play_sound_file_synchronously(dir.file("absent.wav")));
}

// What the sources hand to the output

std::vector<std::int16_t> read_all(audio::PcmSource& source, std::size_t chunk = 1000) {
    std::vector<std::int16_t> all;
    std::vector<std::int16_t> buffer(chunk * 2);
    while (std::size_t n = source.read(buffer.data(), chunk))
        all.insert(all.end(), buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(n * 2));
    return all;
}

TEST_F(MediaDevicesTest, SourcesStartingMidwayMatchTheWholeDecode) {
    // 1600 frames at 8 kHz are 8820 output frames exactly, so both resample alike.
    write_tone(dir.file("gsm.wav"), SF_FORMAT_GSM610, 8000, 1, 8000);
    write_tone(dir.file("pcm.wav"), SF_FORMAT_PCM_16, 8000, 2, 8000);
    std::vector<std::string> files = {dir.file("gsm.wav"), dir.file("pcm.wav")};
    write_tone(dir.file("pcm22.wav"), SF_FORMAT_PCM_16, 8000, 1, 8000);
    if (auto mp3 = make_mp3_wave(dir.file("pcm22.wav"), dir.file("mp3.wav")))
        files.push_back(*mp3);
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        auto format = probe_sound_file(file).format;
        ASSERT_TRUE(format);
        const std::uint64_t frames = *count_decodable_frames(file);
        auto whole = open_sound_file_source(file, 0, frames);
        auto part = open_sound_file_source(file, 1600, 3200);
        ASSERT_TRUE(whole && part);
        std::vector<std::int16_t> all = read_all(*whole);
        std::vector<std::int16_t> some = read_all(*part, 333);
        EXPECT_EQ(all.size() / 2, LinearResampler::output_frames(frames, 8000));
        ASSERT_EQ(some.size(), 8820u * 2);
        // The last frames of the part hold its last input frame instead of
        // leaning towards the next one, which the part does not have.
        EXPECT_TRUE(std::equal(some.begin(), some.end() - 6 * 2, all.begin() + 8820 * 2));
        EXPECT_FALSE(part->failed());
    }
    // Channels: mono on both sides, stereo kept apart.
    std::vector<std::int16_t> stereo = read_all(*open_sound_file_source(files[1], 8, 9));
    EXPECT_GT(stereo[0], 1000);
    EXPECT_EQ(stereo[1], -stereo[0]);
    std::vector<std::int16_t> mono = read_all(*open_sound_file_source(files[0], 8, 9));
    EXPECT_EQ(mono[1], mono[0]);
    EXPECT_NE(mono[0], 0);
}

TEST(LinearResamplerTest, InterpolatesAndStreamsLikeAWhole) {
    EXPECT_EQ(LinearResampler::output_frames(48000, 48000), 48000u * 44100 / 48000);
    EXPECT_EQ(LinearResampler::output_frames(22050, 22050), 44100u);
    EXPECT_EQ(LinearResampler::output_frames(1, 8000), 6u);
    EXPECT_EQ(LinearResampler::output_frames(7, 44100), 7u);

    // Half the rate: every other output frame lies midway; the last one holds.
    LinearResampler doubling(22050);
    std::vector<std::int16_t> in = {0, 0, 100, -100};
    doubling.push(in.data(), 2);
    doubling.end_input();
    std::vector<std::int16_t> out(10);
    ASSERT_EQ(doubling.pull(out.data(), 5), 4u);
    EXPECT_EQ(out, (std::vector<std::int16_t>{0, 0, 50, -50, 100, -100, 100, -100, 0, 0}));
    EXPECT_TRUE(doubling.finished());

    // Fed one frame at a time it gives the same frames as fed at once.
    std::vector<std::int16_t> ramp;
    for (int i = 0; i < 300; ++i) {
        ramp.push_back(static_cast<std::int16_t>(i * 37 % 2000));
        ramp.push_back(static_cast<std::int16_t>(-i));
    }
    LinearResampler whole(11025);
    whole.push(ramp.data(), 300);
    whole.end_input();
    std::vector<std::int16_t> expected(2000 * 2);
    expected.resize(whole.pull(expected.data(), 2000) * 2);
    LinearResampler piecewise(11025);
    std::vector<std::int16_t> got;
    std::vector<std::int16_t> buffer(8);
    for (int i = 0; i <= 300; ++i) {
        if (i < 300)
            piecewise.push(ramp.data() + 2 * i, 1);
        else
            piecewise.end_input();
        while (std::size_t n = piecewise.pull(buffer.data(), 3))
            got.insert(got.end(), buffer.begin(),
                       buffer.begin() + static_cast<std::ptrdiff_t>(n * 2));
    }
    EXPECT_EQ(expected.size(), 1200u * 2);
    EXPECT_EQ(got, expected);
}

// CD images in the virtual changer

constexpr std::uint32_t msf_of(std::uint32_t sectors) {
    return (sectors / 4500) | (sectors / 75 % 60) << 8 | (sectors % 75) << 16;
}

TEST_F(MediaDevicesTest, ChangerReportsTracksAndPositions) {
    // Starts at sectors 0, 160, 265: with the lead-in 2, 4 and 5 whole seconds.
    write_image(dir.path(), "disc", {{160}, {105}, {225}});
    MciDeviceId id = load_disc("3;2;4;5");
    EXPECT_EQ(status(id, mci::StatusItem::media_present), 1u);
    EXPECT_EQ(status(id, mci::StatusItem::mode), mci::mode_stop);
    EXPECT_EQ(status(id, mci::StatusItem::number_of_tracks), 3u);

    ASSERT_EQ(devices().set_time_format(id, mci::TimeFormat::msf), 0u);
    EXPECT_EQ(status(id, mci::StatusItem::position, 1), mci::msf(0, 2, 0));
    EXPECT_EQ(status(id, mci::StatusItem::position, 2), msf_of(150 + 160));
    EXPECT_EQ(status(id, mci::StatusItem::position, 3), msf_of(150 + 265));
    EXPECT_EQ(status(id, mci::StatusItem::length, 2), msf_of(105));
    EXPECT_EQ(status(id, mci::StatusItem::length, 3), msf_of(225));
    EXPECT_EQ(status(id, mci::StatusItem::position), mci::msf(0, 2, 0));

    ASSERT_EQ(devices().set_time_format(id, mci::TimeFormat::tmsf), 0u);
    EXPECT_EQ(status(id, mci::StatusItem::position, 3), 3u);
    EXPECT_EQ(status(id, mci::StatusItem::length, 1), msf_of(160)); // lengths stay MSF
    ASSERT_EQ(devices().seek(id, tmsf(2, 0, 1, 5)), 0u);
    EXPECT_EQ(status(id, mci::StatusItem::position), tmsf(2, 0, 1, 5));

    ASSERT_EQ(devices().set_time_format(id, mci::TimeFormat::milliseconds), 0u);
    EXPECT_EQ(status(id, mci::StatusItem::length, 1), 160u * 1000 / 75);
    EXPECT_EQ(status(id, mci::StatusItem::position), (150u + 160 + 80) * 1000 / 75);
}

TEST_F(MediaDevicesTest, IdentityListsAllTracksButOnly25Starts) {
    write_image(dir.path(), "long", std::vector<ImageTrack>(30, ImageTrack{75}));
    std::string starts_of_30 = "30";
    for (int second = 2; second <= 31; ++second)
        starts_of_30 += ";" + std::to_string(second);
    MciDeviceId wrong = load_disc(starts_of_30);
    EXPECT_EQ(status(wrong, mci::StatusItem::media_present), 0u);

    std::string identity = "30";
    for (int second = 2; second <= 26; ++second)
        identity += ";" + std::to_string(second);
    MciDeviceId id = load_disc(identity);
    EXPECT_EQ(status(id, mci::StatusItem::media_present), 1u);
    EXPECT_EQ(status(id, mci::StatusItem::number_of_tracks), 30u);
    EXPECT_EQ(status(id, mci::StatusItem::position, 30), msf_of(150 + 29 * 75));
}

TEST_F(MediaDevicesTest, ChangerLoadsTheWantedImageOrKeepsItsDisc) {
    write_image(dir.path(), "a", {{160}, {105}, {225}});
    write_image(dir.path(), "b", {{300}, {75}});
    MciDeviceId nothing = open_changer();
    EXPECT_EQ(status(nothing, mci::StatusItem::media_present), 0u);
    EXPECT_EQ(status(nothing, mci::StatusItem::mode), mci::mode_open);
    EXPECT_EQ(status_error(nothing, mci::StatusItem::number_of_tracks), mci::device_not_ready);
    EXPECT_EQ(devices().play(nothing, std::nullopt, std::nullopt), mci::device_not_ready);

    MciDeviceId b = load_disc("2;2;6");
    EXPECT_EQ(status(b, mci::StatusItem::number_of_tracks), 2u);
    MciDeviceId a = load_disc("3;2;4;5");
    EXPECT_EQ(status(a, mci::StatusItem::number_of_tracks), 3u);
    // Both devices are the same drive: the first now sees the new disc.
    EXPECT_EQ(status(b, mci::StatusItem::number_of_tracks), 3u);

    MciDeviceId kept = load_disc("4;2;3;4;5");
    EXPECT_EQ(status(kept, mci::StatusItem::number_of_tracks), 3u);
    MciDeviceId unasked = open_changer();
    EXPECT_EQ(status(unasked, mci::StatusItem::number_of_tracks), 3u);

    // Another folder is another changer: nothing in it yet.
    TempDir other;
    set_cd_image_folder(other.path());
    EXPECT_EQ(status(unasked, mci::StatusItem::media_present), 0u);
}

TEST_F(MediaDevicesTest, PlaysATmsfSpanToItsEnd) {
    write_image(dir.path(), "disc", {{160}, {105}, {225}});
    MciDeviceId id = load_disc("3;2;4;5");
    ASSERT_EQ(devices().set_time_format(id, mci::TimeFormat::tmsf), 0u);
    auto start = Clock::now();
    ASSERT_EQ(devices().play(id, tmsf(2, 0, 0, 10), tmsf(2, 0, 0, 40)), 0u);
    EXPECT_LT(since(start), 50ms);
    EXPECT_TRUE(playing(id));
    std::uint32_t during = status(id, mci::StatusItem::position);
    EXPECT_EQ(during & 0xFF, 2u);
    ASSERT_TRUE(wait_for_stop(id));
    EXPECT_GE(since(start), 350ms); // 30 sectors are 0.4 s
    EXPECT_EQ(status(id, mci::StatusItem::position), tmsf(2, 0, 0, 40));

    // A span to the end of a track ends at the next track's start.
    ASSERT_EQ(devices().set_time_format(id, mci::TimeFormat::msf), 0u);
    ASSERT_EQ(devices().play(id, msf_of(150 + 160 + 95), msf_of(150 + 265)), 0u);
    ASSERT_TRUE(wait_for_stop(id));
    EXPECT_EQ(status(id, mci::StatusItem::position), msf_of(150 + 265));
}

TEST_F(MediaDevicesTest, CdSourceHandsTheSectorsAsStored) {
    write_image(dir.path(), "disc", {{10}, {10}});
    auto disc = CdDisc::open_image(dir.file("disc.cue"));
    ASSERT_TRUE(disc);
    EXPECT_EQ(disc->identity(), "2;2;2");
    auto source = open_cd_source(disc, 3, 12);
    ASSERT_TRUE(source);
    std::vector<std::int16_t> all = read_all(*source, 1000);
    ASSERT_EQ(all.size(), 9u * 588 * 2);
    for (std::size_t frame = 0; frame < all.size() / 2; frame += 293) {
        auto sector = static_cast<std::int16_t>(3 + frame / 588);
        EXPECT_EQ(all[2 * frame], sector);
        EXPECT_EQ(all[2 * frame + 1], -sector);
    }
    EXPECT_FALSE(source->failed());
    EXPECT_FALSE(open_cd_source(disc, 15, 21)); // past the disc's end
}

// What the sonogram reads: the frames play would hand over for the same span.
TEST_F(MediaDevicesTest, SamplesOfASpanAreThoseItsPlayHands) {
    write_image(dir.path(), "disc", {{160}, {105}});
    MciDeviceId cd = load_disc("2;2;4");
    ASSERT_EQ(devices().set_time_format(cd, mci::TimeFormat::tmsf), 0u);
    audio::SourceFactory factory;
    ASSERT_EQ(devices().samples(cd, tmsf(2, 0, 0, 10), tmsf(2, 0, 0, 40), factory), 0u);
    EXPECT_EQ(devices().close(cd), 0u) << "the factory outlives the device";
    opened.clear();
    auto source = factory();
    ASSERT_TRUE(source);
    std::vector<std::int16_t> span = read_all(*source);
    ASSERT_EQ(span.size(), 30u * 588 * 2);
    EXPECT_EQ(span.front(), 170);
    EXPECT_EQ(span.back(), -199);
    EXPECT_EQ(devices().samples(load_disc("2;2;4"), tmsf(3, 0, 0, 0), tmsf(3, 0, 1, 0), factory),
              mci::outofrange);

    write_tone(dir.file("a.wav"), SF_FORMAT_PCM_16, 22050, 1, 22050);
    MciDeviceId file = open_file(dir.file("a.wav"));
    ASSERT_EQ(devices().samples(file, 250, 750, factory), 0u);
    auto tone = factory();
    ASSERT_TRUE(tone);
    std::vector<std::int16_t> part = read_all(*tone);
    EXPECT_NEAR(static_cast<double>(part.size()) / 2, 44100.0 / 2, 2);
    auto whole = open_sound_file_source(dir.file("a.wav"), 0, 22050);
    std::vector<std::int16_t> all = read_all(*whole);
    // The span starts at input frame 5512, output frame 11024 of the whole.
    EXPECT_TRUE(std::equal(part.begin(), part.end() - 2, all.begin() + 2 * 11024));
    EXPECT_EQ(devices().samples(file, 750, 250, factory), mci::outofrange);
}

TEST_F(MediaDevicesTest, BrokenImagesGiveErrorsNotCrashes) {
    // No BIN beside the CUE: no disc to load.
    write_image(dir.path(), "gone", {{100}, {100}});
    std::filesystem::remove(dir.file("gone.bin"));
    MciDeviceId id = load_disc("2;2;3");
    EXPECT_EQ(status(id, mci::StatusItem::media_present), 0u);

    // A BIN that ends inside track 1: track 2 is there by name only.
    write_image(dir.path(), "short", {{150}, {150}}, 100);
    id = load_disc("2;2;4");
    ASSERT_EQ(status(id, mci::StatusItem::media_present), 1u);
    ASSERT_EQ(devices().set_time_format(id, mci::TimeFormat::tmsf), 0u);
    EXPECT_EQ(status(id, mci::StatusItem::length, 1), msf_of(100));
    EXPECT_EQ(devices().play(id, tmsf(2, 0, 0, 0), tmsf(2, 0, 0, 10)), mci::outofrange);
    EXPECT_EQ(devices().play(id, tmsf(1, 0, 1, 0), tmsf(1, 0, 1, 30)), mci::outofrange);
    EXPECT_EQ(devices().play(id, tmsf(1, 0, 1, 10), tmsf(1, 0, 1, 25)), 0u);
    EXPECT_TRUE(wait_for_stop(id));

    // Cut after loading: the play fails instead of playing silence.
    std::filesystem::resize_file(dir.file("short.bin"), 0);
    EXPECT_EQ(devices().play(id, tmsf(1, 0, 0, 0), tmsf(1, 0, 0, 10)), mci::hardware);
    EXPECT_EQ(status(id, mci::StatusItem::mode), mci::mode_stop);

    // A data disc has tracks but no sound.
    write_image(dir.path(), "data", {{200, false}});
    id = load_disc("1;2");
    EXPECT_EQ(status(id, mci::StatusItem::number_of_tracks), 1u);
    ASSERT_EQ(devices().set_time_format(id, mci::TimeFormat::tmsf), 0u);
    EXPECT_EQ(devices().play(id, tmsf(1, 0, 0, 0), tmsf(1, 0, 1, 0)), mci::hardware);
}

TEST_F(MediaDevicesTest, RejectsTracksAndOffsetsTheDiscLacks) {
    write_image(dir.path(), "disc", {{160}, {105}, {225}});
    MciDeviceId id = load_disc("3;2;4;5");
    ASSERT_EQ(devices().set_time_format(id, mci::TimeFormat::tmsf), 0u);
    EXPECT_EQ(status_error(id, mci::StatusItem::length, 4), mci::outofrange);
    EXPECT_EQ(status_error(id, mci::StatusItem::position, 9), mci::outofrange);
    EXPECT_EQ(devices().play(id, tmsf(4, 0, 0, 0), tmsf(4, 0, 1, 0)), mci::outofrange);
    EXPECT_EQ(devices().play(id, tmsf(2, 0, 1, 31), std::nullopt), mci::outofrange);
    EXPECT_EQ(devices().play(id, tmsf(2, 0, 0, 20), tmsf(2, 0, 0, 10)), mci::outofrange);
    EXPECT_EQ(devices().seek(id, tmsf(1, 0, 0, 75)), mci::outofrange);
    ASSERT_EQ(devices().set_time_format(id, mci::TimeFormat::msf), 0u);
    EXPECT_EQ(devices().seek(id, mci::msf(0, 60, 0)), mci::outofrange);
    EXPECT_EQ(devices().seek(id, mci::msf(0, 1, 0)), mci::outofrange); // inside the lead-in
    EXPECT_EQ(devices().seek(id, msf_of(150 + 491)), mci::outofrange);
    EXPECT_EQ(status(id, mci::StatusItem::mode), mci::mode_stop);
}

TEST(PhysicalCdDriveTest, LooksAtTheDriveOnceAnIntervalAndNeverWaitsForAnotherLook) {
    std::atomic<int> looks = 0;
    PhysicalCdDrive empty(
        "/dev/empty",
        [&](const std::string&) {
            ++looks;
            return std::shared_ptr<CdDisc>();
        },
        std::chrono::hours(1));
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(empty.disc(), nullptr);
    EXPECT_EQ(looks, 1) << "an empty drive is not opened at every status query";

    // A drive that spins up holds its looker, not the others.
    looks = 0;
    std::promise<void> entered;
    std::promise<void> answer;
    std::shared_future<void> answered = answer.get_future().share();
    PhysicalCdDrive slow(
        "/dev/slow",
        [&](const std::string&) {
            if (++looks == 1)
                entered.set_value();
            answered.wait_for(2s);
            return std::shared_ptr<CdDisc>();
        },
        0ms);
    std::thread looker([&] { slow.disc(); });
    entered.get_future().wait();
    EXPECT_EQ(slow.disc(), nullptr);
    EXPECT_EQ(looks, 1);
    answer.set_value();
    looker.join();
}

TEST_F(MediaDevicesTest, CountsCdDevicesAndRejectsOthers) {
    std::uint32_t count = devices().cd_audio_device_count();
    EXPECT_EQ(count, cd_drive_names().size() + 1);
    mci::OpenParameters parameters;
    MciDeviceId id = 0;
    parameters.device_type = mci::devtype_cd_audio | count << 16;
    EXPECT_EQ(devices().open(parameters, id), mci::invalid_device_name);
    parameters.device_type = 514u; // a video disc player
    EXPECT_EQ(devices().open(parameters, id), mci::cannot_load_driver);
}

TEST(MciErrorTextTest, OwnTextsForOurNumbersAndAGenericOneInTheRange) {
    for (MciError error :
         {mci::invalid_device_id, mci::hardware, mci::invalid_device_name, mci::cannot_load_driver,
          mci::unsupported_function, mci::file_not_found, mci::device_not_ready, mci::outofrange,
          mci::bad_time_format, mci::invalid_file, mci::wave_outputs_unsuitable,
          mci::wave_outputs_in_use}) {
        auto text = mci_error_text(error);
        ASSERT_TRUE(text) << error;
        EXPECT_NE(*text, *mci_error_text(300)) << error;
        EXPECT_LE(text->size(), 128u); // the callers' buffer holds 129 characters
    }
    EXPECT_TRUE(mci_error_text(511));
    EXPECT_FALSE(mci_error_text(0));
    EXPECT_FALSE(mci_error_text(255));
    EXPECT_FALSE(mci_error_text(512));
}

} // namespace
} // namespace pemmaro
