#include "ProgramState.h"
#include "TestSupport.h"
#include "app/ProgramRun.h"
#include "app/Startup.h"
#include "app/StartupDataLoad.h"
#include "browse/BrowsingWindow.h"
#include "common/BaseDirectory.h"
#include "common/Product.h"
#include "platform/InstanceLock.h"
#include "platform/ProfileFile.h"
#include "sound/PlayListFile.h"
#include "sound/PlayListWindow.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QThread>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>

using namespace pemmaro;
using namespace pemmaro::test;

namespace {

const char* const language_file =
    "$[MESSAGES_CAPTION]\r\nPemmaro\r\n"
    "$[KZ_GLOBS]\r\nNo file \r\n here\r\nUnreadable \r\nOnly\r\nAlso\r\nand\r\n"
    "$[BASEDIR]\r\nWhere is the disc?\r\nChoose it.\r\n"
    "$[OTHER_INSTANCE]\r\nPemmaro runs already.\r\nStart it again?\r\n"
    "$[KZ_SOUNDBAR]\r\nNo sound output.\r\n";

// The program's run sets the program-wide values; they are put back afterwards.
class ProgramStart : public ::testing::Test {
protected:
    void SetUp() override {
        // Each test has its own instance locks, so tests running side by side do not meet.
        runtime_ = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(folder_.path()));
        copy_files(PEMMARO_FIXTURES_DIR "/good-disc", folder_.path());
        write_file(folder_.file("Pemmaro.txt"), language_file);
        write_file(folder_.file("PROGR_NM.TXT"), "1061\r\n");
        write_file(folder_.file("Pemmaro.ini"), "[GENERAL]\r\nBase Directory=/media/disc\r\n");
    }

    // Runs the program; the main window, when shown, is closed from the message loop.
    int run(std::vector<std::string>* shown_windows = nullptr,
            StartupDataLoad* started_data_load = nullptr) {
        ProgramRunOptions options;
        options.program_directory = program_directory_;
        options.started_data_load = started_data_load;
        options.on_main_window_shown = [&, shown_windows](TChildForm& main_window) {
            ++main_windows_shown_;
            caption_ = main_window.windowTitle().toStdString();
            if (shown_windows) {
                for (QWidget* widget : QApplication::topLevelWidgets())
                    shown_windows->push_back(widget->objectName().toStdString());
            }
            if (at_start_)
                at_start_(main_window);
            QTimer::singleShot(0, &main_window, &QWidget::close);
        };
        return run_program(options);
    }

    void TearDown() override {
        if (runtime_.isEmpty())
            qunsetenv("XDG_RUNTIME_DIR");
        else
            qputenv("XDG_RUNTIME_DIR", runtime_);
    }

    std::string setting(std::string_view key) {
        return profile_string(program_directory_ + "Pemmaro.ini", "GENERAL", key, "<none>",
                              std::string::npos);
    }

    ScopedProgramState program_state_;
    TempDir folder_;
    std::string program_directory_ = folder_.path();
    ScopedCurrentDirectory current_{folder_.path()};
    ScopedResponder responder_;
    QByteArray runtime_;
    int main_windows_shown_ = 0;
    std::string caption_;
    std::function<void(TChildForm&)> at_start_; // before the main window closes
};

TPlayListForm* play_list_window() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* form = qobject_cast<TPlayListForm*>(widget))
            return form;
    }
    return nullptr;
}

} // namespace

TEST_F(ProgramStart, MainWindowRunsUntilClosedAndTheBaseDirectoryIsSaved) {
    std::vector<std::string> windows;
    EXPECT_EQ(run(&windows), 0);
    EXPECT_EQ(main_windows_shown_, 1);
    EXPECT_EQ(caption_, "Pemmaro - Birds of the Solvara Region 1.0");
    for (const char* name :
         {"TChildForm", "TFindInShowStringsDialog", "TNameOptionsDialog", "TLocalitiesMapForm",
          "TTextSizeDialog", "TWebBrowserSettingsDialog", "TChooseAudioCDPlayerDialog"})
        EXPECT_NE(std::find(windows.begin(), windows.end(), name), windows.end()) << name;
    // Only the missing sound output may be reported (the test machine may have none).
    for (const MessageRequest& request : responder_.responder.requests)
        EXPECT_EQ(request.text, "No sound output.");
    EXPECT_EQ(setting("Base Directory"), "/media/disc/");
    EXPECT_EQ(setting("Just Installed"), "No");
}

// The play list window reads its current list when made: it is made when first
// opened, or at start when it was open when the program ended.
TEST_F(ProgramStart, ThePlayListWindowIsMadeAtItsFirstUseWithItsCurrentList) {
    const std::string list_path = folder_.file("Dawn chorus.pl");
    write_file(program_directory_ + "Pemmaro.ini",
               "[GENERAL]\r\nBase Directory=/media/disc\r\n[PLAYLISTS]\r\nCurrent=" + list_path +
                   "\r\n");
    bool made_at_start = true;
    std::string opened_list;
    at_start_ = [&](TChildForm& main_window) {
        made_at_start = play_list_window() != nullptr;
        ASSERT_TRUE(save_play_list(list_path, PlayListContent{}, product()));
        main_window.findChild<QAction*>("play_lists_menu_item")->trigger();
        if (TPlayListForm* form = play_list_window())
            opened_list = form->isVisible() ? form->file_path() : "<hidden>";
    };
    EXPECT_EQ(run(), 0);
    EXPECT_FALSE(made_at_start);
    EXPECT_EQ(opened_list, list_path);
    EXPECT_EQ(profile_string(program_directory_ + "Pemmaro.ini", "PLAYLISTS", "Open at Startup",
                             "<none>", std::string::npos),
              "Yes");

    bool shown_at_start = false;
    at_start_ = [&](TChildForm&) {
        const TPlayListForm* form = play_list_window();
        shown_at_start = form && form->isVisible() && form->file_path() == list_path;
    };
    EXPECT_EQ(run(), 0);
    EXPECT_TRUE(shown_at_start);
}

