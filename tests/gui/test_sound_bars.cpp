#include "FakeMediaDevices.h"
#include "SampleRecordings.h"
#include "TestSupport.h"
#include "browse/SoundBarList.h"
#include "common/BaseDirectory.h"
#include "common/LanguageTexts.h"
#include "common/SettingsFile.h"
#include "data/DataSet.h"
#include "sound/AudioCdDrive.h"
#include "sound/SoundBars.h"
#include "sound/SoundPlayers.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>
#include <sndfile.h>
#include <vector>

using namespace pemmaro;
using namespace pemmaro::test;

namespace {

// Records the keys that reach the window the bars are placed on.
class Surface : public QWidget {
public:
    std::vector<int> keys;

protected:
    bool event(QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return QWidget::event(event);
        keys.push_back(static_cast<QKeyEvent*>(event)->key());
        return true;
    }
};

void press(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent event(QEvent::KeyPress, key, modifiers);
    QCoreApplication::sendEvent(widget, &event);
}

void mouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

class SoundBars : public ::testing::Test {
protected:
    void SetUp() override {
        textfile() = Ttextfile_handler("$[KZ_SOUNDBAR]\r\nNo sound output.\r\n");
        settings_file().path = folder_.file("Pemmaro.ini");
        settings_file().on_cd_rom = false;
        base_directory_state().base_directory = folder_.path();
        audio_cd_key_checker() = Taudio_CD_key_checker();
        surface_.resize(600, 400);
    }
    void TearDown() override {
        set_folder_prompt(nullptr);
        set_sound_bar_drag_handler(nullptr);
        textfile() = Ttextfile_handler();
        settings_file().path.clear();
        base_directory_state() = {};
    }

    static std::string sound_file(const std::string& base) {
        return SampleRecordings::sound_file(base);
    }
    FakeMediaDevices& fake() { return media_.devices; }

    // Owned by the surface, like the bars of a display.
    Tsound_bar* make_bar(Tcupaitem& item, SoundBarOptions options = {}) {
        options.recording_item = &item;
        options.exact_length_flag = &item.cut_part->length_from_file;
        return new Tsound_bar(&surface_, 10, 20, std::move(options));
    }

    TempDir folder_;
    ScopedFakeMediaDevices media_;
    ScopedResponder responder_;
    SampleRecordings recordings_{fake(), folder_.path()};
    Tcutpart& file_cut_ = recordings_.file_cut;
    Tcutpart& cd_cut_ = recordings_.cd_cut;
    Tcupaitem& file_item_ = recordings_.file_item;
    Tcupaitem& cd_item_ = recordings_.cd_item;
    TaudioCD& cd_ = recordings_.cd;
    // What the bars write to and call; they outlive the test body with the surface.
    int stored_ = 0;
    int selected_ = 0;
    bool slot_cleared_ = false;
    Surface surface_;
};

} // namespace

TEST(SoundBarWidth, GrowsWithTheLogarithmOfTheLength) {
    EXPECT_EQ(sound_bar_scroll_width(0, 0), 40);
    EXPECT_EQ(sound_bar_scroll_width(1000, 0), 40);
    EXPECT_EQ(sound_bar_scroll_width(2000, 0), 62);   // ln 2 × 60 + 20 = 61.6
    EXPECT_EQ(sound_bar_scroll_width(60000, 0), 266); // 265.66
    EXPECT_EQ(sound_bar_scroll_width(60000, 1), 184); // ln 60 × 40 + 20 = 183.77
    EXPECT_EQ(sound_bar_scroll_width(1500, 1), 40);   // 36.2 is below the least width
}

