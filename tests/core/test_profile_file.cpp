#include "TestSupport.h"
#include "platform/ProfileFile.h"

#include <chrono>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace pemmaro;
using namespace std::string_literals;
using pemmaro::test::read_file;
using pemmaro::test::write_file;

namespace {

void set_key(const std::string& path, const std::string& section, const std::string& key,
             const std::string& value, bool& ok) {
    ok = update_profile_file(
        path, [&](ProfileDocument& document) { document.set_value(section, key, value); });
}

std::vector<std::string> folder_entries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

} // namespace

// ---------------------------------------------------------------- reading

TEST(ProfileRead, NamesIgnoreCaseAndFirstSectionAndKeyWin) {
    ProfileDocument document("[Main]\r\nKey=one\r\nkey=two\r\n[MAIN]\r\nkey=three\r\nother=x\r\n");
    EXPECT_EQ(document.value("main", "KEY"), "one");
    EXPECT_EQ(document.value("mAiN", "key"), "one");
    EXPECT_EQ(document.value("main", "other"), std::nullopt);
    EXPECT_EQ(document.keys("MAIN"), std::vector<std::string>{"Key"});
    EXPECT_TRUE(document.has_section("main"));
    EXPECT_FALSE(document.has_section("mai"));
    EXPECT_EQ(document.value("missing", "key"), std::nullopt);
}

TEST(ProfileRead, TrimsBlanksAndRemovesOneMatchingQuotePair) {
    ProfileDocument document("  [ Sec ]  trailing text\n"
                             "  name  =  inner  blanks \t\n"
                             "double=\"quoted\"\n"
                             "single='quoted'\n"
                             "mixed=\"unmatched'\n"
                             "lone=\"\n"
                             "spaced=  \" kept \"  \n"
                             "empty_quotes=\"\"\n"
                             "nested=\"a\"b\"\n"
                             "empty=\n"
                             "equals=a=b\n");
    EXPECT_EQ(document.value("sec", "name"), "inner  blanks");
    EXPECT_EQ(document.value("sec", "double"), "quoted");
    EXPECT_EQ(document.value("sec", "single"), "quoted");
    EXPECT_EQ(document.value("sec", "mixed"), "\"unmatched'");
    EXPECT_EQ(document.value("sec", "lone"), "\"");
    EXPECT_EQ(document.value("sec", "spaced"), " kept ");
    EXPECT_EQ(document.value("sec", "empty_quotes"), "");
    EXPECT_EQ(document.value("sec", "nested"), "a\"b");
    EXPECT_EQ(document.value("sec", "empty"), "");
    EXPECT_EQ(document.value("sec", "equals"), "a=b");
}

TEST(ProfileRead, AcceptsEveryLineEndAndAFinalLineWithoutOne) {
    ProfileDocument mixed("[s]\r\na=1\nb=2\r\nc=3");
    EXPECT_EQ(mixed.value("s", "a"), "1");
    EXPECT_EQ(mixed.value("s", "b"), "2");
    EXPECT_EQ(mixed.value("s", "c"), "3");

    ProfileDocument stray_cr("[s]\r\nc=3 \r");
    EXPECT_EQ(stray_cr.value("s", "c"), "3");
}

TEST(ProfileRead, OnlyRealHeadersAndKeyLinesCount) {
    ProfileDocument document("orphan=1\n"
                             "[broken\n"
                             "k=before\n"
                             "[s]\n"
                             "plain line\n"
                             "b=1\n"
                             "a=2\n"
                             "B=3\n"
                             "[half\n"
                             "c=4\n"
                             "[t]\n"
                             "d=5");
    // Lines before the first header are in no section.
    EXPECT_EQ(document.value("", "orphan"), std::nullopt);
    EXPECT_EQ(document.value("", "k"), std::nullopt);
    EXPECT_EQ(document.keys("s"), (std::vector<std::string>{"b", "a", "c"}));
    EXPECT_EQ(document.value("s", "plain line"), std::nullopt);
    EXPECT_EQ(document.value("t", "d"), "5");
    EXPECT_EQ(document.keys("t"), std::vector<std::string>{"d"});
    EXPECT_TRUE(ProfileDocument().keys("s").empty());
}

TEST(ProfileRead, KeepsBinaryBytesInValues) {
    ProfileDocument document("[s\xe9]\nk=a\0b\xff\x01"s
                             "c\n");
    EXPECT_EQ(document.value("s\xe9", "k"), "a\0b\xff\x01"s
                                            "c");
}

// ---------------------------------------------------------------- editing

