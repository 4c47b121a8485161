#include "SampleDiscWindows.h"
#include "browse/WindowState.h"
#include "common/CoreContext.h"
#include "common/SettingsFile.h"
#include "common/WindowSettings.h"
#include "data/DataSet.h"
#include "platform/FileIO.h"

#include <QScreen>
#include <cerrno>

using namespace pemmaro;
using namespace pemmaro::test;

namespace {

std::vector<int> families(std::initializer_list<int> numbers) {
    return numbers;
}

} // namespace

TEST(VisibleValue, ParsesTheFourPositionsAndTheUnfoldedFamilies) {
    const DisplayState state = parse_visible("2, 3,4,5,7,x,9");
    EXPECT_EQ(state.top_family, 2);
    EXPECT_EQ(state.top_species, 3);
    EXPECT_EQ(state.current_family, 4);
    EXPECT_EQ(state.current_species, 5);
    EXPECT_EQ(state.unfolded_families, families({7, 9})); // "x" is skipped
    EXPECT_EQ(visible_text(state), "2,3,4,5,7,9");
}

TEST(VisibleValue, ANonNumberAmongTheFirstFourDropsTheUnfoldedFamilies) {
    const DisplayState state = parse_visible("x,0,3,0,1,2");
    EXPECT_EQ(state.top_family, 1);
    EXPECT_EQ(state.current_family, 3); // the numbers that are numbers still count
    EXPECT_TRUE(state.unfolded_families.empty());
    EXPECT_TRUE(parse_visible("4,1").unfolded_families.empty());
    EXPECT_EQ(parse_visible("").top_family, 1);
}

TEST(VisibleValue, KeepsAtMostTwentyFamilies) {
    std::string text = "1,0,1,0";
    for (int family = 1; family <= 25; ++family)
        text += "," + std::to_string(family);
    EXPECT_EQ(parse_visible(text).unfolded_families.size(), 20u);
    DisplayState many;
    for (int family = 1; family <= 25; ++family)
        many.unfolded_families.push_back(family);
    EXPECT_EQ(parse_visible(visible_text(many)).unfolded_families.size(), 20u);
}

TEST(CoordValue, RoundTripsAndRejectsAnythingButFourIntegers) {
    const QRect bounds(100, 50, 640, 480);
    EXPECT_EQ(coord_text(bounds), "100,50,740,530");
    EXPECT_EQ(parse_coord("100,50,740,530"), bounds);
    EXPECT_FALSE(parse_coord("100,50,740"));
    EXPECT_FALSE(parse_coord("100,50,x,530"));
    EXPECT_EQ(default_window_bounds(QSize(1280, 1024)), QRect(160, 128, 960, 768));
}

class WindowSections : public SampleDiscWindows {
protected:
    const Tdata& data_set() const { return *pemmaro::data(); }
};

TEST_F(WindowSections, MissingValuesGiveTheDefaults) {
    const SavedWindowState state =
        read_window_state(data_set(), program_context(), 1, QSize(800, 600));
    EXPECT_EQ(state.normal_bounds, QRect(100, 75, 600, 450));
    EXPECT_TRUE(state.maximized);
    EXPECT_TRUE(state.options.scientific);
    EXPECT_TRUE(state.options.other_language);
    EXPECT_EQ(state.options.main, 2);
    EXPECT_TRUE(state.options.show_threatened);
    EXPECT_FALSE(state.options.squeeze_horizontal);
    // The default order 2 does not exist on this disc: the window shows order 1.
    EXPECT_EQ(state.options.systematic_order, 1);
    EXPECT_EQ(state.display.top_family, 1);
    EXPECT_TRUE(state.display.unfolded_families.empty());
}