TEST_F(SoundBars, LayoutRangeAndStepsFollowTheRecording) {
    stored_ = 37;
    SoundBarOptions options;
    options.show_texts = true;
    options.stored_position = &stored_;
    Tsound_bar* bar = make_bar(file_item_, options);
    const int text_height = QFontMetrics(surface_.font()).height() + 1;
    EXPECT_EQ(bar->text_height(), text_height);
    EXPECT_EQ(bar->bar_width(), 16 + 2 + sound_bar_scroll_width(12000, 0));
    EXPECT_EQ(bar->bar_height(), 16 + text_height);
    EXPECT_EQ(bar->button()->mapTo(&surface_, QPoint(0, 0)), QPoint(10, 20 + text_height));
    EXPECT_EQ(bar->scroll_bar()->mapTo(&surface_, QPoint(0, 0)), QPoint(28, 20 + text_height));
    EXPECT_EQ(bar->scroll_bar()->maximum(), 120);
    EXPECT_EQ(bar->scroll_bar()->singleStep(), 5);
    EXPECT_EQ(bar->scroll_bar()->pageStep(), 20);
    EXPECT_EQ(bar->current_position(), 37);
    EXPECT_EQ(bar->position_text(), "3.7");

    cd_cut_.length_ms = 1400;
    Tsound_bar* cd_bar = make_bar(cd_item_);
    EXPECT_EQ(cd_bar->text_height(), 0);
    EXPECT_EQ(cd_bar->scroll_bar()->singleStep(), 10);
    EXPECT_EQ(cd_bar->scroll_bar()->pageStep(), 14);
}

TEST_F(SoundBars, FirstOpenMeasuresTheLengthOfASoundFile) {
    Tsound_bar* bar = make_bar(file_item_);
    EXPECT_EQ(bar->length_text(), "12");
    ASSERT_TRUE(bar->toggle());
    EXPECT_TRUE(bar->is_playing());
    EXPECT_EQ(file_cut_.length_ms, 12340);
    EXPECT_FALSE(file_cut_.length_from_file);
    EXPECT_EQ(bar->length_text(), "12.3");
    EXPECT_EQ(bar->scroll_bar()->maximum(), 123);
    EXPECT_TRUE(fake().logged("open file " + sound_file(folder_.path())));
}

TEST_F(SoundBars, LengthFollowsWhatTheDeviceLearnsWhilePlaying) {
    Tsound_bar* bar = make_bar(file_item_);
    ASSERT_TRUE(bar->toggle());
    ASSERT_EQ(bar->length_text(), "12.3");
    // The decoder's count of an MPEG layer 3 file comes after the open.
    fake().files[sound_file(folder_.path())] = 11800;
    fake().position_ms = 11500;
    bar->tick();
    EXPECT_EQ(file_cut_.length_ms, 11800);
    EXPECT_EQ(bar->scroll_bar()->maximum(), 118);
    EXPECT_EQ(bar->length_text(), "11.8");
    EXPECT_TRUE(bar->is_playing());
    fake().position_ms = 11700;
    bar->tick();
    EXPECT_FALSE(bar->is_opened()) << "the last step of the real length ends it";
}

TEST_F(SoundBars, MissingFileAsksForTheBaseDirectoryUntilFoundOrCancelled) {
    const std::string elsewhere = folder_.path() + "elsewhere/";
    fake().files.clear();
    int prompts = 0;
    set_folder_prompt([&](const std::string&) -> std::optional<std::string> {
        if (++prompts == 1)
            return folder_.path() + "wrong/";
        fake().files[sound_file(elsewhere)] = 5000;
        return elsewhere;
    });
    Tsound_bar* bar = make_bar(file_item_);
    EXPECT_TRUE(bar->toggle());
    EXPECT_EQ(prompts, 2);
    EXPECT_EQ(file_cut_.length_ms, 5000);
    EXPECT_TRUE(responder_.responder.requests.empty());

    set_folder_prompt([](const std::string&) { return std::nullopt; });
    fake().files.clear();
    bar->stop_and_close();
    EXPECT_FALSE(bar->toggle()) << "the user cancelled";
    EXPECT_FALSE(bar->is_opened());
    EXPECT_TRUE(responder_.responder.requests.empty());
}

