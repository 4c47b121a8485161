#include "DiscFixture.h"
#include "data/DataSet.h"
#include "data/SolvaraAreas.h"
#include "data/VisibleSpecies.h"
#include "platform/ProfileFile.h"

#include <gtest/gtest.h>

using namespace pemmaro;
using namespace pemmaro::test;

class Visibility : public ::testing::Test {
protected:
    void SetUp() override {
        data_ = loaded_.load();
        filter_.emplace(*data_, loaded_.context());
        filter_->area->SelectAll();
    }

    Tspecies& species(int unique_id) { return *data_->species_by_id(unique_id); }
    void select_only(const char* text) {
        filter_->area = std::make_unique<TSolvaraArea>(text, false, "");
    }

    DiscFixture disc_;
    LoadedDisc loaded_{disc_};
    std::unique_ptr<Tdata> data_;
    std::optional<TVisibleSpeciesAndRecordings> filter_;
};

TEST_F(Visibility, PlayableItemsStopAtTheFirstItemWithoutP) {
    const NumberSet all = filter_->used_audio_cds;
    EXPECT_EQ(count_playable_items(species(1001), all, ItemMode::all), 1);
    EXPECT_EQ(count_playable_items(species(2002), all, ItemMode::all), 0);
    // The second item of 1001 (no P) still counts where all items are walked.
    EXPECT_EQ(nth_available_item(species(1001), all, 2, ItemMode::best)->number, 80);
    EXPECT_EQ(nth_available_item(species(1001), all, 3, ItemMode::all), nullptr);
}

TEST_F(Visibility, TypeLettersByModeCaseMatters) {
    EXPECT_TRUE(type_passes("A", ItemMode::best));
    EXPECT_FALSE(type_passes("B", ItemMode::best));
    EXPECT_TRUE(type_passes("B", ItemMode::good));
    EXPECT_FALSE(type_passes("x", ItemMode::good));
    EXPECT_TRUE(type_passes("x", ItemMode::all));
}

TEST_F(Visibility, AudioCdsMustBeOwnedAndNumberedBelow256) {
    Tcutpart span = *data_->cut_parts.find("10A001");
    EXPECT_TRUE(cut_part_available(span, filter_->used_audio_cds));
    EXPECT_FALSE(cut_part_available(span, NumberSet()));
    TaudioCD far = *span.audio_cd;
    far.cd_index = 256;
    span.audio_cd = &far;
    NumberSet everything;
    everything.set();
    EXPECT_FALSE(cut_part_available(span, everything));
}

TEST_F(Visibility, SpeciesNeedPicturesOrPlayableRecordings) {
    EXPECT_TRUE(species_visible(species(1001), *filter_));  // pictures
    EXPECT_TRUE(species_visible(species(1002), *filter_));  // a CD recording with P
    EXPECT_FALSE(species_visible(species(2002), *filter_)); // its only item lacks P
    filter_->used_audio_cds.reset();
    EXPECT_FALSE(species_visible(species(1002), *filter_));
    filter_->show_all_species_of_area = true;
    EXPECT_TRUE(species_visible(species(2002), *filter_));
}

TEST_F(Visibility, TheSelectedAreaMustOverlapTheDistribution) {
    select_only("SR");
    EXPECT_FALSE(species_visible(species(1001), *filter_)); // IN-TH-IC
    EXPECT_TRUE(species_visible(species(1002), *filter_));  // IN-SR-NE-BU
    EXPECT_EQ(count_visible_families(*filter_, 1), 2);
    const Tfamily& bulbuls = *nth_visible_family(1, *filter_, 1);
    EXPECT_EQ(count_visible_species(bulbuls, *filter_, 1), 1);
    EXPECT_EQ(nth_visible_species(bulbuls, 1, *filter_, 1), &species(1002));
    select_only("PH");
    EXPECT_EQ(count_visible_families(*filter_, 1), 0);
    EXPECT_EQ(nth_visible_family(1, *filter_, 1), nullptr);
}

TEST_F(Visibility, ShowAndSoundSpeciesAndTheirFatalOverrun) {
    EXPECT_EQ(count_show_species(*filter_), 1); // 1001; 2001's picture is not for shows
    EXPECT_EQ(nth_show_species(1, *filter_), &species(1001));
    EXPECT_EQ(count_sound_species(*filter_, ItemMode::all, false), 3);
    EXPECT_EQ(nth_sound_species(*filter_, ItemMode::all, 3, false), &species(2001));
    EXPECT_EQ(count_sound_species(*filter_, ItemMode::all, true), 1);
    EXPECT_THROW(nth_show_species(2, *filter_), FatalError);
    EXPECT_EQ(loaded_.messages().requests.back().text, "Error!!, xabfg, n_store = 2");
}

TEST_F(Visibility, FindNameFromAStartPosition) {
    const NameChoice names{true, true, false};
    NameSearchResult family = find_name("bulbul", 1, 1, 0, *filter_, names);
    EXPECT_TRUE(family.found);
    EXPECT_EQ(family.species_number, 0); // the start family's own names first
    EXPECT_EQ(family.matched, MatchedName::other_language);
    NameSearchResult next = find_name("bulbul", 1, 1, 1, *filter_, names);
    EXPECT_EQ(next.species_number, 1);
    NameSearchResult later = find_name("bulbul", 1, 1, 2, *filter_, names);
    EXPECT_EQ(later.species_number, 2);
    EXPECT_FALSE(find_name("bulbul", 1, 1, 3, *filter_, names).found);
    NameSearchResult scientific = find_name("ALCEDO", 1, 1, 0, *filter_, names);
    EXPECT_EQ(scientific.family_number, 2);
    EXPECT_EQ(scientific.matched, MatchedName::scientific);
    NameSearchResult extra = find_name("river", 1, 1, 0, *filter_, names);
    EXPECT_TRUE(extra.matched_in_other_names);
    EXPECT_FALSE(find_name("river", 1, 1, 0, *filter_, {true, false, true}).found);
}

TEST_F(Visibility, SettingsRoundTrip) {
    write_file(disc_.settings_path(), "[WINDOW 1]\r\nSelected Area=sr-in\r\nUsed Audio CDs=2\r\n");
    TVisibleSpeciesAndRecordings stored =
        TVisibleSpeciesAndRecordings::CreateFromSettings(*data_, loaded_.context(), "WINDOW 1");
    EXPECT_EQ(stored.area->ToText(), "IN-SR");
    EXPECT_EQ(stored.used_audio_cds.count(), 1u);
    EXPECT_FALSE(stored.show_all_species_of_area);
    stored.SaveToSettings(loaded_.context().settings, "WINDOW 2");
    EXPECT_EQ(profile_string(disc_.settings_path(), "WINDOW 2", "Selected Area", "", 200), "IN-SR");
    EXPECT_EQ(profile_string(disc_.settings_path(), "WINDOW 2", "Used Audio CDs", "", 200), "2");
    TVisibleSpeciesAndRecordings defaults =
        TVisibleSpeciesAndRecordings::CreateFromSettings(*data_, loaded_.context(), "WINDOW 3");
    EXPECT_EQ(defaults.used_audio_cds.count(), 2u);
    EXPECT_EQ(defaults.area->ToText(), "IN-SR-NE-BU-TH-IC-MA-SI-BO-SU-JA-BA-CH-HK-TA-PH");
    TVisibleSpeciesAndRecordings copy = defaults;
    copy.Assign(stored);
    EXPECT_EQ(copy.area->ToText(), "IN-SR");
    EXPECT_EQ(defaults.area->ToText().size(), 47u); // the copy is separate
}
