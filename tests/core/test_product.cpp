#include "ProgramState.h"
#include "TestSupport.h"
#include "common/Product.h"
#include "common/ProgramFolders.h"

#include <gtest/gtest.h>

using namespace pemmaro;
using namespace pemmaro::test;

namespace {

const std::vector<std::string> globs = {"",     "missing ", " file", "unreadable ",
                                        "Only", "Also",     "and"};

} // namespace

TEST(ProductIdentity, BothNumbersOfTheSolvaraRowGiveProduct106WithoutLanguageFlags) {
    const ProductRow& row = product_table().front();
    for (int number : {row.english_number, row.other_number}) {
        const ProductSettings settings = product_settings_for(number, globs);
        EXPECT_EQ(settings.product_code, 106);
        EXPECT_FALSE(settings.edition_english || settings.edition_spanish ||
                     settings.edition_dutch || settings.edition_portuguese);
        EXPECT_EQ(settings.product_title, row.title_english);
        EXPECT_EQ(settings.product_version, "1.0");
        EXPECT_EQ(settings.update_address,
                  std::string(row.update_base_address) + "1.0/EnterFromDiskProgramEnglish.htm");
        EXPECT_FALSE(settings.is_product_104);
        EXPECT_EQ(settings.home_country_text_1, "Only ");
        EXPECT_EQ(settings.home_country_text_2, "Also ");
    }
}

TEST(ProductIdentity, UnknownNumberOrNoneGives103WithTheErrorTitle) {
    for (std::optional<int> number : {std::optional<int>(5), std::optional<int>()}) {
        const ProductSettings settings = product_settings_for(number, globs);
        EXPECT_EQ(settings.product_code, 103);
        EXPECT_EQ(settings.product_title, "Error: Unknown Velmora Program");
        EXPECT_EQ(settings.product_version, "1.0");
        EXPECT_EQ(settings.update_address, "");
    }
}

TEST(ProductIdentity, FirstLineMustBeANumberAlone) {
    EXPECT_EQ(parse_product_number("1061"), 1061);
    EXPECT_EQ(parse_product_number(" 1061 "), 1061);
    EXPECT_EQ(parse_product_number("1061 Solvara"), std::nullopt);
    EXPECT_EQ(parse_product_number(""), std::nullopt);
    EXPECT_EQ(parse_product_number("x"), std::nullopt);
}

// Start-up sets the program's values; they are put back afterwards.
class ProductStartup : public ::testing::Test {
protected:
    void SetUp() override {
        common_services().startup_directory = folder_.path();
        common_services().program_directory = folder_.path();
    }

    ScopedProgramState program_state_;
    TempDir folder_;
    ScopedCurrentDirectory current_{folder_.path()};
    ScopedResponder responder_;
};

TEST_F(ProductStartup, MissingNumberFileIsReportedOnceAndStartsAs103) {
    establish_product();
    ASSERT_EQ(responder_.responder.requests.size(), 1u);
    EXPECT_EQ(responder_.responder.requests[0].icon, MessageIcon::error);
    EXPECT_NE(responder_.responder.requests[0].text.find("PROGR_NM.TXT"), std::string::npos);
    EXPECT_EQ(product().product_code, 103);
    EXPECT_EQ(message_caption(), "Error: Unknown Velmora Program");
}

TEST_F(ProductStartup, NumberFileFoundWithAnyCaseNamesTheProduct) {
    write_file(folder_.file("progr_nm.txt"), "1061\r\nsecond line\r\n");
    establish_product();
    EXPECT_TRUE(responder_.responder.requests.empty());
    EXPECT_EQ(product().product_code, 106);
    EXPECT_EQ(message_caption(), product().product_title);
}

TEST_F(ProductStartup, TrailingTextMakesTheProductUnknownWithoutAMessage) {
    write_file(folder_.file("PROGR_NM.TXT"), "1061 ; Solvara\r\n");
    establish_product();
    EXPECT_TRUE(responder_.responder.requests.empty());
    EXPECT_EQ(product().product_code, 103);
}