// Records, with each message, the cursor over the program's windows and
// whether the user-interface thread asked.
class CursorAtMessages : public MessageResponder {
public:
    CursorAtMessages() { set_message_responder(this); }
    ~CursorAtMessages() override { set_message_responder(nullptr); }
    CursorAtMessages(const CursorAtMessages&) = delete;
    CursorAtMessages& operator=(const CursorAtMessages&) = delete;

    MessageAnswer respond(const MessageRequest& request) override {
        const QCursor* cursor = QGuiApplication::overrideCursor();
        cursors[request.text] = cursor ? cursor->shape() : Qt::ArrowCursor;
        on_user_thread[request.text] = QThread::currentThread() == qApp->thread();
        return safe_answer(request.buttons);
    }

    std::map<std::string, Qt::CursorShape> cursors;
    std::map<std::string, bool> on_user_thread;
};

TEST_F(ProgramStart, TheDataSetLoadsUnderTheWaitCursor) {
    // A picture of a subspecies the species lacks: a message while loading.
    const std::string pictures = folder_.file("big_pict.txt");
    write_file(pictures, read_file(pictures) + "@#[]\r\n2101\r\npallidus\r\n\r\n\r\n\r\n"
                                               "\r\nSubadult\r\n");
    CursorAtMessages messages;
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(messages.cursors["Error occured with a subspecies \"pallidus\""], Qt::WaitCursor);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// The data set may load on a worker while Qt starts: its messages wait for the
// user-interface thread, and its fatal error ends the run there.
TEST_F(ProgramStart, ADataSetLoadedBesideTheStartAsksOnTheUserInterfaceThread) {
    const std::string pictures = folder_.file("big_pict.txt");
    write_file(pictures, read_file(pictures) + "@#[]\r\n2101\r\npallidus\r\n\r\n\r\n\r\n"
                                               "\r\nSubadult\r\n");
    const auto prepare_in = [](std::string folder) {
        return [folder] { initialise_modules_before_data(folder); };
    };
    CursorAtMessages messages;
    StartupDataLoad load(prepare_in(program_directory_), &load_data_set);
    EXPECT_EQ(run(nullptr, &load), 0);
    const std::string subspecies_error = "Error occured with a subspecies \"pallidus\"";
    EXPECT_EQ(messages.cursors[subspecies_error], Qt::WaitCursor);
    EXPECT_TRUE(messages.on_user_thread[subspecies_error]);

    std::filesystem::remove(folder_.file("Pemmaro.txt"));
    const ScopedFatalThrows fatal_throws;
    StartupDataLoad failing(prepare_in(program_directory_), &load_data_set);
    EXPECT_THROW(run(nullptr, &failing), FatalError);
    set_folder_prompt(nullptr);
    EXPECT_TRUE(messages.on_user_thread["The text file \"Pemmaro.txt\" was not found!"]);
    EXPECT_EQ(main_windows_shown_, 1);
}

TEST_F(ProgramStart, LongFoldersAreKeptWhole) {
    program_directory_ = folder_.file(std::string(220, 'p') + "/");
    std::filesystem::create_directory(program_directory_);
    copy_files(folder_.path(), program_directory_);
    const std::string base = "/media/" + std::string(230, 'b') + "/";
    write_file(program_directory_ + "Pemmaro.ini", "[GENERAL]\r\nBase Directory=" + base + "\r\n");
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(startup_values().help_file_path, program_directory_ + "Pemmaro.html");
    EXPECT_EQ(setting("Base Directory"), base);
}

TEST_F(ProgramStart, SecondInstanceAnsweredNoEndsWithoutAWindow) {
    const InstanceLock first("Pemmaro MutexPemmaro - Birds of the Solvara Region 1.0");
    responder_.responder.answers = {MessageAnswer::no};
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(main_windows_shown_, 0);
    ASSERT_EQ(responder_.responder.requests.size(), 1u);
    const MessageRequest& question = responder_.responder.requests[0];
    EXPECT_EQ(question.text, "Pemmaro runs already.\nStart it again?");
    EXPECT_EQ(question.buttons, MessageButtons::yes_no);
    EXPECT_EQ(question.caption, "Pemmaro - Birds of the Solvara Region");
    EXPECT_EQ(setting("Just Installed"), "No"); // the shutdown steps still run
}

TEST_F(ProgramStart, SecondInstanceAnsweredYesRuns) {
    const InstanceLock first(instance_mutex_name());
    responder_.responder.answers = {MessageAnswer::yes};
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(main_windows_shown_, 1);
}

TEST_F(ProgramStart, UnknownProductStillStartsWithTheErrorTitle) {
    write_file(folder_.file("PROGR_NM.TXT"), "999\r\n");
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(caption_, "Error: Unknown Velmora Program 1.0");
    EXPECT_EQ(product().product_code, 103);
}
