#include "TestSupport.h"
#include "common/SettingsFile.h"
#include "data/CountryAreas.h"
#include "data/SolvaraAreas.h"

#include <gtest/gtest.h>

using namespace pemmaro;
using namespace pemmaro::test;

namespace {

constexpr std::string_view all_selectable = "IN-SR-NE-BU-TH-IC-MA-SI-BO-SU-JA-BA-CH-HK-TA-PH";

bool all_items_set(const TSolvaraArea& area) {
    for (bool item : area.Items) {
        if (!item)
            return false;
    }
    return true;
}

} // namespace

TEST(SolvaraArea, ReadsCodesInAnyCaseAndAcceptsATrailingDash) {
    EXPECT_EQ(TSolvaraArea("in-sr", true, "Pitta").ToText(), "IN-SR");
    EXPECT_EQ(TSolvaraArea("IN-", true, "Pitta").ToText(), "IN");
    EXPECT_EQ(TSolvaraArea("ph-Ch-IN", true, "Pitta").ToText(), "IN-CH-PH");

    const TSolvaraArea sumatra("SU", true, "Pitta");
    EXPECT_TRUE(sumatra.Items[9]);
    EXPECT_FALSE(sumatra.Items[13]);
}

TEST(SolvaraArea, BadTextIsFatalWithReportsAndSelectsEverythingWithout) {
    const struct {
        std::string_view text;
        std::string_view message_end;
    } cases[] = {
        {"IN--SR", "item \"-S\" is invalid!"}, {"INSR", "missing \"-\""},
        {"I", "item \"I\" is invalid!"},       {"SU-SU", "item \"SU\" occurs twice!"},
        {"in-xx", "item \"XX\" is invalid!"},  {"IN-LE-IN", "item \"IN\" occurs twice!"},
    };
    ScopedResponder responder;
    ScopedFatalThrows throws;
    for (const auto& c : cases) {
        const std::string expected =
            "Error in distribution data for Pitta moluccensis: " + std::string(c.message_end);
        try {
            TSolvaraArea area(c.text, true, "Pitta moluccensis");
            ADD_FAILURE() << c.text << " was accepted";
        } catch (const FatalError& error) {
            EXPECT_EQ(error.what(), expected) << c.text;
        }
        EXPECT_TRUE(all_items_set(TSolvaraArea(c.text, false, ""))) << c.text;
    }
}

TEST(SolvaraArea, OverlapsOnlyOnACommonItem) {
    const TSolvaraArea india_sri_lanka("IN-SR", true, "");
    EXPECT_TRUE(india_sri_lanka.Overlaps(TSolvaraArea("SR-NE", true, "")));
    EXPECT_FALSE(india_sri_lanka.Overlaps(TSolvaraArea("NE-BU", true, "")));
    EXPECT_FALSE(india_sri_lanka.Overlaps(TCountryArea(capabilities_of(101))));

    TSolvaraArea everything;
    everything.SelectAll();
    EXPECT_FALSE(TSolvaraArea("", true, "").Overlaps(everything));
    EXPECT_FALSE(everything.Overlaps(TSolvaraArea("", true, "")));
}

TEST(SolvaraArea, AssignAndCloneCopyTheItems) {
    TSolvaraArea target("IN", true, "");
    target.Assign(TSolvaraArea("TA-BO", true, ""));
    EXPECT_EQ(target.ToText(), "BO-TA");
    EXPECT_EQ(target.clone()->ToText(), "BO-TA");
}

class AreaSettings : public ::testing::Test {
protected:
    TempDir dir_;
    const SettingsFile settings_{dir_.file("Pemmaro.ini")};
};