TEST_F(SoundBars, BrokenFileIsReportedWithoutAskingForTheBaseDirectory) {
    int prompts = 0;
    set_folder_prompt([&](const std::string&) -> std::optional<std::string> {
        ++prompts;
        return std::nullopt;
    });
    // The file's name reaches the message in the system's encoding.
    const std::string base = folder_.path() + "J\xc3\xbcrgen/";
    base_directory_state().base_directory = base;
    fake().files[sound_file(base)] = 12340;
    fake().failures["open"] = mci::invalid_file;
    fake().open_detail = "The decoder says: Format not recognised.";
    Tsound_bar* bar = make_bar(file_item_);
    EXPECT_FALSE(bar->toggle());
    ASSERT_EQ(responder_.responder.requests.size(), 1u);
    const std::string& shown = responder_.responder.requests[0].text;
    EXPECT_NE(shown.find(sound_file(base)), std::string::npos) << shown;
    EXPECT_NE(shown.find("Format not recognised."), std::string::npos) << shown;

    // An MPEG layer 3 recording that cannot be decoded asks about the decoder.
    fake().failures["open"] = mci::wave_outputs_unsuitable;
    file_cut_.compression_number = 7;
    EXPECT_FALSE(bar->toggle());
    ASSERT_EQ(responder_.responder.requests.size(), 2u);
    EXPECT_EQ(responder_.responder.requests[1].buttons, MessageButtons::yes_no);
    EXPECT_EQ(prompts, 0);
}

TEST_F(SoundBars, OnlyOneBarPlaysAtATime) {
    Tsound_bar* first = make_bar(file_item_);
    Tsound_bar* second = make_bar(cd_item_);
    ASSERT_TRUE(first->toggle());
    EXPECT_EQ(playing_sound_bar(), first);
    ASSERT_TRUE(second->toggle());
    EXPECT_FALSE(first->is_opened());
    EXPECT_EQ(playing_sound_bar(), second);
    EXPECT_EQ(fake().open_devices(), 1u);
    EXPECT_EQ(first->button()->bitmap_name(), "SOUNDBAR_BUTTON_NOT_PLAYING");
    EXPECT_EQ(second->button()->bitmap_name(), "SOUNDBAR_BUTTON_PLAYING");
    second->set_marked();
    EXPECT_EQ(second->button()->bitmap_name(), "SOUNDBAR_BUTTON_PLAYING_CURSOR");

    second->toggle();
    EXPECT_TRUE(second->is_opened()) << "a pause keeps the device open";
    EXPECT_FALSE(second->is_playing());
    EXPECT_FALSE(second->timer_active());
}

TEST_F(SoundBars, PlayingAtTheEndStartsOver) {
    Tsound_bar* bar = make_bar(file_item_);
    ASSERT_TRUE(bar->toggle());
    bar->pause();
    bar->scroll_bar()->setValue(122); // one step before the end
    bar->start_playing();
    EXPECT_EQ(fake().log.back(), "play 0 12340");
    EXPECT_EQ(bar->current_position(), 0);

    bar->pause();
    bar->scroll_bar()->setValue(50);
    bar->start_playing();
    EXPECT_EQ(fake().log.back(), "play 5000 12340");
}

TEST_F(SoundBars, ThumbAtTheEndSeeksNoFurtherThanTheLength) {
    // 12,360 ms: the last step (124) stands for 12,400 ms.
    fake().files[sound_file(folder_.path())] = 12360;
    file_cut_.length_ms = 12360;
    stored_ = 124;
    SoundBarOptions options;
    options.stored_position = &stored_;
    Tsound_bar* bar = make_bar(file_item_, options);
    ASSERT_TRUE(bar->toggle());
    EXPECT_TRUE(fake().logged("seek 12360"));
    EXPECT_EQ(fake().log.back(), "play 0 12360") << "at the end: from the start";

    bar->scroll_bar()->triggerAction(QAbstractSlider::SliderToMaximum);
    QCoreApplication::processEvents();
    EXPECT_FALSE(fake().logged("seek 12400"));
    EXPECT_EQ(fake().log.back(), "play 0 12360");
    EXPECT_TRUE(bar->is_playing());
    EXPECT_TRUE(responder_.responder.requests.empty());
}

TEST_F(SoundBars, TimerFollowsThePositionAndRewindsAtTheEnd) {
    SoundBarOptions options;
    options.rewind_at_end = true;
    Tsound_bar* bar = make_bar(file_item_, options);
    ASSERT_TRUE(bar->toggle());
    EXPECT_TRUE(bar->timer_active());
    fake().position_ms = 4560;
    bar->tick();
    EXPECT_EQ(bar->current_position(), 45);
    EXPECT_EQ(bar->position_text(), "4.5");
    EXPECT_TRUE(bar->is_opened());

    fake().position_ms = 12200; // position 122: one before the end of a compressed file
    bar->tick();
    EXPECT_FALSE(bar->is_opened());
    EXPECT_EQ(bar->current_position(), 0);
    EXPECT_EQ(bar->position_text(), "0.0");
    EXPECT_TRUE(bar->is_at_end());
    EXPECT_EQ(playing_sound_bar(), nullptr);
}

