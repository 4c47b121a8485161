#include "FakeMediaDevices.h"
#include "TestSupport.h"
#include "common/LanguageTexts.h"
#include "common/Product.h"
#include "common/SettingsFile.h"
#include "data/DataSet.h"
#include "sound/AudioCdDrive.h"
#include "sound/SoundPlayers.h"

#include <gtest/gtest.h>

using namespace pemmaro;
using namespace pemmaro::test;

namespace {

const char* const language_texts = "$[AUDIO_CD]\r\nDrive\r\nWhich?\r\nDrive\r\n"
                                   "The disc is not the audio CD\r\nPlay anyway?\r\n"
                                   "No disc here.\r\n"
                                   "$[AUDIO_CD_2]\r\nEmpty drive\r\nIn the drive:\r\nan unknown "
                                   "disc\r\n";

// The expected text of a device error, whichever texts the device layer knows.
std::string error_text(const std::string& context, MciError error) {
    const std::optional<std::string> text = mci_error_text(error);
    return text ? context + " " + std::to_string(error) + ": " + *text
                : context + " Unknown Error " + std::to_string(error);
}

class SoundPlayers : public ::testing::Test {
protected:
    void SetUp() override {
        textfile() = Ttextfile_handler(language_texts);
        settings_file().path = folder_.file("Pemmaro.ini");
        settings_file().on_cd_rom = false;
        product().edition_spanish = false;
        audio_cd_key_checker() = Taudio_CD_key_checker();
        fake().files["/disc/a.wav"] = 10000;
        fake().tracks = {{2000, 243000}, {245000, 266000}, {511000, 100000}};
        cd_.media_text_2 = "Songs of the Solvara";
        cd_.media_text_3 = "3;2;245;511";
        recording_.is_sound_file = false;
        recording_.audio_cd = &cd_;
        recording_.track = 2;
        recording_.offset_ms = 10000;
    }
    void TearDown() override {
        textfile() = Ttextfile_handler();
        settings_file().path.clear();
        product().edition_spanish = false;
    }

    FakeMediaDevices& fake() { return media_.devices; }
    std::vector<MessageRequest>& messages() { return responder_.responder.requests; }

    TempDir folder_;
    ScopedFakeMediaDevices media_;
    ScopedResponder responder_;
    TaudioCD cd_;
    Tcutpart recording_;
};

} // namespace

TEST(CdTimes, ConvertWithIntegerRules) {
    EXPECT_EQ(msf_to_ms(mci::msf(2, 3, 74)), 123986u); // 74 frames: 986.66 ms, dropped
    EXPECT_EQ(msf_to_ms(mci::msf(0, 0, 1)), 13u);
    EXPECT_EQ(ms_to_tmsf(123986, 5), 5u | 2u << 8 | 3u << 16 | 73u << 24);
    EXPECT_EQ(ms_to_tmsf(59999, 1), 1u | 0u << 8 | 59u << 16 | 74u << 24);
    EXPECT_EQ(ms_to_tmsf(3600000, 9), 9u | 60u << 8);
}

TEST_F(SoundPlayers, FileSpanPlaysItsPartAndIsShortenedAtTheFileEnd) {
    TSoundFilePlayer player;
    int length = 3000;
    bool file_problem = true;
    ASSERT_TRUE(player.Open("/disc/a.wav", 2000, length, file_problem));
    EXPECT_FALSE(file_problem);
    EXPECT_EQ(length, 3000);
    EXPECT_TRUE(fake().logged("format ms"));
    ASSERT_TRUE(player.Play(true));
    EXPECT_EQ(fake().log.back(), "play 2000 5000");

    ASSERT_TRUE(player.SeekTo(500));
    EXPECT_EQ(fake().log.back(), "seek 2500");
    ASSERT_TRUE(player.Play(false));
    EXPECT_EQ(fake().log.back(), "play 2500 5000");
    fake().position_ms = 4200;
    int position = 0;
    ASSERT_TRUE(player.GetPosition(position));
    EXPECT_EQ(position, 2200);

    TSoundFilePlayer late;
    length = 5000;
    ASSERT_TRUE(late.Open("/disc/a.wav", 8000, length, file_problem));
    EXPECT_EQ(length, 2000);
    length = 1000;
    ASSERT_TRUE(late.Open("/disc/a.wav", 12000, length, file_problem));
    EXPECT_EQ(length, 0) << "a span beyond the file plays nothing, never a negative length";
    EXPECT_TRUE(messages().empty());
}

