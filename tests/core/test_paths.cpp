#include "TestSupport.h"
#include "platform/Paths.h"
#include "platform/Shell.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace pemmaro {
namespace {

using test::TempDir;
using test::write_file;

TEST(PathsTest, ClassifiesPathsAndConvertsSeparators) {
    EXPECT_EQ(to_native_separators("tapes\\07\\A05.WAV"), "tapes/07/A05.WAV");
    EXPECT_TRUE(is_drive_letter_path("E:"));
    EXPECT_TRUE(is_drive_letter_path("e:\\tapes"));
    EXPECT_FALSE(is_drive_letter_path("1:\\tapes"));
    EXPECT_FALSE(is_drive_letter_path("tapes:"));
    EXPECT_TRUE(is_relative_path("tapes\\07"));
    EXPECT_FALSE(is_relative_path("\\tapes"));
    EXPECT_FALSE(is_relative_path("/tapes"));
    EXPECT_FALSE(is_relative_path("E:tapes"));
}

TEST(PathsTest, ResolvesDataPathsWithoutRegardToCase) {
    TempDir dir;
    write_file(dir.file("Tapes/07/A05.wav"), "x");
    EXPECT_EQ(resolve_existing_path(dir.path() + "tapes\\07\\a05.WAV"),
              dir.file("Tapes/07/A05.wav"));
    // Relative names start at the current directory; dots and doubled separators are
    // taken as the system takes them.
    test::ScopedCurrentDirectory cwd(dir.path());
    std::optional<std::string> relative = resolve_existing_path("TAPES\\\\07\\..\\07\\.\\a05.wav");
    ASSERT_TRUE(relative);
    EXPECT_TRUE(std::filesystem::equivalent(*relative, dir.file("Tapes/07/A05.wav")));
    EXPECT_EQ(relative->rfind(dir.path(), 0), 0u) << *relative;
}

TEST(PathsTest, PrefersTheExactNameThenTheFirstByName) {
    TempDir dir;
    write_file(dir.file("d/abc"), "lower");
    write_file(dir.file("d/Abc"), "mixed");
    write_file(dir.file("d/ABC"), "upper");
    EXPECT_EQ(resolve_existing_path(dir.file("d/abc")), dir.file("d/abc"));
    EXPECT_EQ(resolve_existing_path(dir.file("D/aBc")), dir.file("d/ABC"));
}

TEST(PathsTest, FindsNothingForMissingComponentsAndDriveLetters) {
    TempDir dir;
    write_file(dir.file("tapes/a05.wav"), "x");
    EXPECT_FALSE(resolve_existing_path(dir.file("tapes/missing/a05.wav")));
    EXPECT_FALSE(resolve_existing_path(dir.file("tapes/a05.wav/more")));
    EXPECT_FALSE(resolve_existing_path(""));
    // A folder named like a drive here is still not that drive.
    write_file(dir.file("C:/tapes/a05.wav"), "x");
    test::ScopedCurrentDirectory cwd(dir.path());
    EXPECT_FALSE(resolve_existing_path("C:\\tapes\\a05.wav"));
    EXPECT_FALSE(data_file_exists("c:/tapes/a05.wav"));
}

TEST(PathsTest, TellsFilesFromFolders) {
    TempDir dir;
    write_file(dir.file("Maps/World.bmp"), "x");
    std::filesystem::create_symlink(dir.file("Maps/World.bmp"), dir.file("link.bmp"));
    EXPECT_TRUE(data_file_exists(dir.path() + "MAPS\\world.BMP"));
    EXPECT_FALSE(data_folder_exists(dir.path() + "MAPS\\world.BMP"));
    EXPECT_TRUE(data_folder_exists(dir.path() + "maps"));
    EXPECT_FALSE(data_file_exists(dir.path() + "maps"));
    EXPECT_TRUE(data_file_exists(dir.file("LINK.BMP")));
    EXPECT_FALSE(data_file_exists(dir.file("maps/other.bmp")));
}

struct ProcessIds {
    long pid = 0;
    long group = 0;
    long session = 0;
};

// The fields of /proc/<pid>/stat the program wrote.
ProcessIds process_ids(const std::string& stat_line) {
    std::istringstream in(stat_line.substr(stat_line.rfind(')') + 2));
    std::string state;
    ProcessIds ids;
    long parent = 0;
    in >> state >> parent >> ids.group >> ids.session;
    ids.pid = std::stol(stat_line);
    return ids;
}

bool wait_for_file(const std::string& path) {
    for (int i = 0; i < 500 && !test::exists(path); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return test::exists(path);
}

// Written aside and moved, so the reader never sees half a line.
const std::string write_own_stat =
    "read -r line < /proc/$$/stat; echo \"$line\" > \"$1.part\"; mv \"$1.part\" \"$1\"";

TEST(ShellTest, WaitsAndReportsTheExitCode) {
    ProcessOutcome outcome = start_program("/bin/sh", {"-c", "exit 3"}, true);
    EXPECT_TRUE(outcome.started);
    EXPECT_TRUE(outcome.waited);
    EXPECT_EQ(outcome.exit_code, 3);
}

TEST(ShellTest, PassesArgumentsLiterally) {
    TempDir dir;
    ProcessOutcome outcome = start_program(
        "/bin/sh",
        {"-c", "printf '%s' \"$1\" > \"$2\"", "sh", "a  b;$(touch bad)*", dir.file("out")}, true);
    ASSERT_TRUE(outcome.started);
    EXPECT_EQ(test::read_file(dir.file("out")), "a  b;$(touch bad)*");
    EXPECT_FALSE(test::exists(dir.file("bad")));
}

TEST(ShellTest, RunsTheProgramInAGroupOfItsOwn) {
    TempDir dir;
    ProcessOutcome outcome =
        start_program("/bin/sh", {"-c", write_own_stat, "sh", dir.file("waited")}, true);
    ASSERT_TRUE(outcome.started) << outcome.error_text;
    ProcessIds waited = process_ids(test::read_file(dir.file("waited")));
    EXPECT_EQ(waited.pid, waited.group);

    // A detached program leads a session of its own, and with it a group no one else is in.
    outcome = start_program("/bin/sh", {"-c", write_own_stat, "sh", dir.file("detached")}, false);
    ASSERT_TRUE(outcome.started) << outcome.error_text;
    ASSERT_TRUE(wait_for_file(dir.file("detached")));
    ProcessIds detached = process_ids(test::read_file(dir.file("detached")));
    EXPECT_EQ(detached.group, detached.session);
    EXPECT_NE(detached.session, static_cast<long>(::getsid(0)));
    EXPECT_NE(detached.group, static_cast<long>(::getpgrp()));
}

TEST(ShellTest, ReturnsAtOnceWithoutWaiting) {
    TempDir dir;
    ProcessOutcome outcome = start_program(
        "/bin/sh", {"-c", "sleep 0.3; echo done > \"$1\"", "sh", dir.file("out")}, false);
    ASSERT_TRUE(outcome.started);
    EXPECT_FALSE(test::exists(dir.file("out")));
    EXPECT_TRUE(wait_for_file(dir.file("out")));
}

TEST(ShellTest, ReportsAProgramThatCannotStart) {
    for (bool wait : {true, false}) {
        ProcessOutcome outcome = start_program("/nonexistent/program", {"a"}, wait);
        EXPECT_FALSE(outcome.started);
        EXPECT_NE(outcome.error_text.find("No such file or directory"), std::string::npos)
            << outcome.error_text;
    }
}

} // namespace
} // namespace pemmaro