TEST(ProfileEdit, ReplacingAKeyKeepsEveryOtherByte) {
    const std::string head = "; comment \xfe\0\x7f\r\n"s
                             "[other]\nk=elsewhere\n"
                             "[s]\r\n";
    const std::string tail = "\n  k = second\r\nz=\0\x80\r\n\r\n"s;
    ProfileDocument document(head + "  K = old value ; text" + tail);
    document.set_value("S", "k", "new");
    // The line keeps its own LF although the file's style is CR LF.
    EXPECT_EQ(document.bytes(), head + "k=new" + tail);
    EXPECT_EQ(document.value("s", "k"), "new");
    EXPECT_EQ(document.value("other", "k"), "elsewhere");
}

TEST(ProfileEdit, NewKeyGoesAfterTheSectionsLastNonBlankLine) {
    ProfileDocument document("[a]\r\nx=1\r\n; note\r\n\r\n  \t\r\n[b]\r\ny=2\r\n");
    document.set_value("A", "z", "3");
    EXPECT_EQ(document.bytes(), "[a]\r\nx=1\r\n; note\r\nz=3\r\n\r\n  \t\r\n[b]\r\ny=2\r\n");

    ProfileDocument empty_section("[a]\n\n[b]\n");
    empty_section.set_value("a", "k", "v");
    EXPECT_EQ(empty_section.bytes(), "[a]\nk=v\n\n[b]\n");

    ProfileDocument unterminated("[a]\nx=1");
    unterminated.set_value("a", "z", "3");
    EXPECT_EQ(unterminated.bytes(), "[a]\nx=1\nz=3");
    EXPECT_EQ(unterminated.value("a", "x"), "1");
    EXPECT_EQ(unterminated.value("a", "z"), "3");

    // Only the first section of a name is written to.
    ProfileDocument twice("[a]\nx=1\n[A]\ny=2\n");
    twice.set_value("a", "y", "3");
    EXPECT_EQ(twice.bytes(), "[a]\nx=1\ny=3\n[A]\ny=2\n");
}

TEST(ProfileEdit, NewSectionUsesTheFilesLineEnd) {
    ProfileDocument lf("[a]\nx=1\n");
    lf.set_value("b", "y", "2");
    EXPECT_EQ(lf.bytes(), "[a]\nx=1\n[b]\ny=2\n");

    ProfileDocument unterminated("[a]\r\nx=1");
    unterminated.set_value("b", "y", "2");
    EXPECT_EQ(unterminated.bytes(), "[a]\r\nx=1\r\n[b]\r\ny=2\r\n");

    ProfileDocument crlf_first("; c\r\n[a]\nx=1\n");
    crlf_first.set_value("b", "y", "2");
    EXPECT_EQ(crlf_first.bytes(), "; c\r\n[a]\nx=1\n[b]\r\ny=2\r\n");

    ProfileDocument empty;
    empty.set_value("b", "y", "2");
    EXPECT_EQ(empty.bytes(), "[b]\r\ny=2\r\n");
    empty.set_value("b", "z", "3");
    EXPECT_EQ(empty.bytes(), "[b]\r\ny=2\r\nz=3\r\n");
}

TEST(ProfileEdit, ValueCannotAddLines) {
    ProfileDocument document("[s]\n");
    document.set_value("s", "k", "a\r\nb=evil\n[x]\rc");
    EXPECT_EQ(document.bytes(), "[s]\nk=a  b=evil [x] c\n");
    EXPECT_EQ(document.keys("s"), std::vector<std::string>{"k"});
    EXPECT_FALSE(document.has_section("x"));
}

TEST(ProfileEdit, RemovesTheFirstKeyAndTheFirstSection) {
    const std::string text = "top\r\n[s]\r\nk=1\r\nK=2\r\n[t]\nx=1\n[S]\r\nk=3\r\n";
    ProfileDocument document(text);
    document.remove_key("s", "missing");
    document.remove_key("missing", "k");
    document.remove_section("missing");
    EXPECT_EQ(document.bytes(), text);

    document.remove_key("S", "k");
    EXPECT_EQ(document.bytes(), "top\r\n[s]\r\nK=2\r\n[t]\nx=1\n[S]\r\nk=3\r\n");
    EXPECT_EQ(document.value("s", "k"), "2");

    document.remove_section("s");
    EXPECT_EQ(document.bytes(), "top\r\n[t]\nx=1\n[S]\r\nk=3\r\n");
    EXPECT_EQ(document.value("s", "k"), "3");

    document.remove_section("s");
    document.remove_key("t", "x");
    EXPECT_EQ(document.bytes(), "top\r\n[t]\n");
}

TEST(ProfileEdit, HandlesMegabyteLines) {
    const std::string comment = "; " + std::string(1 << 20, '\xb5') + "\r\n";
    std::string blob(1 << 20, 'x');
    blob[12345] = '\0';
    const std::string blob_line = "blob=" + blob + "\r\n";
    ProfileDocument document(comment + "[s]\r\n" + blob_line + "k=old\r\n");
    document.set_value("s", "k", "new");
    document.set_value("s", "added", "1");
    EXPECT_EQ(document.bytes(), comment + "[s]\r\n" + blob_line + "k=new\r\nadded=1\r\n");
    EXPECT_EQ(document.value("s", "blob"), blob);
}