TEST_F(SoundPlayers, OnlyAMissingFileIsAFileProblemAndOtherOpenErrorsKeepTheirDetail) {
    fake().failures["open"] = mci::file_not_found;
    TSoundFilePlayer missing;
    int length = 1000;
    bool file_problem = false;
    EXPECT_FALSE(missing.Open("/disc/a.wav", 0, length, file_problem));
    EXPECT_TRUE(file_problem);
    EXPECT_EQ(length, 1000);
    EXPECT_TRUE(messages().empty());

    // A file that is there but broken: another base directory would not help.
    fake().open_detail = "The decoder says: Format not recognised.";
    for (MciError error : {mci::invalid_file, mci::cannot_load_driver, MciError{9999}}) {
        fake().failures["open"] = error;
        TSoundFilePlayer player;
        file_problem = true;
        EXPECT_FALSE(player.Open("/disc/a.wav", 0, length, file_problem));
        EXPECT_FALSE(file_problem) << error;
        ASSERT_FALSE(messages().empty());
        EXPECT_EQ(messages().back().text,
                  error_text("mci_Open, Element name = \"/disc/a.wav\", ", error) + " " +
                      fake().open_detail);
        EXPECT_EQ(messages().back().icon, MessageIcon::error);
    }
    EXPECT_EQ(messages().size(), 3u);
}

TEST_F(SoundPlayers, DeviceCommandsReportOnceAndAFailedStopCloses) {
    TSoundFilePlayer player;
    int length = 3000;
    bool file_problem = false;
    ASSERT_TRUE(player.Open("/disc/a.wav", 0, length, file_problem));
    EXPECT_TRUE(player.Stop()) << "open but not playing";
    EXPECT_EQ(fake().count("stop"), 0u);

    fake().failures["play"] = mci::outofrange;
    EXPECT_FALSE(player.Play(true));
    EXPECT_FALSE(player.playing());
    fake().failures.clear();
    ASSERT_TRUE(player.Play(true));
    fake().failures["stop"] = mci::hardware;
    EXPECT_FALSE(player.Stop());
    EXPECT_EQ(player.device_id(), 0u) << "a failed stop closes the device";
    EXPECT_EQ(fake().open_devices(), 0u);
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[0].text, error_text("mci_Play", mci::outofrange));
    EXPECT_EQ(messages()[1].text, error_text("mci_Stop", mci::hardware));
}

TEST_F(SoundPlayers, ReopeningClosesADeviceLeftOpenByAFailedOpen) {
    TSoundFilePlayer player;
    fake().failures["status length"] = mci::hardware;
    int length = 3000;
    bool file_problem = false;
    EXPECT_FALSE(player.Open("/disc/a.wav", 0, length, file_problem));
    EXPECT_EQ(fake().open_devices(), 1u);
    fake().failures.clear();
    EXPECT_TRUE(player.Open("/disc/a.wav", 0, length, file_problem));
    EXPECT_EQ(fake().open_devices(), 1u);
}

TEST_F(SoundPlayers, CompressedFilePlaysWholeWithItsRealLength) {
    TCutPartFilePlayer player;
    int length = 5000;
    bool file_problem = false;
    ASSERT_TRUE(player.Open("/disc/a.wav", false, length, file_problem));
    EXPECT_EQ(length, 10000);
    ASSERT_TRUE(player.Play(true));
    EXPECT_EQ(fake().log.back(), "play 0 10000");

    fake().failures["open"] = mci::file_not_found;
    TCutPartFilePlayer missing;
    length = 5000;
    EXPECT_FALSE(missing.Open("/disc/a.wav", false, length, file_problem));
    EXPECT_EQ(length, 5000) << "a failed open keeps the stated length";
}

TEST_F(SoundPlayers, UnsuitableOutputOfAnMpegFileAsksAboutTheDecoder) {
    fake().failures["open"] = mci::wave_outputs_unsuitable;
    int length = 0;
    bool file_problem = false;
    {
        TCutPartFilePlayer player;
        responder_.responder.answers = {MessageAnswer::yes};
        EXPECT_FALSE(player.Open("/disc/a.wav", true, length, file_problem));
    }
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[0].text,
              "Apparently, no MPEG layer 3 audio decompression codec is installed on your "
              "system. Do you want to install it now?");
    EXPECT_EQ(messages()[0].buttons, MessageButtons::yes_no);
    EXPECT_NE(messages()[1].text.find("mpg123"), std::string::npos);

    messages().clear();
    responder_.responder.answers.clear();
    product().edition_spanish = true;
    TCutPartFilePlayer spanish;
    EXPECT_FALSE(spanish.Open("/disc/a.wav", true, length, file_problem));
    ASSERT_EQ(messages().size(), 1u) << "No: nothing more";
    EXPECT_EQ(messages()[0].text, "Aparentemente, su computadora no cuenta con un descompresor de "
                                  "sonidos comprimidos con \"MPEG layer 3\". \xc2\xbf"
                                  "Desea instalarlo ahora?");
}