TEST_F(WindowSections, ReadingMendsNamesThatWouldShowNothingFirst) {
    write_string("WINDOW 2", "Coord", "10,20,30");
    write_string("WINDOW 2", "Maximized", "No");
    write_string("WINDOW 2", "Other Language", "No");
    write_string("WINDOW 2", "Scientific", "No");
    write_string("WINDOW 2", "Main", "Other Language");
    const SavedWindowState state =
        read_window_state(data_set(), program_context(), 2, QSize(800, 600));
    EXPECT_TRUE(state.maximized) << "a malformed Coord opens maximised whatever Maximized says";
    EXPECT_TRUE(state.options.scientific);
    EXPECT_EQ(state.options.main, 1);
}

TEST_F(WindowSections, WhatIsWrittenIsReadBack) {
    SavedWindowState written(data_set(), program_context());
    written.normal_bounds = QRect(30, 40, 500, 300);
    written.maximized = false;
    written.options.other_language = false;
    written.options.main = 1;
    written.options.squeeze_horizontal = true;
    written.options.show_threatened = false;
    written.options.visible.used_audio_cds.reset(1);
    written.display.top_family = 2;
    written.display.top_species = 3;
    written.display.current_family = 4;
    written.display.current_species = 1;
    written.display.unfolded_families = {2, 4};
    ASSERT_TRUE(write_window_state(settings_file(), 3, written));
    EXPECT_EQ(setting("WINDOW 3", "Coord"), "30,40,530,340");
    EXPECT_EQ(setting("WINDOW 3", "Main"), "Scientific");

    const SavedWindowState read =
        read_window_state(data_set(), program_context(), 3, QSize(800, 600));
    EXPECT_EQ(read.normal_bounds, written.normal_bounds);
    EXPECT_FALSE(read.maximized);
    EXPECT_FALSE(read.options.other_language);
    EXPECT_EQ(read.options.main, 1);
    EXPECT_TRUE(read.options.squeeze_horizontal);
    EXPECT_FALSE(read.options.show_threatened);
    EXPECT_EQ(read.options.visible.used_audio_cds, written.options.visible.used_audio_cds);
    EXPECT_EQ(visible_text(read.display), "2,3,4,1,2,4");
}

// Saved windows: the first restored from "WINDOW 1", two more from their own sections.
class SavedWindows : public SampleDiscWindows {
protected:
    std::string initial_settings() const override {
        return "[GENERAL]\r\nWindows=3\r\n"
               "[WINDOW 1]\r\nCoord=10,10,810,610\r\nMaximized=No\r\nVisible=1,0,2,0,2\r\n"
               "[WINDOW 2]\r\nCoord=40,30,640,530\r\nMaximized=No\r\n"
               "Show Threatened Bird Indications=No\r\nVisible=1,0,1,0,1\r\n"
               "[WINDOW 3]\r\nCoord=70,50,770,650\r\nMaximized=No\r\nScientific=No\r\n"
               "Visible=x,0,1,0,3\r\n";
    }
};

TEST_F(SavedWindows, EachWindowIsRestoredFromItsOwnSection) {
    TChildForm& main_window = open_main_window();
    ASSERT_EQ(top_forms().count(), 3u);
    EXPECT_EQ(top_forms().main_child_form(), &main_window);
    const QRect bounds[] = {{10, 10, 800, 600}, {40, 30, 600, 500}, {70, 50, 700, 600}};
    const std::vector<int> unfolded[] = {{2}, {1}, {}};
    for (std::size_t i = 0; i < 3; ++i) {
        TChildForm& window = *top_forms().form(i);
        SCOPED_TRACE(i);
        EXPECT_EQ(window.secondary(), i > 0);
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(window.normal_bounds(), bounds[i]);
        paint(window);
        EXPECT_EQ(window.surface().state_for_saving().unfolded_families, unfolded[i]);
    }
    EXPECT_FALSE(top_forms().form(1)->surface().display().options().show_threatened);
    EXPECT_FALSE(top_forms().form(2)->surface().display().options().scientific);
    EXPECT_TRUE(top_forms().form(0)->surface().display().options().scientific);
}