// ---------------------------------------------------------------- files

class ProfileFileOnDisk : public ::testing::Test {
protected:
    void TearDown() override { set_profile_commit_hook(nullptr); }

    pemmaro::test::TempDir dir;
};

TEST_F(ProfileFileOnDisk, MissingFilesAndFoldersAreUnreadable) {
    write_file(dir.file("sub/real.ini"), "[s]\nk=v\n");
    ProfileReadResult real = read_profile_file(dir.file("sub/real.ini"));
    EXPECT_TRUE(real.readable);
    EXPECT_EQ(real.document.value("s", "k"), "v");

    for (const std::string& path : {dir.file("missing.ini"), dir.file("sub"), dir.path()}) {
        ProfileReadResult result = read_profile_file(path);
        EXPECT_FALSE(result.readable) << path;
        EXPECT_TRUE(result.document.bytes().empty()) << path;
    }
}

TEST_F(ProfileFileOnDisk, UpdateCreatesAMissingFileAndKeepsOtherBytes) {
    const std::string path = dir.file("new.ini");
    bool ok = false;
    set_key(path, "Main", "Size", "12", ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(read_file(path), "[Main]\r\nSize=12\r\n");

    const std::string odd = "\xef\xbb\xbf; header\0\x01\n[Main]\nSize=1\n\n[x]\ny=\xff"s;
    write_file(path, odd);
    set_key(path, "main", "size", "2", ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(read_file(path), "\xef\xbb\xbf; header\0\x01\n[Main]\nsize=2\n\n[x]\ny=\xff"s);

    // An edit that changes nothing must leave the file alone, too.
    EXPECT_TRUE(update_profile_file(path, [](ProfileDocument& d) { d.remove_key("x", "z"); }));
    EXPECT_EQ(read_file(path), "\xef\xbb\xbf; header\0\x01\n[Main]\nsize=2\n\n[x]\ny=\xff"s);
    const std::string missing = dir.file("missing.ini");
    EXPECT_TRUE(update_profile_file(missing, [](ProfileDocument& d) { d.remove_section("x"); }));
    EXPECT_FALSE(pemmaro::test::exists(missing));
}

TEST_F(ProfileFileOnDisk, UnwritablePlacesFailWithoutCreatingAnything) {
    std::filesystem::create_directory(dir.file("folder.ini"));

    bool edited = false;
    EXPECT_FALSE(update_profile_file(dir.file("folder.ini"), [&](ProfileDocument& d) {
        edited = true;
        d.set_value("s", "k", "v");
    }));
    EXPECT_FALSE(edited);
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("folder.ini")));
    EXPECT_TRUE(std::filesystem::is_empty(dir.file("folder.ini")));

    bool ok = true;
    set_key(dir.file("no/such/folder/x.ini"), "s", "k", "v", ok);
    EXPECT_FALSE(ok);
    EXPECT_FALSE(pemmaro::test::exists(dir.file("no")));
    EXPECT_EQ(folder_entries(dir.path()), std::vector<std::string>{"folder.ini"});
}

TEST_F(ProfileFileOnDisk, ReadOnlyFolderRefusesWrites) {
    if (geteuid() == 0)
        GTEST_SKIP() << "permission checks do not apply to root";
    const std::string folder = dir.file("locked/");
    write_file(folder + "a.ini", "[s]\nk=old\n");
    ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
    bool existing_ok = true;
    bool new_ok = true;
    set_key(folder + "a.ini", "s", "k", "new", existing_ok);
    set_key(folder + "b.ini", "s", "k", "new", new_ok);
    chmod(folder.c_str(), 0755);
    EXPECT_FALSE(existing_ok);
    EXPECT_FALSE(new_ok);
    EXPECT_EQ(read_file(folder + "a.ini"), "[s]\nk=old\n");
    EXPECT_EQ(folder_entries(folder), std::vector<std::string>{"a.ini"});
}