TEST_F(SoundBars, CopiedTrackEndsOnlyAtItsLastStep) {
    cd_.on_hard_disk = true;
    cd_.hard_disk_directory = folder_.path() + "cd";
    write_file(folder_.file("cd/02 Forest.wav"), "");
    fake().files[folder_.path() + "cd/02 Forest.wav"] = 60000;
    Tsound_bar* bar = make_bar(cd_item_);
    ASSERT_TRUE(bar->toggle());
    EXPECT_EQ(fake().log.back(), "play 10000 15000");
    fake().position_ms = 14900;
    bar->tick();
    EXPECT_TRUE(bar->is_playing()) << "position 49 of 50";
    fake().position_ms = 15000;
    bar->tick();
    EXPECT_FALSE(bar->is_opened());
    EXPECT_EQ(bar->current_position(), 50) << "no rewind asked for";
}

TEST_F(SoundBars, MissingCopiedTrackIsNamedWithItsCdAndFolder) {
    cd_.on_hard_disk = true;
    cd_.hard_disk_directory = folder_.path() + "cd";
    cd_.media_text_2 = "Songs of the Solvara";
    write_file(folder_.file("cd/01 Dawn.wav"), "");
    Tsound_bar* bar = make_bar(cd_item_);
    EXPECT_FALSE(bar->toggle());
    EXPECT_FALSE(bar->is_opened());
    // Found by its name but gone by the time it opens.
    write_file(folder_.file("cd/02 Forest.wav"), "");
    EXPECT_FALSE(bar->toggle());

    const auto& requests = responder_.responder.requests;
    ASSERT_EQ(requests.size(), 2u);
    for (const MessageRequest& request : requests) {
        EXPECT_EQ(request.text, "Track 2 of the audio CD \"Songs of the Solvara\" cannot be "
                                "played: its copy was not found in the folder \"" +
                                    folder_.path() +
                                    "cd\". Please copy the CD's tracks into "
                                    "that folder again.");
        EXPECT_EQ(request.icon, MessageIcon::error);
    }
    EXPECT_EQ(fake().open_devices(), 0u);
}

TEST_F(SoundBars, CdSpanEndsWhenTheDriveStopsPlaying) {
    Tsound_bar* bar = make_bar(cd_item_);
    ASSERT_TRUE(bar->toggle());
    fake().position_ms = 245000 + 11000;
    bar->tick();
    EXPECT_EQ(bar->current_position(), 10);
    EXPECT_TRUE(bar->is_playing());
    fake().mode = mci::mode_stop;
    bar->tick();
    EXPECT_FALSE(bar->is_opened());
    EXPECT_TRUE(bar->is_at_end());

    // A recording on audio CD is framed.
    surface_.show();
    const QImage image = bar->grab().toImage();
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(image.width() - 1, image.height() - 1), QColor(Qt::black));
}

TEST_F(SoundBars, EveryKindOfBarEndsWhenItsDeviceLeavesPlayMode) {
    // A copied track whose span is 10,567 ms: the thumb's last step (106) lies
    // beyond the last position the device can reach (105).
    cd_.on_hard_disk = true;
    cd_.hard_disk_directory = folder_.path() + "cd";
    write_file(folder_.file("cd/02 Forest.wav"), "");
    fake().files[folder_.path() + "cd/02 Forest.wav"] = 20567;
    cd_cut_.length_ms = 10567;
    SoundBarOptions options;
    options.rewind_at_end = true;
    Tsound_bar* copied = make_bar(cd_item_, options);
    ASSERT_TRUE(copied->toggle());
    ASSERT_EQ(copied->scroll_bar()->maximum(), 106);
    fake().position_ms = 20567;
    copied->tick();
    EXPECT_TRUE(copied->is_playing()) << "still in play mode";
    fake().mode = mci::mode_stop;
    copied->tick();
    EXPECT_FALSE(copied->is_opened());
    EXPECT_EQ(copied->current_position(), 0) << "rewound";

    // A sound file whose sound stopped short of its end (a decoding failure).
    Tsound_bar* file = make_bar(file_item_, options);
    ASSERT_TRUE(file->toggle());
    fake().mode = mci::mode_stop;
    fake().position_ms = 6000;
    file->tick();
    EXPECT_FALSE(file->is_opened());
    EXPECT_EQ(file->current_position(), 0);
    EXPECT_EQ(playing_sound_bar(), nullptr);
}

