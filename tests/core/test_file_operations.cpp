#include "TestSupport.h"
#include "common/FileOperations.h"
#include "common/ProgramFolders.h"
#include "platform/FileIO.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace pemmaro {
namespace {

using test::exists;
using test::read_file;
using test::ScopedResponder;
using test::TempDir;
using test::write_file;

void set_file_time(const std::string& path, long seconds, long nanoseconds) {
    const timespec times[2] = {{seconds, nanoseconds}, {seconds, nanoseconds}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

std::vector<std::string> entries_of(const std::string& folder) {
    return list_folder(folder, false, false, false);
}

class FindDataFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = common_services();
        common_services().startup_directory = dir_.file("start/");
        common_services().program_directory = dir_.file("program/");
        std::filesystem::create_directories(dir_.file("current"));
    }
    void TearDown() override { common_services() = saved_; }

    TempDir dir_;
    CommonServices saved_;
};

TEST_F(FindDataFileTest, TriesCurrentThenStartUpThenProgramDirectory) {
    test::ScopedCurrentDirectory cwd(dir_.file("current"));
    for (const char* folder : {"current/", "start/", "program/"})
        write_file(dir_.file(std::string(folder) + "Lang/Birds.txt"), folder);

    EXPECT_EQ(find_data_file("lang\\BIRDS.TXT"), dir_.file("current/Lang/Birds.txt"));
    EXPECT_EQ(find_data_file("lang\\birds.txt", skip_current_directory),
              dir_.file("start/Lang/Birds.txt"));
    std::filesystem::remove_all(dir_.file("start/Lang"));
    EXPECT_EQ(find_data_file("lang/birds.txt", skip_current_directory),
              dir_.file("program/Lang/Birds.txt"));
    EXPECT_FALSE(find_data_file("lang/birds.txt", skip_current_directory | skip_program_directory));
    // Folders do not count.
    EXPECT_FALSE(find_data_file("lang", skip_current_directory));
}

TEST_F(FindDataFileTest, TriesRootedAndDriveNamesOnlyAsGiven) {
    test::ScopedCurrentDirectory cwd(dir_.file("current"));
    write_file(dir_.file("start/x.txt"), "x");
    write_file(dir_.file("program/x.txt"), "x");
    write_file(dir_.file("current/C:/x.txt"), "x");
    write_file(dir_.file("start/C:/x.txt"), "x");
    EXPECT_FALSE(find_data_file("/x.txt"));
    EXPECT_FALSE(find_data_file("\\x.txt"));
    EXPECT_FALSE(find_data_file("C:\\x.txt"));
    EXPECT_EQ(find_data_file(dir_.file("START/X.TXT")), dir_.file("start/x.txt"));
    EXPECT_FALSE(find_data_file(dir_.file("start/x.txt"), skip_current_directory));
}

TEST(FileStatusTest, TellsEachKind) {
    TempDir dir;
    write_file(dir.file("Data/File.txt"), "x");
    EXPECT_EQ(file_status(dir.path() + "DATA").kind, FileKind::directory);
    EXPECT_EQ(file_status(dir.path() + "data\\file.TXT").kind, FileKind::existing_file);
    EXPECT_EQ(file_status(dir.file("data/other.txt")).kind, FileKind::missing);
    EXPECT_EQ(file_status(dir.file("Data/File.txt/below")).kind, FileKind::missing);
    EXPECT_EQ(file_status("C:\\").kind, FileKind::missing);

    FileStatus too_long = file_status(dir.file(std::string(300, 'n')));
    EXPECT_EQ(too_long.kind, FileKind::error);
    EXPECT_EQ(too_long.code, ENAMETOOLONG);
}

TEST(CopyFileTest, CopiesContentAndFileTime) {
    TempDir dir;
    ScopedResponder responder;
    std::string content(1024 * 1024 + 17, '\0');
    for (std::size_t i = 0; i < content.size(); ++i)
        content[i] = static_cast<char>(i % 251);
    write_file(dir.file("Source/Big.dat"), content);
    set_file_time(dir.file("Source/Big.dat"), 1300000000, 555);
    write_file(dir.file("out/old.dat"), "an older and longer content than the source has");

    EXPECT_FALSE(GLB_copy_file(dir.file("Source/Big.dat"), dir.file("out/copy.dat")));
    EXPECT_EQ(read_file(dir.file("out/copy.dat")), content);
    EXPECT_TRUE(same_file(dir.file("Source/Big.dat"), dir.file("out/copy.dat")));

    // A data path from the disc, over an existing file.
    EXPECT_FALSE(GLB_copy_file(dir.path() + "source\\BIG.DAT", dir.file("out/old.dat")));
    EXPECT_EQ(read_file(dir.file("out/old.dat")), content);
    EXPECT_EQ(entries_of(dir.file("out")), (std::vector<std::string>{"copy.dat", "old.dat"}));
    EXPECT_TRUE(responder.responder.requests.empty());
}

TEST(CopyFileTest, ReportsAMissingSourceWithItsName) {
    TempDir dir;
    ScopedResponder responder;
    std::string source = dir.file(std::string(120, 's'));
    EXPECT_TRUE(GLB_copy_file(source, dir.file("destination")));
    ASSERT_EQ(responder.responder.requests.size(), 1u);
    const MessageRequest& request = responder.responder.requests[0];
    EXPECT_EQ(request.caption, source.substr(0, 100));
    EXPECT_EQ(request.text, "Could not open Source File, reason is 2 (No such file or directory)");
    EXPECT_EQ(request.icon, MessageIcon::error);
    EXPECT_EQ(request.buttons, MessageButtons::ok);
    EXPECT_FALSE(exists(dir.file("destination")));
}

TEST(CopyFileTest, LeavesNoHalfFileWhenItFails) {
    TempDir dir;
    ScopedResponder responder;
    std::filesystem::create_directories(dir.file("unreadable"));
    write_file(dir.file("out/destination"), "kept");

    EXPECT_TRUE(GLB_copy_file(dir.file("unreadable"), dir.file("out/destination")));
    ASSERT_EQ(responder.responder.requests.size(), 1u);
    EXPECT_EQ(responder.responder.requests[0].caption, dir.file("unreadable"));
    EXPECT_EQ(responder.responder.requests[0].text,
              "Something went wrong when reading from source file, reason is 21 (Is a directory)");
    EXPECT_EQ(read_file(dir.file("out/destination")), "kept");
    EXPECT_EQ(entries_of(dir.file("out")), std::vector<std::string>{"destination"});

    write_file(dir.file("source"), "s");
    EXPECT_TRUE(GLB_copy_file(dir.file("source"), dir.file("missing/destination")));
    ASSERT_EQ(responder.responder.requests.size(), 2u);
    EXPECT_EQ(responder.responder.requests[1].caption, dir.file("missing/destination"));
    EXPECT_EQ(responder.responder.requests[1].text,
              "Could not open Destination File, reason is 2 (No such file or directory)");
}

// A copy killed half-way leaves its partial file under a name of its own, which
// the next copy of the same file replaces.
TEST(CopyFileTest, WhatAKilledCopyLeftIsReplacedByTheNextCopy) {
    TempDir dir;
    ScopedResponder responder;
    const std::string content(300 * 1024, 'w');
    write_file(dir.file("tapes/A05.WAV"), content);
    std::filesystem::create_directories(dir.file("out"));
    EXPECT_TRUE(test::kill_at_pause([&](std::function<void()> pause) {
        set_file_fault([pause, writes = 0](FileWrite operation, const std::string&) mutable {
            if (operation == FileWrite::write && ++writes == 2)
                pause();
            return 0;
        });
        GLB_copy_file(dir.file("tapes/A05.WAV"), dir.file("out/A05.WAV"));
    }));
    ASSERT_EQ(entries_of(dir.file("out")).size(), 1u) << "the partial copy";
    EXPECT_FALSE(exists(dir.file("out/A05.WAV")));

    EXPECT_FALSE(GLB_copy_file(dir.file("tapes/A05.WAV"), dir.file("out/A05.WAV")));
    EXPECT_EQ(entries_of(dir.file("out")), std::vector<std::string>{"A05.WAV"});
    EXPECT_EQ(read_file(dir.file("out/A05.WAV")), content);
}

TEST(CreateDirectoryTest, CreatesOrExplains) {
    TempDir dir;
    ScopedResponder responder;
    EXPECT_FALSE(GLB_create_directory(dir.file("new")));
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("new")));
    EXPECT_FALSE(GLB_create_directory(dir.file("new")));
    EXPECT_TRUE(responder.responder.requests.empty());

    write_file(dir.file("taken"), "x");
    EXPECT_TRUE(GLB_create_directory(dir.file("taken")));
    EXPECT_TRUE(GLB_create_directory(dir.file("no/parent")));
    ASSERT_EQ(responder.responder.requests.size(), 2u);
    EXPECT_EQ(responder.responder.requests[0].text,
              "Procedure \"GLB_create_directory()\" wanted to create subdirectory \"" +
                  dir.file("taken") + "\", but a file with the same name already exists.");
    EXPECT_EQ(responder.responder.requests[1].text,
              "Something went wrong in procedure \"GLB_create_directory()\" when creating "
              "subdirectory \"" +
                  dir.file("no/parent") + "\".");
    EXPECT_EQ(responder.responder.requests[1].icon, MessageIcon::error);
}

class DeleteFolderTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        write_file(dir_.file("tree/file.txt"), "x");
        write_file(dir_.file("tree/a/inner.txt"), "x");
        write_file(dir_.file("tree/b/inner.txt"), "x");
    }
    std::vector<std::string> questions() const {
        std::vector<std::string> texts;
        for (const MessageRequest& request : responder_.responder.requests) {
            if (request.icon == MessageIcon::question)
                texts.push_back(request.text);
        }
        return texts;
    }
    std::string question(const std::string& folder) const {
        return "Is it OK to delete the subdirectory \"" + folder + "\"?";
    }

    TempDir dir_;
    ScopedResponder responder_;
};

TEST_F(DeleteFolderTreeTest, NoKeepsEverything) {
    EXPECT_TRUE(delete_folder_tree(dir_.file("tree")));
    EXPECT_EQ(questions(), std::vector<std::string>{question(dir_.file("tree"))});
    EXPECT_EQ(responder_.responder.requests[0].buttons, MessageButtons::yes_no);
    EXPECT_TRUE(exists(dir_.file("tree/a/inner.txt")));
    EXPECT_TRUE(exists(dir_.file("tree/file.txt")));
}

TEST_F(DeleteFolderTreeTest, YesDeletesTheTreeButNotWhatLinksPointTo) {
    write_file(dir_.file("elsewhere/keep.txt"), "x");
    std::filesystem::create_directory_symlink(dir_.file("elsewhere"), dir_.file("tree/link"));
    responder_.responder.answers.assign(3, MessageAnswer::yes);
    EXPECT_FALSE(delete_folder_tree(dir_.file("tree")));
    EXPECT_EQ(questions(),
              (std::vector<std::string>{question(dir_.file("tree")), question(dir_.file("tree/a")),
                                        question(dir_.file("tree/b"))}));
    EXPECT_FALSE(exists(dir_.file("tree")));
    EXPECT_TRUE(exists(dir_.file("elsewhere/keep.txt")));
}

