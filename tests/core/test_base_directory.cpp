#include "ProgramState.h"
#include "TestSupport.h"
#include "common/BaseDirectory.h"
#include "common/GeneralSettings.h"
#include "common/SettingsFile.h"
#include "platform/Drives.h"

#include <gtest/gtest.h>

using namespace pemmaro;
using namespace pemmaro::test;
namespace keys = pemmaro::general_settings;

// The base directory is the program's own: its settings file and state are
// set for the test and put back afterwards.
class BaseDirectory : public ::testing::Test {
protected:
    void SetUp() override {
        settings_file().path = folder_.file("Pemmaro.ini");
        settings_file().on_cd_rom = false;
        base_directory_state() = {};
    }
    void TearDown() override {
        set_folder_prompt(nullptr);
        set_base_directory_changed_handler(nullptr);
        set_cd_rom_override(nullptr);
    }

    std::string saved(std::string_view key) { return read_string(keys::section, key, "<none>"); }

    ScopedProgramState program_state_;
    TempDir folder_;
};

TEST_F(BaseDirectory, JustInstalledKeepsOnlyTheDriveAndWritesItBack) {
    write_file(settings_file().path,
               "[GENERAL]\r\nBase Directory=E:\\DATA\\\r\nJust Installed=Yes\r\n");
    read_base_directory();
    EXPECT_EQ(base_directory(), "E:\\");
    EXPECT_EQ(saved(keys::base_directory), "E:");
}

TEST_F(BaseDirectory, JustInstalledKeepsTheMountPointOfAMountedMediumOnly) {
    EXPECT_EQ(just_installed_base_directory("/proc/sys/kernel/"), "/proc");
    EXPECT_EQ(just_installed_base_directory("/"), "/");

    // A disc that is not in the drive: the folder must not become "/".
    const std::string absent = "/media/pemmaro-absent-disc/Birds of Solvara/DATA/";
    write_file(settings_file().path,
               "[GENERAL]\r\nBase Directory=" + absent + "\r\nJust Installed=Yes\r\n");
    read_base_directory();
    EXPECT_EQ(base_directory(), absent);
    EXPECT_EQ(saved(keys::base_directory), absent);
}

TEST_F(BaseDirectory, LongFoldersAreReadWhole) {
    const std::string folder = "/media/" + std::string(240, 'd') + "/";
    write_file(settings_file().path, "[GENERAL]\r\nBase Directory=" + folder + "\r\n");
    read_base_directory();
    EXPECT_EQ(base_directory(), folder);
}

TEST_F(BaseDirectory, EmptySettingGivesALoneBackslash) {
    read_base_directory();
    EXPECT_EQ(base_directory(), "\\");
    EXPECT_EQ(saved(keys::base_directory), "<none>");
}

TEST_F(BaseDirectory, FolderWithoutSeparatorGetsOne) {
    write_file(settings_file().path, "[GENERAL]\r\nBase Directory=/media/disc\r\n");
    read_base_directory();
    EXPECT_EQ(base_directory(), "/media/disc/");
}

TEST_F(BaseDirectory, SavingAtTheEndClearsJustInstalled) {
    base_directory_state().base_directory = "/media/disc/";
    save_base_directory();
    EXPECT_EQ(saved(keys::just_installed), "No");
    EXPECT_EQ(saved(keys::base_directory), "/media/disc/");
}

TEST_F(BaseDirectory, ConfirmedNewFolderIsSavedAtOnceAndAnnounced) {
    int changes = 0;
    set_base_directory_changed_handler([&] { ++changes; });
    std::string caption_seen;
    set_folder_prompt([&](const std::string& caption) -> std::optional<std::string> {
        caption_seen = caption;
        return "/media/disc";
    });
    base_directory_state().basedir_texts[0] = "Where is the disc?";
    EXPECT_TRUE(ask_for_base_directory());
    EXPECT_EQ(caption_seen, "Where is the disc?");
    EXPECT_EQ(base_directory(), "/media/disc/");
    EXPECT_EQ(saved(keys::base_directory), "/media/disc/");
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(ask_for_base_directory()); // the same folder again: nothing changes
    EXPECT_EQ(changes, 1);
}

TEST_F(BaseDirectory, CancelKeepsTheEarlierFolder) {
    base_directory_state().base_directory = "/media/disc/";
    set_folder_prompt([](const std::string&) { return std::optional<std::string>(); });
    EXPECT_FALSE(ask_for_base_directory());
    EXPECT_EQ(base_directory(), "/media/disc/");
    EXPECT_EQ(saved(keys::base_directory), "<none>");
}

TEST_F(BaseDirectory, MissingFileAsksUntilItIsFoundOrTheUserCancels) {
    write_file(folder_.file("disc/TAPES/07/A05.WAV"), "RIFF");
    std::vector<std::optional<std::string>> answers = {folder_.file("wrong"), folder_.file("disc")};
    std::size_t asked = 0;
    set_folder_prompt([&](const std::string&) { return answers.at(asked++); });
    base_directory_state().base_directory = "\\";
    auto path = locate_data_file([] { return base_directory() + "tapes\\07\\a05.wav"; });
    EXPECT_EQ(asked, 2u);
    EXPECT_EQ(path, folder_.file("disc/TAPES/07/A05.WAV"));

    set_folder_prompt([](const std::string&) { return std::optional<std::string>(); });
    EXPECT_EQ(locate_data_file([] { return base_directory() + "missing.wav"; }), std::nullopt);
}

TEST_F(BaseDirectory, CdRomCheckOnlyForRealFolders) {
    set_cd_rom_override([](const std::string&) { return true; });
    base_directory_state().base_directory = "\\";
    EXPECT_FALSE(base_directory_is_on_cd_rom());
    base_directory_state().base_directory = "E:\\";
    EXPECT_FALSE(base_directory_is_on_cd_rom());
    base_directory_state().base_directory = "/media/cdrom/";
    EXPECT_TRUE(base_directory_is_on_cd_rom());
}