TEST_F(ProfileFileOnDisk, CrashBeforeTheRenameLeavesTheOldFile) {
    // The child must share this fixture's folder, so it is forked, not re-run.
    GTEST_FLAG_SET(death_test_style, "fast");
    const std::string path = dir.file("settings.ini");
    const std::string old = "[s]\r\nk=old\r\n; \xff\0\r\n"s;
    write_file(path, old);
    EXPECT_EXIT(
        {
            set_profile_commit_hook([] { std::_Exit(3); });
            bool ok = false;
            set_key(path, "s", "k", "new", ok);
            std::_Exit(ok ? 0 : 1);
        },
        ::testing::ExitedWithCode(3), "");
    EXPECT_EQ(read_file(path), old);

    bool ok = false;
    set_key(path, "s", "k", "later", ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(read_file(path), "[s]\r\nk=later\r\n; \xff\0\r\n"s);
}

// Two processes write at nearly the same moment: the other one writes while
// this one holds its edited copy, about to put it in place.
TEST_F(ProfileFileOnDisk, WritesOfTwoProcessesNeverEraseEachOther) {
    const std::string path = dir.file("Pemmaro.ini");
    write_file(path, "[WINDOW 1]\r\nCoord=10,10,600,400\r\n");
    pid_t other = -1;
    set_profile_commit_hook([&] {
        set_profile_commit_hook(nullptr);
        other = fork();
        if (other == 0) {
            // A process of its own holds none of this one's open files (nor its lock).
            close_range(3, ~0U, 0);
            bool ok = false;
            set_key(path, "WINDOW 2", "Coord", "40,40,700,500", ok);
            std::_Exit(ok ? 0 : 1);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
    });
    bool ok = false;
    set_key(path, "WINDOW 1", "Maximized", "Yes", ok);
    EXPECT_TRUE(ok);
    ASSERT_GT(other, 0);
    int status = -1;
    ASSERT_EQ(waitpid(other, &status, 0), other);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    const ProfileDocument result(read_file(path));
    EXPECT_EQ(result.value("WINDOW 1", "Maximized"), "Yes");
    EXPECT_EQ(result.value("WINDOW 2", "Coord"), "40,40,700,500");
}

TEST_F(ProfileFileOnDisk, SymlinkedFileIsWrittenThroughTheLink) {
    const std::string target = dir.file("real.ini");
    const std::string link = dir.file("link.ini");
    write_file(target, "[s]\nk=1\n");
    std::filesystem::create_symlink(target, link);
    bool ok = false;
    set_key(link, "s", "k", "2", ok);
    EXPECT_TRUE(ok);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(read_file(target), "[s]\nk=2\n");
}

TEST_F(ProfileFileOnDisk, StringsFallBackToTheTrimmedDefaultAndAreCut) {
    const std::string path = dir.file("p.ini");
    write_file(path, "[s]\nname = \" Robin \" \nempty=\n");
    EXPECT_EQ(profile_string(path, "S", "NAME", "x", 100), " Robin ");
    EXPECT_EQ(profile_string(path, "s", "name", "x", 3), " Ro");
    EXPECT_EQ(profile_string(path, "s", "empty", "x", 100), "");
    EXPECT_EQ(profile_string(path, "s", "missing", " def \t ", 100), " def");
    EXPECT_EQ(profile_string(path, "t", "name", "def", 2), "de");
    EXPECT_EQ(profile_string(dir.file("none.ini"), "s", "name", "def  ", 100), "def");
    EXPECT_EQ(profile_string(dir.path(), "s", "name", "def", 100), "def");
}

TEST_F(ProfileFileOnDisk, IntegersFallBackToTheDefault) {
    const std::string path = dir.file("p.ini");
    write_file(path, "[s]\nsize=12abc\nneg=-4\nhex=0x1f\nempty=\n");
    EXPECT_EQ(profile_integer(path, "s", "size", 7), 12);
    EXPECT_EQ(profile_integer(path, "s", "neg", 7), 0);
    EXPECT_EQ(profile_integer(path, "s", "hex", 7), 31);
    EXPECT_EQ(profile_integer(path, "s", "empty", 7), 7);
    EXPECT_EQ(profile_integer(path, "s", "missing", -7), -7);
    EXPECT_EQ(profile_integer(dir.file("none.ini"), "s", "size", 7), 7);
}

// ---------------------------------------------------------------- integers

TEST(ProfileInteger, ReadsLeadingDecimalOrHexDigits) {
    const std::vector<std::pair<std::string, long>> cases = {{"42", 42},
                                                             {" \t007", 7},
                                                             {"+5", 5},
                                                             {"12abc", 12},
                                                             {"1 2", 1},
                                                             {"abc", 0},
                                                             {"", 0},
                                                             {"+", 0},
                                                             {"- 5", 0},
                                                             {"-5", 0},
                                                             {"0x1F", 31},
                                                             {"0XfFz", 255},
                                                             {"+0x10", 16},
                                                             {"-0x10", 0},
                                                             {"0x", 0},
                                                             {"0xg1", 0},
                                                             {"1f", 1},
                                                             {"99999999999999999999999", LONG_MAX},
                                                             {"0xFFFFFFFFFFFFFFFFFFFF", LONG_MAX},
                                                             {"-99999999999999999999999", 0}};
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(profile_integer_of(text), expected) << '"' << text << '"';
}