TEST_F(DeleteFolderTreeTest, NoForASubfolderKeepsItAndItsParent) {
    responder_.responder.answers = {MessageAnswer::yes, MessageAnswer::no, MessageAnswer::yes};
    EXPECT_TRUE(delete_folder_tree(dir_.file("tree")));
    EXPECT_TRUE(exists(dir_.file("tree/a/inner.txt")));
    EXPECT_FALSE(exists(dir_.file("tree/b")));
    EXPECT_FALSE(exists(dir_.file("tree/file.txt")));
    const MessageRequest& last = responder_.responder.requests.back();
    EXPECT_EQ(last.caption, "Something went wrong when deleting directory:");
    EXPECT_EQ(last.text, dir_.file("tree"));
    EXPECT_EQ(last.icon, MessageIcon::error);
}

TEST(SameFileTest, NeedsTheSameSizeAndExactTime) {
    TempDir dir;
    write_file(dir.file("a"), "abc");
    write_file(dir.file("b"), "xyz");
    write_file(dir.file("c"), "abcd");
    set_file_time(dir.file("a"), 1400000000, 100);
    set_file_time(dir.file("b"), 1400000000, 100);
    set_file_time(dir.file("c"), 1400000000, 100);
    EXPECT_TRUE(same_file(dir.file("a"), dir.file("b")));
    EXPECT_FALSE(same_file(dir.file("a"), dir.file("c")));
    EXPECT_FALSE(same_file(dir.file("a"), dir.file("missing")));
    set_file_time(dir.file("b"), 1400000000, 200);
    EXPECT_FALSE(same_file(dir.file("a"), dir.file("b")));
}