TEST_F(SoundBars, ShiftKeysMoveTheThumbAndOtherKeysGoToTheSurface) {
    SoundBarOptions options;
    options.select_item = [this] { ++selected_; };
    Tsound_bar* bar = make_bar(file_item_, options);
    QWidget* button = bar->button();
    press(button, Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(bar->current_position(), 120);
    press(button, Qt::Key_PageUp, Qt::ShiftModifier);
    EXPECT_EQ(bar->current_position(), 100);
    press(button, Qt::Key_Home, Qt::ShiftModifier);
    EXPECT_EQ(bar->current_position(), 0);
    press(button, Qt::Key_Right);
    press(button, Qt::Key_Tab);
    EXPECT_EQ(bar->current_position(), 0);
    EXPECT_EQ(surface_.keys, (std::vector<int>{Qt::Key_Right, Qt::Key_Tab}));

    press(button, Qt::Key_Space);
    EXPECT_TRUE(bar->is_playing());
    EXPECT_EQ(selected_, 1);
    press(button, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_TRUE(bar->is_playing());
    EXPECT_EQ(fake().count("stop"), 1u) << "paused for the move";
    EXPECT_EQ(fake().log.back(), "play 500 12340");
}

TEST_F(SoundBars, MovingTheThumbWhilePlayingPlaysFromThere) {
    SoundBarOptions options;
    options.select_item = [this] { ++selected_; };
    Tsound_bar* bar = make_bar(file_item_, options);
    ASSERT_TRUE(bar->toggle());
    bar->scroll_bar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCoreApplication::processEvents();
    EXPECT_EQ(fake().log.back(), "play 2000 12340");
    EXPECT_EQ(selected_, 1);

    bar->scroll_bar()->setValue(60); // not the user: only the text follows
    QCoreApplication::processEvents();
    EXPECT_EQ(bar->position_text(), "6.0");
    EXPECT_EQ(fake().log.back(), "play 2000 12340");
}

namespace {

// The list holds bars as their windows see them; these tests play them.
Tsound_bar* bar_in(const Tsound_bars& bars, int line_identifier) {
    return dynamic_cast<Tsound_bar*>(bars.find(line_identifier));
}

} // namespace

TEST_F(SoundBars, DestroyedBarClosesAndKeepsItsThumb) {
    SoundBarOptions options;
    options.stored_position = &stored_;
    options.clear_owner_slot = [this] { slot_cleared_ = true; };
    {
        Tsound_bars bars;
        bars.add(make_bar(file_item_, options));
        ASSERT_TRUE(bar_in(bars, 0)->toggle());
        fake().position_ms = 7000;
        bar_in(bars, 0)->tick();
    }
    EXPECT_TRUE(slot_cleared_);
    EXPECT_EQ(stored_, 70);
    EXPECT_EQ(fake().open_devices(), 0u);
    EXPECT_EQ(playing_sound_bar(), nullptr);

    Tsound_bar* again = make_bar(file_item_, options);
    EXPECT_EQ(again->current_position(), 70);
    EXPECT_FALSE(again->is_playing());
}

TEST_F(SoundBars, BarListMovesRemovesAndSwitchesDragging) {
    Tsound_bars bars;
    SoundBarOptions options;
    for (int line : {100, 200, 300}) {
        options.line_identifier = line;
        bars.add(make_bar(file_item_, options));
    }
    Tsound_bar* playing = bar_in(bars, 300);
    ASSERT_TRUE(playing->toggle());
    bars.move_below(200, 35);
    EXPECT_EQ(bar_in(bars, 100)->bar_top(), 20);
    EXPECT_EQ(bar_in(bars, 200)->bar_top(), 20);
    EXPECT_EQ(playing->bar_top(), 55);
    EXPECT_EQ(playing->y(), 54);
    EXPECT_TRUE(playing->is_playing());

    const QPointer<Tsound_bar> removed = bar_in(bars, 200);
    bars.remove(200);
    EXPECT_TRUE(removed.isNull());
    EXPECT_EQ(bar_in(bars, 200), nullptr);

    bars.set_dragging(true);
    Tsound_bar* dragged = nullptr;
    set_sound_bar_drag_handler([&](Tsound_bar& bar) { dragged = &bar; });
    QScrollBar* scroll = playing->scroll_bar();
    const int value = scroll->value();
    mouse(scroll, QEvent::MouseButtonPress, QPoint(30, 8), Qt::LeftButton);
    mouse(scroll, QEvent::MouseMove, QPoint(31, 8), Qt::LeftButton);
    EXPECT_EQ(dragged, nullptr) << "not yet beyond the drag distance";
    mouse(scroll, QEvent::MouseMove, QPoint(30 + QApplication::startDragDistance(), 8),
          Qt::LeftButton);
    mouse(scroll, QEvent::MouseButtonRelease, QPoint(60, 8), Qt::NoButton);
    EXPECT_EQ(dragged, playing);
    EXPECT_EQ(scroll->value(), value) << "a drag does not move the thumb";
}

TEST_F(SoundBars, StartUpReportsAMissingSoundOutputAndResourcesLoad) {
    check_wave_output_devices(1);
    EXPECT_TRUE(responder_.responder.requests.empty());
    check_wave_output_devices(0);
    ASSERT_EQ(responder_.responder.requests.size(), 1u);
    EXPECT_EQ(responder_.responder.requests[0].text, "No sound output.");
    EXPECT_EQ(responder_.responder.requests[0].icon, MessageIcon::error);

    const SoundBarBitmaps& bitmaps = sound_bar_bitmaps();
    for (const QPixmap* bitmap : {&bitmaps.not_playing, &bitmaps.playing,
                                  &bitmaps.not_playing_cursor, &bitmaps.playing_cursor})
        EXPECT_EQ(bitmap->size(), QSize(12, 12));
    EXPECT_FALSE(sound_bar_drag_cursor().pixmap().isNull());
}

// The real devices on the silent output, which keeps real time.
TEST(SoundBarsOnRealDevices, ACopiedTrackThatEndsBetweenTwoStepsEndsAndRewinds) {
    qputenv("PEMMARO_SILENT_AUDIO", "1");
    TempDir folder;
    {
        // 567 ms: the thumb's last step is 6, the device's last position 5.
        SF_INFO info{};
        info.samplerate = 8000;
        info.channels = 1;
        info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
        write_file(folder.file("cd/03 Marsh.wav"), "");
        SNDFILE* file = sf_open(folder.file("cd/03 Marsh.wav").c_str(), SFM_WRITE, &info);
        ASSERT_NE(file, nullptr);
        std::vector<short> samples(4536, 3000);
        sf_writef_short(file, samples.data(), static_cast<sf_count_t>(samples.size()));
        sf_close(file);
    }
    ScopedResponder responder;
    TaudioCD cd;
    cd.on_hard_disk = true;
    cd.hard_disk_directory = folder.path() + "cd";
    Tcutpart cut;
    cut.is_sound_file = false;
    cut.audio_cd = &cd;
    cut.track = 3;
    cut.length_ms = 567;
    Tcupaitem item;
    item.cut_part = &cut;
    QWidget surface;
    SoundBarOptions options;
    options.recording_item = &item;
    options.rewind_at_end = true;
    auto* bar = new Tsound_bar(&surface, 10, 10, std::move(options));
    ASSERT_TRUE(bar->toggle());
    EXPECT_EQ(bar->scroll_bar()->maximum(), 6);
    EXPECT_TRUE(QTest::qWaitFor([bar] { return !bar->is_playing(); }, 5000));
    EXPECT_FALSE(bar->is_opened());
    EXPECT_EQ(bar->current_position(), 0);
    EXPECT_TRUE(responder.responder.requests.empty());
}
