#include "DiscFixture.h"

#include "common/LanguageTexts.h"
#include "common/Product.h"
#include "common/ProgramFolders.h"
#include "common/SettingsFile.h"
#include "data/DataFileReader.h"
#include "data/DataLoading.h"
#include "data/DataSet.h"

namespace pemmaro::test {

namespace {

const char* const language_texts =
    "$[KZ_DATA]\r\nI/O error \r\n with \r\nError in \r\nThe section\r\nis missing.\r\n"
    // Lines the display capitalises where it uses them are in lower case here.
    "$[KZ_SHSTR]\r\nalso audible:\r\n none\r\ncertainty \r\naccidental\r\nmigrant\r\n"
    "recorded by\r\nauthor\r\nmonotypic\r\nsubspecies\r\nsubspecies not known\r\nunused\r\n"
    "uncertain\r\nendemic\r\nvulnerable\r\nendangered\r\ncritically endangered\r\nextinct\r\n"
    "$[SSP]\r\nsubspecies\r\nnot certain\r\nsubspecies not certain\r\n";

std::map<std::string, std::vector<std::string>> default_files() {
    return {
        {"mapsdata.txt",
         {"@#[]", "India", "1", "68.0,98.0,36.0,6.5", "@#[]", "Indochina", "2",
          "97.5,110.0,24.0,8.0"}},
        {"people.txt",
         {"@#[]", "Vandrel, K.", "Kira Vandrel", "", "", "@#[]", "Tamrek, J.", "Jon Tamrek", "", "",
          "@#[]", "Orvin, P.", "Pia Orvin", "", ""}},
        {"names_sc.txt",
         {"comment before the first header",
          "@#[FAMILIES]",
          "Pycnonotidae",
          "PYCNONOT",
          "Alcedinidae",
          "ALCEDINIDAE",
          "@#[SPECIES 1]",
          "@#[]",
          "Pycnonotus jocosus",
          "10 1001",
          "ACS,D(\"India\" ----Main)",
          "IN-TH-IC",
          "2",
          "@#[]",
          "Pycnonotus cafer",
          "11 1002",
          "ACE,",
          "IN-SR-NE-BU",
          "",
          "cafer",
          "bengalensis",
          "",
          "@#[SPECIES 2]",
          "@#[]",
          "Alcedo atthis",
          "20 2001",
          "ACDT,D(\"India\" Mask----,\"Indochina\" ----Main),T(vu)",
          "IN-SR-TH-CH",
          "7",
          "@#[]",
          "Halcyon smyrnensis",
          "21 2002",
          "C,",
          "IN-SR-TH",
          "1"}},
        {"taxa.txt",
         {"@#[FAMILIES]",
          "Bulbuls",
          "Kingfishers",
          "@#[SPECIES 1]",
          "Red-whiskered Bulbul",
          "",
          "A <B>bold</B> bulbul.",
          "Gardens",
          "Red-vented Bulbul",
          "",
          "Common.",
          "",
          "@#[SPECIES 2]",
          "Common Kingfisher",
          "River Kingfisher",
          "<I>Small</I>",
          "Rivers",
          "White-throated Kingfisher",
          "",
          "",
          ""}},
        {"locality.txt",
         {"@#[]",
          "KHAO YAI",
          "Khao Yai National Park",
          "Nakhon Ratchasima",
          "Thailand",
          "",
          "",
          "00086600 00608200D",
          "",
          "khaoyai.htm",
          "@#[]",
          "NOWHERE",
          "zero location",
          "",
          "India",
          "",
          "",
          "",
          "",
          ""}},
        {"big_pict.txt", {"@#[]", "1001",     "",    "Vandrel, K.",
                          "3",    "KHAO YAI", "X1",  "Caption",
                          "@#[]", "2001",     "",    "",
                          "",     "",         "NSS", "",
                          "@#[]", "1001",     "",    "",
                          "",     "",         "",    "Second"}},
        {"othermedia.txt",
         {"@#[]", "10", "CD ten", "Solvara Bird Sounds, disc number ten", "ID10", "http://a",
          "@#[]", "9", "CD nine", "Solvara Bird Sounds, disc number nine", "ID9", "http://b"}},
        {"cutparts.txt",
         {"@#[]",
          "12A005b",
          "1",
          "0",
          "0730",
          "150695",
          "KHAO YAI",
          "Tamrek, J.",
          "<I>t</I>ext",
          "",
          "@#[]",
          "9B017",
          "CD track:03 offset:12.3 length:0245",
          "",
          "",
          "",
          "KHAO YAI",
          "",
          "",
          "",
          "@#[]",
          "10A001",
          "CD track:01 offset:0000 length:0100",
          "",
          "",
          "",
          "NOWHERE",
          "",
          "",
          ""}},
        {"cupaitem.txt",
         {"@#[1_1]", "X",  "",          "", "heard", "P",        "",         "",        "12A005b",
          "A",       "80", "",          "", "",      "",         "",         "9B017",   "@#[1_2]",
          "B",       "?",  "cafer (P)", "", "P",     "part one", "part two", "10A001",  "@#[2_1]",
          "X",       "",   "",          "", "P",     "",         "",         "12A005b", "@#[2_2]",
          "A",       "",   "",          "", "",      "",         "",         "9B017"}},
    };
}

} // namespace

std::string join_crlf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

DiscFixture::DiscFixture()
    : files_(default_files()) {}

void DiscFixture::set(const std::string& file, std::vector<std::string> lines) {
    files_[file] = std::move(lines);
}

void DiscFixture::append(const std::string& file, const std::vector<std::string>& lines) {
    std::vector<std::string>& content = files_[file];
    content.insert(content.end(), lines.begin(), lines.end());
}

void DiscFixture::remove(const std::string& file) {
    files_.erase(file);
}

void DiscFixture::write() const {
    for (const auto& [name, lines] : files_)
        write_file(dir_.file(name), join_crlf(lines));
    write_file(dir_.file("Pemmaro.txt"), language_texts);
}

LoadedDisc::LoadedDisc(const DiscFixture& disc)
    : current_(disc.folder()) {
    disc.write();
    context_.common.startup_directory = disc.folder();
    context_.common.program_directory = disc.folder();
    context_.settings.path = disc.settings_path();
    context_.texts = Ttextfile_handler(read_file(disc.folder() + "Pemmaro.txt"));
}

std::unique_ptr<Tdata> LoadedDisc::load() {
    return load_data(context_);
}

std::unique_ptr<Tdata> load_sample_disc() {
    TempDir settings;
    ScopedCurrentDirectory current(PEMMARO_SAMPLE_DISC_DIR);
    ScopedResponder responder;
    ScopedFatalThrows fatal_throws;
    const std::string disc = std::string(PEMMARO_SAMPLE_DISC_DIR) + "/";
    TestContext context;
    context.common.startup_directory = disc;
    context.common.program_directory = disc;
    context.settings.path = settings.file("Pemmaro.ini");
    context.texts = Ttextfile_handler(read_file(disc + "Pemmaro.txt"));
    return load_data(context);
}

} // namespace pemmaro::test