TEST(ListFolderTest, ListsWithTheOptionsAsked) {
    TempDir dir;
    write_file(dir.file("f/b.txt"), "x");
    write_file(dir.file("f/Sub/x"), "x");
    write_file(dir.file("f/a.txt"), "x");
    std::string folder = dir.path() + "f";
    EXPECT_EQ(list_folder(folder, false, false, false),
              (std::vector<std::string>{"Sub", "a.txt", "b.txt"}));
    EXPECT_EQ(list_folder(folder, false, true, true),
              (std::vector<std::string>{folder + "/A.TXT", folder + "/B.TXT", folder + "/SUB"}));
    EXPECT_EQ(list_folder(folder + "/", true, true, false),
              std::vector<std::string>{folder + "/Sub"});
    EXPECT_TRUE(list_folder(dir.file("missing"), false, false, false).empty());
}

class SynchroniseTest : public ::testing::Test {
protected:
    void SetUp() override {
        write_file(source("one.txt"), "one");
        write_file(source("two.txt"), "two");
        write_file(source("Sub/three.txt"), "three");
        std::filesystem::create_directories(destination(""));
    }
    std::string source(const std::string& name) const { return dir_.file("source/" + name); }
    std::string destination(const std::string& name) const {
        return dir_.file("destination/" + name);
    }
    bool synchronise(bool recursive, bool remove_extra) {
        return synchronise_folder(
            dir_.file("source"), dir_.file("destination"), recursive,
            [this](const std::string& name) { copied_.push_back(name); }, stop_, remove_extra);
    }

    TempDir dir_;
    ScopedResponder responder_;
    std::vector<std::string> copied_;
    std::atomic<bool> stop_{false};
};

TEST_F(SynchroniseTest, CopiesOnlyWhatChanged) {
    EXPECT_FALSE(synchronise(false, false));
    EXPECT_EQ(copied_, (std::vector<std::string>{destination("one.txt"), destination("two.txt")}));
    EXPECT_FALSE(exists(destination("Sub")));

    copied_.clear();
    write_file(source("two.txt"), "two, changed");
    EXPECT_FALSE(synchronise(false, false));
    EXPECT_EQ(copied_, std::vector<std::string>{destination("two.txt")});
    EXPECT_EQ(read_file(destination("two.txt")), "two, changed");
}

TEST_F(SynchroniseTest, DescendsIntoSubfolders) {
    EXPECT_FALSE(synchronise(true, false));
    EXPECT_EQ(read_file(destination("Sub/three.txt")), "three");
    EXPECT_EQ(copied_.back(), destination("Sub/three.txt"));
    EXPECT_TRUE(responder_.responder.requests.empty());
}

