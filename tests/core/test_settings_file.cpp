#include "ProgramState.h"
#include "TestSupport.h"
#include "common/FileOperations.h"
#include "common/SettingsFile.h"
#include "platform/Drives.h"
#include "platform/FileIO.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace pemmaro;
using namespace pemmaro::test;

namespace {

NumberSet set_of(std::initializer_list<int> members) {
    NumberSet set;
    for (int member : members)
        set.set(static_cast<std::size_t>(member));
    return set;
}

} // namespace

TEST(SettingsEncodings, FlagReadsTrueOnlyForYesOrTrue) {
    for (const char* text : {"Yes", "yes", "Y", "true", "T", "trouble"})
        EXPECT_TRUE(text_to_flag(text)) << text;
    for (const char* text : {"No", "1", "on", "", " yes", "false"})
        EXPECT_FALSE(text_to_flag(text)) << text;
}

TEST(SettingsEncodings, SetSkipsLettersOutOfRangeAndEmptyParts) {
    EXPECT_EQ(text_to_set("3-x7--300-5"), set_of({3, 5, 7}));
    EXPECT_EQ(text_to_set("0-255-256-1"), set_of({1, 255}));
    EXPECT_EQ(text_to_set("99999999999999999999-2"), set_of({2}));
    EXPECT_EQ(text_to_set(""), NumberSet());
}

TEST(SettingsEncodings, SetIsWrittenAscendingJoinedByDashes) {
    EXPECT_EQ(set_to_text(set_of({7, 1, 3})), "1-3-7");
    EXPECT_EQ(set_to_text(NumberSet()), "");
    EXPECT_EQ(text_to_set(set_to_text(set_of({1, 128, 255}))), set_of({1, 128, 255}));
}

// The program's settings file, set for the test and put back afterwards.
class SettingsAccess : public ::testing::Test {
protected:
    void SetUp() override {
        settings_file().path = folder_.file("Pemmaro.ini");
        settings_file().on_cd_rom = false;
    }
    void TearDown() override { set_cd_rom_override(nullptr); }

    ScopedProgramState program_state_;
    TempDir folder_;
};

TEST_F(SettingsAccess, ValuesReadBackAsWritten) {
    EXPECT_TRUE(write_string("GENERAL", "Name", "Bulbul"));
    EXPECT_TRUE(write_integer("GENERAL", "Count", 42));
    EXPECT_TRUE(write_flag("GENERAL", "Shown", true));
    EXPECT_TRUE(write_set("AUDIO CDS", "Set", set_of({2, 9})));
    EXPECT_EQ(read_string("general", "name", ""), "Bulbul");
    EXPECT_EQ(read_integer("GENERAL", "Count", 0), 42);
    EXPECT_TRUE(read_flag("GENERAL", "Shown", false));
    EXPECT_EQ(read_set("AUDIO CDS", "Set", NumberSet()), set_of({2, 9}));
    EXPECT_EQ(read_file(settings_file().path),
              "[GENERAL]\r\nName=Bulbul\r\nCount=42\r\nShown=Yes\r\n[AUDIO CDS]\r\nSet=2-9\r\n");
}

TEST_F(SettingsAccess, DefaultsWhenTheKeyOrFileIsMissing) {
    EXPECT_EQ(read_string("GENERAL", "Name", "default"), "default");
    EXPECT_EQ(read_integer("GENERAL", "Count", 7), 7);
    EXPECT_TRUE(read_flag("GENERAL", "Shown", true));
    EXPECT_FALSE(read_flag("GENERAL", "Shown", false));
    EXPECT_EQ(read_set("GENERAL", "Set", set_of({4, 1})), set_of({1, 4}));
    EXPECT_FALSE(exists(settings_file().path));
}

TEST_F(SettingsAccess, StringsAreCutTo200Characters) {
    write_string("GENERAL", "Long", std::string(300, 'a'));
    EXPECT_EQ(read_string("GENERAL", "Long", "").size(), 200u);
}

TEST_F(SettingsAccess, NothingIsWrittenWhenTheSettingsFileIsOnACdRom) {
    write_file(settings_file().path, "[GENERAL]\r\nName=old\r\n");
    settings_file().on_cd_rom = true;
    EXPECT_TRUE(write_string("GENERAL", "Name", "new"));
    EXPECT_EQ(read_string("GENERAL", "Name", ""), "old");
    const std::string other = folder_.file("other.ini");
    EXPECT_TRUE(write_string("GENERAL", "Name", "new", other)); // a named file is still written
    EXPECT_EQ(read_string("GENERAL", "Name", "", other), "new");
}

TEST_F(SettingsAccess, ProgramFolderOnCdRomKeepsTheSettingsThereReadOnly) {
    set_cd_rom_override([](const std::string&) { return true; });
    initialise_settings_file(folder_.path());
    EXPECT_TRUE(settings_file().on_cd_rom);
    EXPECT_EQ(settings_file().path, folder_.file("Pemmaro.ini"));
}

TEST_F(SettingsAccess, WritableProgramFolderHoldsTheSettings) {
    set_cd_rom_override([](const std::string&) { return false; });
    initialise_settings_file(folder_.path());
    EXPECT_FALSE(settings_file().on_cd_rom);
    EXPECT_EQ(settings_file().path, folder_.file("Pemmaro.ini"));
}