TEST_F(SoundPlayers, CdSpanOpensOnTheChosenDriveAndPlaysInTrackTimes) {
    fake().cd_devices = 2;
    TAudioCDTrackPlayer player;
    int length = 5000;
    ASSERT_TRUE(player.Open(2, recording_, audio_cd_disc_check(), length));
    EXPECT_EQ(fake().log[0], "want_disc 3;2;245;511");
    EXPECT_EQ(fake().log[1], "open cd 1 type 516 shareable");
    EXPECT_EQ(player.track_start(), 245000);
    EXPECT_EQ(length, 5000);
    ASSERT_TRUE(player.Play(true));
    EXPECT_EQ(fake().log.back(), "play " + std::to_string(ms_to_tmsf(10000, 2)) + " " +
                                     std::to_string(ms_to_tmsf(15000, 2)));

    fake().position_ms = 245000 + 12000;
    int position = 0;
    ASSERT_TRUE(player.GetPosition(position));
    EXPECT_EQ(position, 2000);
    ASSERT_TRUE(player.SeekTo(3000));
    EXPECT_EQ(fake().log.back(), "seek " + std::to_string(ms_to_tmsf(13000, 2)));
    ASSERT_TRUE(player.SeekTo(5050)) << "the thumb's last step may lie beyond the span";
    EXPECT_EQ(fake().log.back(), "seek " + std::to_string(ms_to_tmsf(15000, 2)));

    // Stopped, a seek only moves where the next play starts.
    ASSERT_TRUE(player.Stop());
    const std::size_t seeks = fake().count("seek");
    ASSERT_TRUE(player.SeekTo(1000));
    EXPECT_EQ(fake().count("seek"), seeks);
    EXPECT_FALSE(player.GetPosition(position)) << "not playing";
    ASSERT_TRUE(player.Play(false));
    EXPECT_EQ(fake().log.back(), "play " + std::to_string(ms_to_tmsf(11000, 2)) + " " +
                                     std::to_string(ms_to_tmsf(15000, 2)));
    EXPECT_TRUE(messages().empty()) << "the disc read in TMSF is still the expected one";

    EXPECT_TRUE(player.Close());
    EXPECT_EQ(fake().open_devices(), 0u);
}

TEST_F(SoundPlayers, CdSpanBeyondTheTrackEndIsShortened) {
    TAudioCDTrackPlayer player;
    recording_.offset_ms = 260000;
    int length = 20000;
    ASSERT_TRUE(player.Open(1, recording_, nullptr, length));
    EXPECT_EQ(length, 6000);
}

TEST_F(SoundPlayers, CdOpenFailsAndClosesWithoutDiscOrWhenTheCheckSaysNo) {
    fake().disc_present = false;
    TAudioCDTrackPlayer player;
    int length = 5000;
    EXPECT_FALSE(player.Open(1, recording_, nullptr, length));
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "No disc here.");
    EXPECT_EQ(messages()[0].icon, MessageIcon::error);
    EXPECT_EQ(fake().open_devices(), 0u);

    fake().disc_present = true;
    std::vector<std::string> asked;
    const DiscCheck refuse = [&](const std::string& name, const std::string& stored,
                                 const std::string& read) {
        asked = {name, stored, read};
        return false;
    };
    fake().tracks.pop_back();
    EXPECT_FALSE(player.Open(1, recording_, refuse, length));
    EXPECT_EQ(asked, (std::vector<std::string>{"Songs of the Solvara", "3;2;245;511", "2;2;245"}));
    EXPECT_EQ(fake().open_devices(), 0u);
    EXPECT_EQ(length, 5000);

    fake().cd_devices = 0;
    EXPECT_FALSE(player.Open(1, recording_, nullptr, length));
    EXPECT_EQ(messages().back().text,
              error_text("mci_Open, Device type = CD Audio, ", mci::invalid_device_name))
        << "no CD device is reported, not taken for a missing file";
}