TEST_F(SynchroniseTest, RemovesWhatTheSourceDoesNotHave) {
    write_file(destination("extra.txt"), "x");
    write_file(destination("Old/x.txt"), "x");
    write_file(destination("SUB/kept.txt"), "x");
    write_file(destination("ONE.TXT"), "same name, other case");
    responder_.responder.answers = {MessageAnswer::yes};

    EXPECT_FALSE(synchronise(true, true));
    EXPECT_FALSE(exists(destination("extra.txt")));
    EXPECT_FALSE(exists(destination("Old")));
    EXPECT_EQ(read_file(destination("ONE.TXT")), "one");
    EXPECT_FALSE(exists(destination("one.txt")));
    // The subfolder differs only in case, so it is the same and is synchronised too.
    EXPECT_FALSE(exists(destination("SUB/kept.txt")));
    EXPECT_EQ(read_file(destination("SUB/three.txt")), "three");
    // Files go without a question; only the folder is asked about.
    ASSERT_EQ(responder_.responder.requests.size(), 1u);
    EXPECT_EQ(responder_.responder.requests[0].text,
              "Is it OK to delete the subdirectory \"" + destination("Old") + "\"?");
}

TEST_F(SynchroniseTest, StopsBetweenFiles) {
    stop_ = true;
    EXPECT_FALSE(synchronise(true, true));
    EXPECT_TRUE(entries_of(destination("")).empty());

    stop_ = false;
    bool result = synchronise_folder(
        dir_.file("source"), dir_.file("destination"), true,
        [this](const std::string& name) {
            copied_.push_back(name);
            stop_ = true;
        },
        stop_, false);
    EXPECT_FALSE(result);
    EXPECT_EQ(copied_, std::vector<std::string>{destination("one.txt")});
    EXPECT_EQ(entries_of(destination("")), std::vector<std::string>{"one.txt"});
}

TEST_F(SynchroniseTest, StopsAtACopyError) {
    write_file(destination("one.txt/in the way"), "x");
    EXPECT_TRUE(synchronise(true, false));
    EXPECT_EQ(copied_, std::vector<std::string>{destination("one.txt")});
    EXPECT_FALSE(exists(destination("two.txt")));
    EXPECT_EQ(responder_.responder.requests.size(), 1u);
}

TEST(MakeAbsoluteTest, PrependsTheFolderToRelativeNames) {
    EXPECT_EQ(make_absolute("maps\\a.bmp", "/disc"), "/disc/maps\\a.bmp");
    EXPECT_EQ(make_absolute("a.bmp", "/disc/"), "/disc/a.bmp");
    EXPECT_EQ(make_absolute("/x/a.bmp", "/disc"), "/x/a.bmp");
    EXPECT_EQ(make_absolute("E:\\a.bmp", "/disc"), "E:\\a.bmp");
}

TEST(ExecuteTest, ReportsAProgramThatCannotStart) {
    ScopedResponder responder;
    EXPECT_TRUE(execute("/nonexistent/viewer", {"a.txt", "b"}, false));
    ASSERT_EQ(responder.responder.requests.size(), 1u);
    const MessageRequest& request = responder.responder.requests[0];
    EXPECT_EQ(request.caption, "");
    const std::string start = "Could not execute \"/nonexistent/viewer a.txt b\".\nError code is ";
    EXPECT_EQ(request.text.substr(0, start.size()), start);
    EXPECT_GT(request.text.size(), start.size());
    EXPECT_EQ(request.icon, MessageIcon::error);
}

TEST(ExecuteTest, WaitsForAProgramThatRuns) {
    ScopedResponder responder;
    EXPECT_FALSE(execute("/bin/true", {}, true));
    EXPECT_FALSE(execute("/bin/sh", {"-c", "exit 1"}, true, true, 10, true));
    EXPECT_TRUE(responder.responder.requests.empty());
}

} // namespace
} // namespace pemmaro
