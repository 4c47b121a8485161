#include "FakeMediaDevices.h"
#include "ProgramState.h"
#include "SampleRecordings.h"
#include "TestSupport.h"
#include "common/BaseDirectory.h"
#include "data/DataSet.h"
#include "sound/SoundBarPlayback.h"
#include "sound/SoundPlayers.h"

#include <gtest/gtest.h>

using namespace pemmaro;
using namespace pemmaro::test;

namespace {

// The sample recordings played without a window: the sound file of the data
// disc, the CD span from the drive, and the span's track copied to the hard disk.
class Playback : public ::testing::Test {
protected:
    void SetUp() override { base_directory_state().base_directory = folder_.path(); }

    FakeMediaDevices& fake() { return media_.devices; }
    void copy_track_to_the_hard_disk() {
        cd_.on_hard_disk = true;
        cd_.hard_disk_directory = folder_.path() + "cd";
        write_file(folder_.file("cd/02 Forest.wav"), "");
        fake().files[folder_.path() + "cd/02 Forest.wav"] = 60000;
    }

    ScopedProgramState program_state_;
    TempDir folder_;
    ScopedFakeMediaDevices media_;
    ScopedResponder responder_;
    PlayingSlot slot_;
    SampleRecordings recordings_{fake(), folder_.path()};
    Tcutpart& file_cut_ = recordings_.file_cut;
    Tcupaitem& file_item_ = recordings_.file_item;
    Tcupaitem& cd_item_ = recordings_.cd_item;
    TaudioCD& cd_ = recordings_.cd;
};

} // namespace

TEST_F(Playback, EachKindEndsByItsOwnRuleAndRewindsWhenAsked) {
    // A sound file of the data disc ends one step before its last: the
    // decoder never reports the very end. Its length is measured at the open.
    SoundBarPlayback file(file_item_, slot_, true, &file_cut_.length_from_file, 0);
    EXPECT_EQ(file.kind(), SoundBarPlayback::Kind::cut_part_file);
    ASSERT_TRUE(file.toggle());
    EXPECT_EQ(file.maximum(), 123);
    fake().position_ms = 12200;
    const SoundBarPlayback::Poll ended = file.poll();
    EXPECT_TRUE(ended.ended);
    EXPECT_EQ(ended.shown_position, 0) << "rewound";
    EXPECT_EQ(file.position(), 0);
    EXPECT_FALSE(file.is_opened());
    EXPECT_EQ(slot_.playback(), nullptr);

    // A copied track ends only at its last step; no rewind was asked for.
    copy_track_to_the_hard_disk();
    SoundBarPlayback copied(cd_item_, slot_, false, nullptr, 0);
    EXPECT_EQ(copied.kind(), SoundBarPlayback::Kind::sound_file);
    ASSERT_TRUE(copied.toggle());
    EXPECT_EQ(fake().log.back(), "play 10000 15000");
    fake().position_ms = 14900;
    EXPECT_FALSE(copied.poll().ended);
    fake().position_ms = 15000;
    EXPECT_TRUE(copied.poll().ended);
    EXPECT_EQ(copied.position(), 50);
    EXPECT_TRUE(copied.is_at_end());

    // A span of the CD in the drive ends when the drive stops playing.
    cd_.on_hard_disk = false;
    SoundBarPlayback span(cd_item_, slot_, false, nullptr, 0);
    EXPECT_EQ(span.kind(), SoundBarPlayback::Kind::audio_cd);
    ASSERT_TRUE(span.toggle());
    fake().position_ms = 245000 + 10000 + 5000;
    EXPECT_FALSE(span.poll().ended) << "still in play mode";
    fake().mode = mci::mode_stop;
    EXPECT_TRUE(span.poll().ended);
}

TEST_F(Playback, StartingOneStopsTheOtherOfItsSlot) {
    SoundBarPlayback first(file_item_, slot_, false, nullptr, 0);
    SoundBarPlayback second(cd_item_, slot_, false, nullptr, 0);
    int first_stopped = 0;
    first.stopped = [&] { ++first_stopped; };
    ASSERT_TRUE(first.toggle());
    EXPECT_EQ(slot_.playback(), &first);
    ASSERT_TRUE(second.toggle());
    EXPECT_FALSE(first.is_opened());
    EXPECT_EQ(first_stopped, 1);
    EXPECT_EQ(slot_.playback(), &second);
    EXPECT_EQ(fake().open_devices(), 1u);

    second.toggle();
    EXPECT_TRUE(second.is_opened()) << "a pause keeps the device open";
    EXPECT_FALSE(second.is_playing());
    EXPECT_EQ(slot_.playback(), &second);
}