TEST_F(SoundPlayers, DiscIdentityListsAtMost25TrackStartsAndSkipsUnreadableOnes) {
    TAudioCDTrackPlayer player;
    bool file_problem = false;
    ASSERT_TRUE(player.OpenDevice(mci::devtype_cd_audio, "", true, false, file_problem));
    EXPECT_EQ(read_disc_identity(player, false), "3;2;245;511");

    fake().failures["status position 2"] = mci::hardware;
    EXPECT_EQ(read_disc_identity(player, true), "3;2;511");
    EXPECT_TRUE(messages().empty());

    fake().failures.clear();
    fake().tracks.clear();
    std::string expected = "30";
    for (std::uint32_t i = 0; i < 30; ++i) {
        fake().tracks.push_back({i * 61000, 61000});
        if (i < 25)
            expected += ";" + std::to_string(i * 61);
    }
    EXPECT_EQ(read_disc_identity(player, false), expected);

    fake().failures["status number_of_tracks"] = mci::hardware;
    EXPECT_EQ(read_disc_identity(player, true), std::nullopt);
}

TEST_F(SoundPlayers, KeyCheckerAsksOnceForEachAcceptedWrongDisc) {
    Taudio_CD_key_checker checker;
    EXPECT_TRUE(checker.check("CD", "3;2;245;511", "3;2;245;511"));
    EXPECT_TRUE(messages().empty());

    // Answers by question: OK, Cancel, Cancel, OK, Cancel.
    responder_.responder.answers = {MessageAnswer::ok, MessageAnswer::cancel, MessageAnswer::cancel,
                                    MessageAnswer::ok};
    EXPECT_TRUE(checker.check("Songs", "3;2;245;511", "5;1;2;3;4;5"));
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "The disc is not the audio CD \"Songs\". Play anyway?");
    EXPECT_EQ(messages()[0].buttons, MessageButtons::ok_cancel);
    EXPECT_EQ(messages()[0].default_button, MessageDefault::second) << "Enter cancels";
    EXPECT_TRUE(checker.check("Songs", "3;2;245;511", "5;1;2;3;4;5"));
    EXPECT_EQ(messages().size(), 1u) << "the accepted pair is not asked again";

    EXPECT_FALSE(checker.check("Songs", "3;2;245;511", "4;1;2;3;4")) << "Cancel";
    EXPECT_EQ(messages().size(), 2u);
    EXPECT_FALSE(checker.check("Songs", "3;2;245;511", "5;1;2;3;4;5"))
        << "Cancel forgets the acceptance";
    EXPECT_EQ(messages().size(), 3u);

    EXPECT_TRUE(checker.check("Songs", "3;2;245;511", "5;1;2;3;4;5"));
    EXPECT_TRUE(checker.check("Songs", "3;2;245;511", "3;2;245;511"));
    EXPECT_FALSE(checker.check("Songs", "3;2;245;511", "5;1;2;3;4;5"))
        << "the right disc in between forgets the acceptance";
}

TEST_F(SoundPlayers, DescribeDiscNamesTheAudioCdInTheDrive) {
    auto loaded = std::make_unique<Tdata>();
    TaudioCD& other = loaded->audio_cd_store.emplace_back();
    other.media_text_2 = "Other CD";
    other.media_text_3 = "1;2";
    TaudioCD& ours = loaded->audio_cd_store.emplace_back();
    ours.media_text_2 = "Songs of the Solvara";
    ours.media_text_3 = "3;2;245;511";
    loaded->audio_cds.add("7", &other);
    loaded->audio_cds.add("8", &ours);
    loaded->audio_cds.finish();
    set_data(std::move(loaded));

    auto describe = [] { return DescribeDiscInDrive(read_disc_in_drive(1)); };
    EXPECT_EQ(describe(), "In the drive: Songs of the Solvara");
    EXPECT_EQ(fake().open_devices(), 0u) << "the device of its own is closed";
    fake().tracks.pop_back();
    EXPECT_EQ(describe(), "In the drive: an unknown disc");
    fake().disc_present = false;
    EXPECT_EQ(describe(), "Empty drive");
    fake().cd_devices = 0;
    EXPECT_EQ(describe(), "");
    EXPECT_TRUE(messages().empty()) << "the status line never asks or reports";
    release_data();
}

TEST_F(SoundPlayers, ChosenDriveIsReadAndWrittenInGeneral) {
    EXPECT_EQ(chosen_audio_cd_drive(), 1);
    ASSERT_TRUE(set_chosen_audio_cd_drive(3));
    EXPECT_EQ(read_string("GENERAL", "CD-ROM drive used for audio CDs", ""), "3");
    EXPECT_EQ(chosen_audio_cd_drive(), 3);
    ASSERT_TRUE(set_chosen_audio_cd_drive(0));
    EXPECT_EQ(chosen_audio_cd_drive(), 1) << "a drive below 1 would address no device";
}