TEST_F(AreaSettings, AbsentSelectionSelectsAllSelectableItems) {
    TSolvaraArea area;
    area.CreateFromSettings(settings_, "BROWSE 1");
    EXPECT_EQ(area.ToText(), all_selectable);
    for (int index = 12; index <= 15; ++index)
        EXPECT_FALSE(area.Items[static_cast<std::size_t>(index)]) << index;

    area.SaveToSettings(settings_, "BROWSE 1");
    EXPECT_EQ(settings_.read_string("BROWSE 1", "Selected Area", ""), all_selectable);
}

TEST_F(AreaSettings, StoredSelectionIsReadBackAndABadOneSilentlySelectsAll) {
    ScopedResponder responder;
    settings_.write_string("BROWSE 1", "Selected Area", "ne-th");
    settings_.write_string("BROWSE 2", "Selected Area", "NE-NE");
    TSolvaraArea good;
    good.CreateFromSettings(settings_, "BROWSE 1");
    EXPECT_EQ(good.ToText(), "NE-TH");
    TSolvaraArea bad;
    bad.CreateFromSettings(settings_, "BROWSE 2");
    EXPECT_TRUE(all_items_set(bad));
    EXPECT_TRUE(responder.responder.requests.empty());
}

TEST_F(AreaSettings, CountryAreaReadsItsLettersAnywhereAndSavesThem) {
    const TCountryArea both("b-o", true, "", capabilities_of(101));
    EXPECT_TRUE(both.InHomeCountry && both.InOtherCountries);
    EXPECT_FALSE(both.IsOnlyInHomeArea());
    both.SaveToSettings(settings_, "BROWSE 1");
    EXPECT_EQ(settings_.read_string("BROWSE 1", "Selected Area", ""), "B-O");

    const TCountryArea other("O", true, "", capabilities_of(101));
    EXPECT_FALSE(other.InHomeCountry);
    EXPECT_TRUE(other.InOtherCountries);
    EXPECT_EQ(other.ToText(), "O");

    const TCountryArea home("xxBxx", true, "", capabilities_of(101));
    EXPECT_TRUE(home.IsOnlyInHomeArea());
    EXPECT_FALSE(TCountryArea("B", true, "", capabilities_of(114)).InHomeCountry);
    EXPECT_TRUE(TCountryArea("E", true, "", capabilities_of(114)).IsInHomeArea());

    EXPECT_TRUE(both.Overlaps(other));
    EXPECT_FALSE(home.Overlaps(other));
    EXPECT_FALSE(home.Overlaps(TSolvaraArea("IN", true, "")));

    TCountryArea stored(capabilities_of(101));
    stored.CreateFromSettings(settings_, "BROWSE 1");
    EXPECT_EQ(stored.ToText(), "B-O");
    TCountryArea absent(capabilities_of(101));
    absent.CreateFromSettings(settings_, "BROWSE 9");
    EXPECT_EQ(absent.ToText(), "B-O");
}

TEST(AreaFactories, ChooseTheClassByProduct) {
    const auto region = create_area_for_product(capabilities_of(106));
    ASSERT_NE(dynamic_cast<TSolvaraArea*>(region.get()), nullptr);
    EXPECT_EQ(region->ToText(), "");

    const auto britain = create_area_for_product(capabilities_of(101));
    ASSERT_NE(dynamic_cast<TCountryArea*>(britain.get()), nullptr);
    EXPECT_EQ(britain->ToText(), "B");
    EXPECT_EQ(create_area_from_text(capabilities_of(114), "e-o", true, "")->ToText(), "E-O");
    EXPECT_EQ(create_area_from_text(capabilities_of(106), "sr-in", true, "")->ToText(), "IN-SR");

    for (int code : {0, 103, 104, 105, 107})
        EXPECT_EQ(create_area_for_product(capabilities_of(code)), nullptr) << code;
    EXPECT_EQ(create_area_from_text(capabilities_of(103), "IN", true, ""), nullptr);

    ScopedFatalThrows throws;
    EXPECT_THROW(create_area_from_text(capabilities_of(106), "IN-IN", true, "Pitta"), FatalError);
}