TEST_F(SavedWindows, ARestoredDisplayIsLaidOutAtItsWindowsWidth) {
    open_main_window();
    TChildForm& second = *top_forms().form(1);
    paint(second);
    // Texts are wrapped to the width: the height of the lines tells how.
    const int restored_height = second.surface().display().total_height();
    // Family 1 folded and unfolded again by hand, now that the window is shown.
    QTest::keyClick(&second.surface(), Qt::Key_Return);
    paint(second);
    ASSERT_LT(second.surface().display().total_height(), restored_height);
    QTest::keyClick(&second.surface(), Qt::Key_Return);
    paint(second);
    EXPECT_EQ(second.surface().display().total_height(), restored_height);
}

TEST_F(SavedWindows, TheStateWrittenOnCloseIsWhatTheNextStartRestores) {
    TChildForm& main_window = open_main_window();
    for (std::size_t i = 0; i < top_forms().count(); ++i)
        paint(*top_forms().form(i));
    std::vector<std::string> painted;
    for (std::size_t i = 0; i < top_forms().count(); ++i)
        painted.push_back(visible_text(top_forms().form(i)->surface().state_for_saving()));
    main_window.close();
    EXPECT_EQ(setting("GENERAL", "Windows"), "3");
    EXPECT_EQ(setting("WINDOW 1", "Coord"), "10,10,810,610");
    EXPECT_EQ(setting("WINDOW 1", "Maximized"), "No");
    for (std::size_t i = 0; i < painted.size(); ++i)
        EXPECT_EQ(setting(window_settings::section(static_cast<int>(i) + 1), "Visible"),
                  painted[i]);
    EXPECT_EQ(setting("WINDOW 3", "Scientific"), "No");
    EXPECT_EQ(setting("WINDOW 2", "Show Threatened Bird Indications"), "No");
    windows_.clear();
    ASSERT_EQ(top_forms().count(), 0u);

    open_main_window();
    ASSERT_EQ(top_forms().count(), 3u);
    for (std::size_t i = 0; i < painted.size(); ++i) {
        paint(*top_forms().form(i));
        EXPECT_EQ(visible_text(top_forms().form(i)->surface().state_for_saving()), painted[i]);
    }
}

// A save of a window's state killed half-way or refused by a full disk leaves
// the settings file as it was, and the next start restores from it.
TEST_F(SavedWindows, AKilledOrFullDiskSaveLeavesTheStateTheNextStartRestores) {
    const std::string old = read_file(settings_path());
    SavedWindowState moved(*pemmaro::data(), program_context());
    moved.normal_bounds = QRect(300, 200, 400, 300);
    moved.maximized = false;
    EXPECT_TRUE(kill_in_the_middle_of([&] { write_window_state(settings_file(), 1, moved); }));
    EXPECT_EQ(read_file(settings_path()), old);

    set_file_fault([](FileWrite operation, const std::string&) {
        return operation == FileWrite::write ? ENOSPC : 0;
    });
    const bool written = write_window_state(settings_file(), 1, moved);
    set_file_fault(nullptr);
    EXPECT_FALSE(written);
    EXPECT_EQ(read_file(settings_path()), old);
    EXPECT_FALSE(exists(settings_path() + ".saving"));

    open_main_window();
    ASSERT_EQ(top_forms().count(), 3u);
    EXPECT_EQ(top_forms().form(0)->normal_bounds(), QRect(10, 10, 800, 600));
    EXPECT_EQ(top_forms().form(2)->normal_bounds(), QRect(70, 50, 700, 600));
}

TEST_F(SavedWindows, ClosingASecondaryWindowWritesNothing) {
    open_main_window();
    const std::string before = read_file(settings_path());
    top_forms().form(2)->close();
    EXPECT_EQ(read_file(settings_path()), before);
    EXPECT_EQ(top_forms().count(), 2u);
}
