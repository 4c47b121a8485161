#include "ProgramState.h"
#include "TestSupport.h"
#include "common/GeneralSettings.h"
#include "common/LanguageTexts.h"
#include "common/ProgramFolders.h"
#include "common/SettingsFile.h"

#include <gtest/gtest.h>

using namespace pemmaro;
using namespace pemmaro::test;

namespace {

std::string crlf(std::string_view text) {
    std::string result;
    for (char c : text) {
        if (c == '\n')
            result += '\r';
        result += c;
    }
    return result;
}

} // namespace

TEST(LanguageTextFile, LinesBeforeTheFirstDollarLineAreIgnored) {
    Ttextfile_handler texts(crlf("[A]\nintro\n$\n$[A]\none\n"));
    EXPECT_EQ(texts.line_count("A"), 1);
    EXPECT_EQ(texts.text("A", 1), "one");
}

TEST(LanguageTextFile, CommentsEmptyLinesAndRemarks) {
    Ttextfile_handler texts(crlf("$[S]\n* comment\n\fform feed\nword   # remark\n\n#only\nlast\n"));
    ASSERT_EQ(texts.line_count("S"), 4);
    EXPECT_EQ(texts.text("S", 1), "word   ");
    EXPECT_EQ(texts.text("S", 2), "");
    EXPECT_EQ(texts.text("S", 3), "");
    EXPECT_EQ(texts.text("S", 4), "last");
}

TEST(LanguageTextFile, SectionNamesIgnoreCaseAndHeadersMayCarryText) {
    Ttextfile_handler texts(crlf("$ header [kz_globs] trailing\nfirst\n"));
    EXPECT_TRUE(texts.has_section("KZ_GLOBS"));
    EXPECT_EQ(texts.text("Kz_Globs", 1), "first");
}

TEST(LanguageTextFile, DollarLineWithoutBracketsEndsTheSectionAndStartsNone) {
    Ttextfile_handler texts(crlf("$[A]\na1\n$ not a header\nlost\n$[B]\nb1\n"));
    EXPECT_EQ(texts.line_count("A"), 1);
    EXPECT_EQ(texts.line_count("B"), 1);
    EXPECT_EQ(texts.text("B", 1), "b1");
}

TEST(LanguageTextFile, LinesAreCutTo255CharactersAndLfEndsAreRead) {
    const std::string long_line(300, 'x');
    Ttextfile_handler texts("$[L]\n" + long_line + "\nnext");
    EXPECT_EQ(texts.text("L", 1).size(), 255u);
    EXPECT_EQ(texts.text("L", 2), "next");
}

TEST(LanguageTextFile, DuplicateSectionIsReported) {
    Ttextfile_handler texts(crlf("$[A]\n1\n$[a]\n2\n"));
    EXPECT_EQ(texts.status(), Ttextfile_handler::Status::duplicate_section);
    EXPECT_EQ(texts.duplicate_name(), "a");
}

TEST(LanguageTextFile, TextsOutsideTheSectionAreEmpty) {
    Ttextfile_handler texts(crlf("$[A]\none\ntwo\n"));
    EXPECT_EQ(texts.text("A", 0), "");
    EXPECT_EQ(texts.text("A", 3), "");
    EXPECT_EQ(texts.text("MISSING", 1), "");
}

TEST(LanguageTextFile, TextsArrayPadsCutsAndLeavesMissingElementsEmpty) {
    Ttextfile_handler texts(crlf("$[A]\nab\nabcdef\n"));
    const auto lines = texts.texts("A", 3, 4, 3);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "ab ");
    EXPECT_EQ(lines[1], "abcd");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "");
}

// Start-up sets the program's values; they are put back afterwards.
class LanguageTextStartup : public ::testing::Test {
protected:
    void SetUp() override {
        common_services().startup_directory = folder_.path();
        common_services().program_directory = folder_.path();
        settings_file().path = folder_.file("Pemmaro.ini");
        settings_file().on_cd_rom = false;
    }

    ScopedProgramState program_state_;
    TempDir folder_;
    ScopedCurrentDirectory current_{folder_.path()};
    ScopedResponder responder_;
    ScopedFatalThrows fatal_throws_;
};

TEST_F(LanguageTextStartup, MissingFileIsFatalWithItsName) {
    EXPECT_THROW(open_language_texts(), FatalError);
    ASSERT_EQ(responder_.responder.requests.size(), 1u);
    EXPECT_EQ(responder_.responder.requests[0].text,
              "The text file \"Pemmaro.txt\" was not found!");
    EXPECT_EQ(responder_.responder.requests[0].icon, MessageIcon::error);
}

TEST_F(LanguageTextStartup, TextFileSettingNamesTheFileAndCaptionIsTaken) {
    write_file(folder_.file("Other.txt"),
               crlf("$[MESSAGES_CAPTION]\nBirds\n$[OUT_OF_MEMORY]\nFull\n"));
    write_string(general_settings::section, general_settings::text_file, "Other.txt");
    open_language_texts();
    EXPECT_EQ(message_caption(), "Birds");
    EXPECT_EQ(out_of_memory_message(), "Full");
    EXPECT_EQ(text("MESSAGES_CAPTION", 1), "Birds");
}

TEST_F(LanguageTextStartup, DuplicateSectionInTheFileIsFatal) {
    write_file(folder_.file("Pemmaro.txt"), crlf("$[X]\n$[x]\n"));
    EXPECT_THROW(open_language_texts(), FatalError);
}
