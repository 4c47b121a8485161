// The language text file shipped on the sample disc, read with the program's
// own reader: every section the program reads is there with its lines, texts
// that are joined with other text keep their joining blanks and quotes, and
// the raw file has the layout the reader expects.

#include "TestSupport.h"
#include "common/LanguageTexts.h"

#include <cctype>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using namespace pemmaro;
using namespace pemmaro::test;

namespace {

std::string shipped_file() {
    return read_file(std::string(PEMMARO_SAMPLE_DISC_DIR) + "/Pemmaro.txt");
}

struct SectionUse {
    std::string_view name;
    int lines; // lines the program loads or addresses
};

constexpr SectionUse sections_used[] = {
    {"MESSAGES_CAPTION", 1},
    {"OUT_OF_MEMORY", 1},
    {"FILE_OPEN_AND_SAVE_DIALOGS", 3},
    {"KZ_GLOBS", 6},
    {"KZ_DATA", 5},
    {"BASEDIR", 2},
    {"OTHER_INSTANCE", 2},
    {"SSP", 3},
    {"KZ_CHILD", 2},
    {"MENUS", 45},
    {"F3", 1},
    {"SLIDES AND SOUNDS SHOW", 1},
    {"KZ_SHSTR", 30},
    {"KZ_NAMES_DB", 10},
    {"FIND_DB", 2},
    {"AUDIO_CD_2", 3},
    {"AUDIO_CD", 10},
    {"AUDIO_CD_3", 3},
    {"MY_AUDIO_CDS", 7},
    {"KZ_SOUNDBAR", 1},
    {"PLAY_LISTS", 26},
    {"SHOW_SETTINGS_DB", 15},
    {"SOUND_DEMO", 1},
    {"PLAY_SOUND_OPTIONS_FRAME", 5},
    {"COPY_TO_HARD_DISK", 25},
    {"SELECT AREA", 3},
    {"KZ_MAPWN", 15},
    {"SITE DESCRIPTIONS", 2},
    {"KZ_PICTURES", 8},
    {"PERSONAL", 2},
    {"THREATENEDBIRDS", 8},
    {"KZ_SHOW_LISTS", 3},
    {"KZ_LISTS", 2},
    {"BROWSER_SETTINGS_DIALOG", 9},
    {"KZ_INTRO", 2},
    {"KZ_ABOUT", 16},
};

// A text that the program joins with other text: what it must start and end with.
struct JoinedText {
    std::string_view section;
    int line;
    std::string_view starts;
    std::string_view ends;
};

constexpr JoinedText joined_texts[] = {
    {"KZ_GLOBS", 1, "", "\""}, // ... file "PROGR_NM.TXT" was not found
    {"KZ_GLOBS", 2, "\"", ""},
    {"KZ_GLOBS", 3, "", " "},  // Could not read ... <path>
    {"KZ_GLOBS", 4, "  ", ""}, // a note on a species line, set off from the names
    {"KZ_DATA", 1, "", " "},   // error <code> occurred with <file>
    {"KZ_DATA", 2, " ", " "},
    {"KZ_DATA", 3, "", " "},
    {"KZ_CHILD", 1, "", "\""}, // No name containing "<text>" ...
    {"KZ_CHILD", 2, "\"", ""},
    {"KZ_SHSTR", 2, " ", ""},     // appended straight to line 1
    {"KZ_SHSTR", 3, "", " "},     // ... <number>%
    {"PLAY_LISTS", 16, "", "\""}, // ... play list "<name>"?
    {"PLAY_LISTS", 17, "\"", ""},
    {"THREATENEDBIRDS", 5, ",", ""}, // follows the book's title directly
    {"THREATENEDBIRDS", 6, "", " "}, // followed directly by the second publisher
    {"KZ_MAPWN", 2, "", " "},        // labels followed directly by their values
    {"KZ_MAPWN", 3, "", " "},
    {"KZ_MAPWN", 4, "", " "},
    {"KZ_MAPWN", 9, "", " "},
};

Ttextfile_handler parsed_file() {
    return Ttextfile_handler(shipped_file());
}

} // namespace

TEST(ShippedLanguageFile, ReadsWithoutDuplicateSectionsAndHasEverySectionWithItsLines) {
    const Ttextfile_handler texts = parsed_file();
    ASSERT_EQ(texts.status(), Ttextfile_handler::Status::ok) << texts.duplicate_name();
    for (const SectionUse& use : sections_used) {
        EXPECT_TRUE(texts.has_section(use.name)) << use.name;
        EXPECT_GE(texts.line_count(use.name), use.lines) << use.name;
    }
    // A few texts whose place is easy to get wrong by one line.
    EXPECT_EQ(texts.text("MENUS", 8), "E&xit");
    EXPECT_EQ(texts.text("MENUS", 37), "&About Pemmaro");
    EXPECT_EQ(texts.text("KZ_SHSTR", 14), "Vulnerable");
    EXPECT_EQ(texts.text("KZ_SHSTR", 17), "Extinct");
    EXPECT_EQ(texts.text("KZ_MAPWN", 13), "W");
    EXPECT_EQ(texts.text("COPY_TO_HARD_DISK", 13), "Abort");
}

