// Test entry: a Qt application on the offscreen platform, so fonts, screens
// and widgets work without a display. After every test the program-wide
// values must be as the test found them.

#include "ProgramState.h"
#include "platform/Log.h"

#include <gtest/gtest.h>

#if PEMMARO_TEST_GUI_APPLICATION
#include "browse/WindowList.h"
#include "sound/SoundBars.h"

#include <QApplication>
using TestApplication = QApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif

namespace {

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

// A test that leaves a value changed fails, and the value is put back so that
// the next test starts clean.
class ProgramStateCheck : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override {
        before_ = pemmaro::test::current_program_state();
    }
    void OnTestEnd(const ::testing::TestInfo&) override {
        const std::vector<std::string> changed =
            pemmaro::test::differences(before_, pemmaro::test::current_program_state());
        if (!changed.empty()) {
            ADD_FAILURE() << "The test left program-wide values changed: " << joined(changed);
            pemmaro::test::restore_program_state(before_);
        }
#if PEMMARO_TEST_GUI_APPLICATION
        EXPECT_EQ(pemmaro::playing_sound_bar(), nullptr) << "a sound bar still plays";
        EXPECT_EQ(pemmaro::top_forms().count(), 0u) << "browsing windows are still listed";
#endif
    }

    pemmaro::test::ProgramState before_;
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    // Audio and worker threads may be running: death tests re-execute the program.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // As the program does, nothing is set up for the browser plugin's engine
    // before the application exists: the plugin does it when it is loaded.
    TestApplication application(argc, argv);
    pemmaro::set_log_silenced(true);
    ::testing::UnitTest::GetInstance()->listeners().Append(new ProgramStateCheck);
    return RUN_ALL_TESTS();
}