TEST_F(SettingsAccess, InstalledProgramStartsFromTheShippedSettingsOnce) {
    set_cd_rom_override([](const std::string&) { return false; });
    write_file(folder_.file("Pemmaro.ini"),
               "[GENERAL]\r\nBase Directory=/media/solvara/\r\nJust Installed=Yes\r\n");
    ::chmod(folder_.file("Pemmaro.ini").c_str(), 0444);
    TempDir user;
    const SettingsPlaces installed{folder_.path(), false, user.path()};
    ScopedResponder responder;

    initialise_settings_file(installed);
    check_settings_file();
    EXPECT_EQ(settings_file().path, user.file("Pemmaro.ini"));
    EXPECT_TRUE(responder.responder.requests.empty());
    EXPECT_EQ(read_path("GENERAL", "Base Directory", ""), "/media/solvara/");
    EXPECT_TRUE(write_flag("GENERAL", "Just Installed", false));

    initialise_settings_file(installed); // the next start keeps the user's own file
    EXPECT_FALSE(read_flag("GENERAL", "Just Installed", true));
}

TEST_F(SettingsAccess, ProblemWithTheSettingsFileIsReportedNotFatal) {
    ScopedResponder responder;
    check_settings_file();
    ASSERT_EQ(responder.responder.requests.size(), 1u);
    EXPECT_EQ(responder.responder.requests[0].text,
              "There is a problem with the file " + settings_file().path);
    EXPECT_EQ(responder.responder.requests[0].icon, MessageIcon::error);

    write_file(settings_file().path, "[GENERAL]\r\n");
    check_settings_file();
    EXPECT_EQ(responder.responder.requests.size(), 1u);
}

TEST_F(SettingsAccess, SettingsFileThatIsAFolderGivesDefaultsAndSurvivesWrites) {
    ::mkdir(settings_file().path.c_str(), 0755);
    EXPECT_EQ(read_string("GENERAL", "Name", "default"), "default");
    EXPECT_FALSE(write_string("GENERAL", "Name", "x"));
    EXPECT_EQ(file_status(settings_file().path).kind, FileKind::directory);
}

TEST_F(SettingsAccess, OddContentNeverLosesOtherLines) {
    std::string odd = "no section line\nKey=before\n[GENERAL]\r\nKey=1\r\nKey=2\r\n";
    odd += std::string("bin\0\xff\x01ary", 9) + "\n" + std::string(100000, 'z') + "\n";
    write_file(settings_file().path, odd);
    EXPECT_EQ(read_integer("GENERAL", "Key", 0), 1);
    EXPECT_TRUE(write_integer("GENERAL", "Key", 3));
    std::string expected = odd;
    expected.replace(expected.find("Key=1"), 5, "Key=3");
    EXPECT_EQ(read_file(settings_file().path), expected);
}

// ---------------------------------------------------------------- a save cut short

class SettingsSaves : public SettingsAccess {
protected:
    void TearDown() override {
        set_file_fault(nullptr);
        SettingsAccess::TearDown();
    }

    const std::string old_ = "; kept as it is\r\n[GENERAL]\r\nBase Directory=/media/birds/\r\n"
                             "Just Installed=No\r\n[WINDOW 1]\r\nCoord=10,10,600,400\r\n";
    std::string saving() const { return settings_file().path + ".saving"; }
};

TEST_F(SettingsSaves, AKilledSaveLeavesTheOldFileAndItsLeftoverIsReplacedByTheNextSave) {
    write_file(settings_file().path, old_);
    EXPECT_TRUE(
        kill_in_the_middle_of([] { write_string("GENERAL", "Base Directory", "/home/me/"); }));
    EXPECT_EQ(read_file(settings_file().path), old_);
    EXPECT_EQ(read_path("GENERAL", "Base Directory", ""), "/media/birds/");
    ASSERT_TRUE(exists(saving())) << "killed between the temporary file and its rename";

    EXPECT_TRUE(write_flag("GENERAL", "Just Installed", true));
    EXPECT_FALSE(exists(saving()));
    std::string expected = old_;
    expected.replace(expected.find("Installed=No"), 12, "Installed=Yes");
    EXPECT_EQ(read_file(settings_file().path), expected);
}

// Killed anywhere, the file is one save's whole content, never part of one.
TEST_F(SettingsSaves, KilledAtAnyMomentTheFileIsAlwaysOneWholeSave) {
    write_file(settings_file().path, old_);
    const std::string first(5000, 'a');
    const std::string second(9000, 'b');
    for (int round = 0; round < 25; ++round) {
        kill_while_saving(
            [&] {
                write_string("WINDOW 1", "Visible", first);
                write_string("WINDOW 1", "Visible", second);
            },
            std::chrono::microseconds(200 + 397 * round));
        const std::string now = read_file(settings_file().path);
        ASSERT_TRUE(now == old_ || now == old_ + "Visible=" + first + "\r\n" ||
                    now == old_ + "Visible=" + second + "\r\n")
            << "round " << round << ": " << now.size() << " bytes";
    }
    EXPECT_TRUE(write_string("WINDOW 1", "Visible", "1,2,3,4"));
    EXPECT_EQ(read_string("WINDOW 1", "Visible", ""), "1,2,3,4");
    EXPECT_EQ(read_path("GENERAL", "Base Directory", ""), "/media/birds/");
}

TEST_F(SettingsSaves, AFullDiskFailsTheWriteAndKeepsTheOldFile) {
    write_file(settings_file().path, old_);
    for (FileWrite failing : {FileWrite::open, FileWrite::write}) {
        set_file_fault([failing](FileWrite operation, const std::string&) {
            return operation == failing ? ENOSPC : 0;
        });
        EXPECT_FALSE(write_string("GENERAL", "Base Directory", "/home/me/"));
        EXPECT_FALSE(write_integer("WINDOW 2", "Text Size", 12));
        EXPECT_EQ(read_file(settings_file().path), old_);
        EXPECT_FALSE(exists(saving()));
    }
    set_file_fault(nullptr);
    EXPECT_TRUE(write_string("GENERAL", "Base Directory", "/home/me/"));
    EXPECT_EQ(read_path("GENERAL", "Base Directory", ""), "/home/me/");
}