TEST(ShippedLanguageFile, JoinedTextsKeepTheirJoiningBlanksAndQuotes) {
    const Ttextfile_handler texts = parsed_file();
    for (const JoinedText& joined : joined_texts) {
        const std::string text = texts.text(joined.section, joined.line);
        SCOPED_TRACE(std::string(joined.section) + " line " + std::to_string(joined.line) + ": [" +
                     text + "]");
        EXPECT_GT(text.size(), joined.starts.size() + joined.ends.size());
        EXPECT_TRUE(text.starts_with(joined.starts));
        EXPECT_TRUE(text.ends_with(joined.ends));
    }
    // The existing assembled messages read as sentences.
    EXPECT_EQ(texts.text("KZ_DATA", 1) + "5" + texts.text("KZ_DATA", 2) + "x.txt",
              "An input/output error 5 occurred with the data file x.txt");
}

// A blank left before a "#" remark by mistake is kept by the reader; only the
// texts that are joined with other text may start or end with one.
TEST(ShippedLanguageFile, NoOtherTextStartsOrEndsWithABlank) {
    const Ttextfile_handler texts = parsed_file();
    std::set<std::pair<std::string_view, int>> may_start, may_end;
    for (const JoinedText& joined : joined_texts) {
        if (joined.starts.starts_with(' '))
            may_start.insert({joined.section, joined.line});
        if (joined.ends.ends_with(' '))
            may_end.insert({joined.section, joined.line});
    }
    for (const SectionUse& use : sections_used) {
        for (int n = 1; n <= texts.line_count(use.name); ++n) {
            const std::string text = texts.text(use.name, n);
            if (text.empty())
                continue;
            SCOPED_TRACE(std::string(use.name) + " line " + std::to_string(n) + ": [" + text + "]");
            if (text.front() == ' ') {
                EXPECT_TRUE(may_start.contains({use.name, n}));
            }
            if (text.back() == ' ') {
                EXPECT_TRUE(may_end.contains({use.name, n}));
            }
        }
    }
}

TEST(ShippedLanguageFile, MenuAcceleratorsAreUniqueWithinEachMenu) {
    const Ttextfile_handler texts = parsed_file();
    const std::vector<std::pair<std::string_view, std::vector<int>>> menus = {
        {"MENUS", {1, 10, 13, 15, 18, 33}},                                  // menu bar
        {"MENUS", {2, 3, 4, 5, 6, 7, 8}},                                    // File, first window
        {"MENUS", {2, 3, 4, 5, 6, 7, 9}},                                    // File, other windows
        {"MENUS", {11, 12}},                                                 // Search
        {"MENUS", {16, 17}},                                                 // Sound
        {"MENUS", {19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32}}, // Options
        {"MENUS", {34, 35, 36, 37}},                                         // Help
        {"PLAY_LISTS", {4, 5, 6, 7}},                                        // play list File menu
    };
    for (const auto& [section, lines] : menus) {
        std::map<char, int> used;
        for (int n : lines) {
            const std::string caption = texts.text(section, n);
            SCOPED_TRACE(std::string(section) + " line " + std::to_string(n) + ": " + caption);
            const std::size_t amp = caption.find('&');
            ASSERT_NE(amp, std::string::npos);
            ASSERT_LT(amp + 1, caption.size());
            EXPECT_EQ(caption.find('&', amp + 1), std::string::npos);
            const char key =
                static_cast<char>(std::toupper(static_cast<unsigned char>(caption[amp + 1])));
            EXPECT_TRUE(std::isalnum(static_cast<unsigned char>(key)));
            const auto [where, added] = used.emplace(key, n);
            EXPECT_TRUE(added) << "same key as line " << where->second;
        }
    }
}

TEST(ShippedLanguageFile, RawFileHasCrLfEndsShortLinesAndOnlyWindows1252Bytes) {
    const std::string raw = shipped_file();
    ASSERT_FALSE(raw.empty());
    EXPECT_TRUE(raw.ends_with("\r\n"));
    std::size_t line_start = 0;
    int line_number = 1;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(raw[i]);
        if (c == '\r') {
            EXPECT_TRUE(i + 1 < raw.size() && raw[i + 1] == '\n')
                << "lone CR, line " << line_number;
        } else if (c == '\n') {
            EXPECT_TRUE(i > 0 && raw[i - 1] == '\r') << "LF without CR, line " << line_number;
            const std::size_t length = i - line_start - (i > 0 && raw[i - 1] == '\r' ? 1 : 0);
            EXPECT_LE(length, 255u) << "line " << line_number;
            line_start = i + 1;
            ++line_number;
        } else {
            EXPECT_TRUE(c != 0x81 && c != 0x8D && c != 0x8F && c != 0x90 && c != 0x9D && c != 0)
                << "byte " << int(c) << " on line " << line_number;
        }
    }
}
