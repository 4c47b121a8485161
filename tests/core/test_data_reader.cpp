#include "DiscFixture.h"
#include "TestSupport.h"
#include "common/LanguageTexts.h"
#include "common/ProgramFolders.h"
#include "common/SettingsFile.h"
#include "data/DataFileReader.h"

#include <gtest/gtest.h>

using namespace pemmaro;
using namespace pemmaro::test;

// The reader finds its files in the folder (also as start-up and program folder).
class DataFileReading : public ::testing::Test {
protected:
    static const TestContext& context_in(TestContext& context, const std::string& folder) {
        context.common.startup_directory = folder;
        context.common.program_directory = folder;
        context.texts = Ttextfile_handler(
            "$[KZ_DATA]\r\nI/O error \r\n with \r\nError in \r\nThe section\r\nis missing.\r\n");
        return context;
    }

    SectionRead read(std::string_view section, int highest, int flags) {
        return reader_.read_section("data.txt", section, highest, lines_, flags);
    }
    void write(const std::vector<std::string>& lines) {
        write_file(folder_.file("data.txt"), join_crlf(lines));
    }

    TempDir folder_;
    ScopedCurrentDirectory current_{folder_.path()};
    ScopedResponder responder_;
    ScopedFatalThrows fatal_throws_;
    TestContext context_;
    TDataFileReader reader_{context_in(context_, folder_.path())};
    std::vector<std::string> lines_;
};

TEST_F(DataFileReading, RecordsFollowOneAnotherAndContinuationLinesJoin) {
    write({"ignored", "@#[]", "#*&lost", "one", "#*&+more", "two", "@#[] comment", "three"});
    SectionRead first = read("", 5, open_file);
    ASSERT_TRUE(first.found);
    ASSERT_EQ(first.count, 2);
    EXPECT_EQ(lines_[0], "one+more");
    EXPECT_EQ(lines_[1], "two");
    SectionRead second = read("", 5, 0);
    ASSERT_EQ(second.count, 1);
    EXPECT_EQ(lines_[0], "three");
    EXPECT_EQ(lines_[1], ""); // elements after the count are emptied
    EXPECT_FALSE(read("", 5, close_file).found);
}

TEST_F(DataFileReading, LongRecordKeepsTheFirstLinesAndTheRestIsPassedOver) {
    write({"@#[]", "a", "b", "#*&c", "d", "#*&e", "@#[NEXT]", "n"});
    SectionRead record = read("", 1, open_file);
    EXPECT_EQ(record.count, 2);
    EXPECT_EQ(lines_[1], "bc");
    SectionRead next = read("NEXT", 1, 0);
    ASSERT_TRUE(next.found);
    EXPECT_EQ(lines_[0], "n");
}

TEST_F(DataFileReading, NamedSectionsWithCommentsAndLfLineEnds) {
    write_file(folder_.file("data.txt"), "@#[FAMILIES] the families\nA\nB\n@#[FAMILIESX]\nC");
    SectionRead families = read("FAMILIES", 9, open_file);
    EXPECT_EQ(families.count, 2);
    EXPECT_EQ(read("FAMILIESX", 9, 0).count, 1);
    EXPECT_EQ(lines_[0], "C");
    EXPECT_EQ(read("FAMILIES", 9, rewind_file).count, 2);
}

TEST_F(DataFileReading, MissingSectionWithReportIsFatal) {
    write({"@#[A]", "x"});
    EXPECT_FALSE(read("B", 3, open_file).found);
    EXPECT_THROW(read("A", 3, report_missing), FatalError); // searched past, not found again
    EXPECT_EQ(read("A", 3, rewind_file).count, 1);
    EXPECT_THROW(read("C", 3, report_missing | open_file), FatalError);
    ASSERT_FALSE(responder_.responder.requests.empty());
    EXPECT_EQ(responder_.responder.requests.back().text,
              "Error in " + folder_.file("data.txt") + "\nThe section \"@#[C]\" is missing.");
}

TEST_F(DataFileReading, MissingFileIsFatalUnlessOptional) {
    EXPECT_FALSE(
        reader_.read_section("none.txt", "", 3, lines_, open_file | optional_file).file_present);
    EXPECT_THROW(reader_.read_section("none.txt", "", 3, lines_, open_file), FatalError);
    EXPECT_EQ(responder_.responder.requests.back().text,
              "I/O error 2 with " + folder_.file("none.txt"));
}

TEST_F(DataFileReading, OddBytesAndAHugeLineAreReadWhole) {
    const std::string huge(1 << 20, 'x');
    write({"@#[]", huge, std::string("\xe9\x01\x7f", 3)});
    SectionRead record = read("", 3, open_file);
    ASSERT_EQ(record.count, 2);
    EXPECT_EQ(lines_[0].size(), huge.size());
    EXPECT_EQ(lines_[1], "\xe9\x01\x7f");
}

TEST(FieldConversions, Numbers) {
    EXPECT_EQ(number_of("  42"), 42);
    EXPECT_EQ(number_of("-7"), -7);
    EXPECT_EQ(number_of("42 "), std::nullopt);
    EXPECT_EQ(number_of(""), std::nullopt);
    EXPECT_EQ(optional_number_of(""), -1);
    EXPECT_EQ(optional_number_of("0730x"), 730);
    EXPECT_EQ(leading_number_of("12A005"), 12);
    EXPECT_EQ(leading_number_of("abc"), 0);
}

TEST(FieldConversions, DecimalsAndCommas) {
    EXPECT_DOUBLE_EQ(static_cast<double>(*decimal_with_point("12.25")), 12.25);
    EXPECT_DOUBLE_EQ(static_cast<double>(*decimal_with_point("-3.5")), -3.5);
    EXPECT_DOUBLE_EQ(static_cast<double>(*decimal_with_point("-0.5")), -0.5);
    EXPECT_DOUBLE_EQ(static_cast<double>(*decimal_with_point("7")), 7.0);
    EXPECT_EQ(decimal_with_point("x.5"), std::nullopt);
    EXPECT_EQ(split_at_first_comma("a,b,c").second, "b,c");
    EXPECT_EQ(split_at_first_comma("abc").second, "");
}

TEST(FieldConversions, KeywordValues) {
    ScopedResponder responder;
    ScopedFatalThrows throws;
    EXPECT_EQ(keyword_value("CD track:03 offset:12.3 length:0245", "offset", "o"), 123);
    EXPECT_EQ(keyword_value("CD track:03 offset:12.3 length:0245", "length", "l"), 245);
    EXPECT_EQ(keyword_value("CD track:03", "offset", "o"), 0);
    EXPECT_THROW(keyword_value("CD track:xx", "track", "audio CD track number"), FatalError);
    EXPECT_EQ(responder.responder.requests.back().text,
              "Error occured when converting audio CD track number!");
}
