#include "TestSupport.h"
#include "common/LanguageTexts.h"
#include "data/DataSet.h"

#include <gtest/gtest.h>

using namespace pemmaro;

TEST(DataTexts, DatesAndTimes) {
    EXPECT_EQ(recording_date_text(311299), "31-12-1999");
    EXPECT_EQ(recording_date_text(10140), "01-01-1940");
    EXPECT_EQ(recording_date_text(10139), "01-01-2039");
    EXPECT_EQ(recording_date_text(150695), "15-06-1995");
    EXPECT_EQ(recording_date_text(-1), "");
    EXPECT_EQ(recording_time_text(730, ':'), "07:30h");
    EXPECT_EQ(recording_time_text(-1, ':'), "");
}

TEST(DataTexts, LocalityDisplayNames) {
    Tlocality place;
    place.name = "Khao Yai";
    place.region_text = "Nakhon Ratchasima";
    place.country = "Thailand";
    EXPECT_EQ(locality_display_name(place), "Khao Yai (Nakhon Ratchasima, Thailand).");
    place.show_country = false;
    place.prefix_text = "near";
    EXPECT_EQ(locality_display_name(place), "near Khao Yai (Nakhon Ratchasima).");
    place.region_text.clear();
    EXPECT_EQ(locality_display_name(place), "near Khao Yai");
    place.name = "zero location";
    place.show_country = true;
    EXPECT_EQ(locality_display_name(place), "");
}

TEST(DataTexts, CutPartReferenceCodesAndAudioCdShortNames) {
    Tcutpart part;
    part.tape_number = 12;
    part.side_letter = 'A';
    part.cut_number = 5;
    part.sub_letter = 'b';
    EXPECT_EQ(cut_part_reference_code(part), "00012A0005b");
    TaudioCD cd;
    cd.media_text_2 = "Solvara Bird Sounds, disc number ten";
    EXPECT_EQ(audio_cd_short_name(cd), "*ara Bird Sounds disc number te*");
    cd.media_text_2 = "short";
    EXPECT_EQ(audio_cd_short_name(cd), "*tshort*");
}

TEST(DataIndexes, FirstKeyWinsAndLookupsIgnoreCase) {
    Tperson first{"Tamrek, J.", "first", ""};
    Tperson second{"TAMREK, J.", "second", ""};
    Tperson other{"Orvin", "", ""};
    SortedIndex<Tperson> index;
    index.add(first.key, &first);
    index.add(other.key, &other);
    index.add(second.key, &second);
    index.finish();
    EXPECT_EQ(index.size(), 2u);
    EXPECT_EQ(index.find("tamrek, j."), &first);
    EXPECT_EQ(index[0].object, &other); // key order
    EXPECT_EQ(index.find("Tamrek"), nullptr);
}

TEST(DataIndexes, TapeNumbersOrderAsTexts) {
    TaudioCD nine;
    TaudioCD ten;
    SortedIndex<TaudioCD> index;
    index.add("9", &nine);
    index.add("10", &ten);
    index.finish();
    EXPECT_EQ(index.position("10"), 0u);
    EXPECT_EQ(index.position("9"), 1u);
}

class SpeciesNames : public ::testing::Test {
protected:
    void SetUp() override {
        species.scientific_name = "Pycnonotus cafer";
        species.language_name = "Red-vented Bulbul";
        subspecies.name = "bengalensis";
    }
    const Ttextfile_handler texts{"$[KZ_SHSTR]\n1\n2\n3\n4\n5\n6\n7\n8\nssp.\n10\n11\nuncertain\n"
                                  "$[SSP]\nsubspecies\nnot sure\nsubspecies not sure\n"};
    Tspecies species;
    Tsubspecies subspecies;
};

TEST_F(SpeciesNames, OrderAndShowOptions) {
    EXPECT_EQ(species_display_name(species, {}, {true, true, true}, texts),
              "  Pycnonotus cafer (Red-vented Bulbul)");
    EXPECT_EQ(species_display_name(species, {}, {false, true, true}, texts),
              "  Pycnonotus cafer (Red-vented Bulbul)");
    EXPECT_EQ(species_display_name(species, {}, {true, false, true}, texts), "  Pycnonotus cafer");
    species.language_name.clear();
    EXPECT_EQ(species_display_name(species, {}, {true, true, false}, texts), "  Pycnonotus cafer");
}

TEST_F(SpeciesNames, SubspeciesOnlyForSpeciesWithTheSubspeciesFlag) {
    const Trecord_ssp_data uncertain{&subspecies, true};
    EXPECT_EQ(species_display_name(species, uncertain, {false, false, true}, texts),
              "  Pycnonotus cafer");
    species.flag_e = true;
    EXPECT_EQ(species_display_name(species, uncertain, {false, false, true}, texts),
              "  Pycnonotus cafer, ssp. bengalensis (uncertain)");
    EXPECT_EQ(species_display_name(species, Trecord_ssp_data{}, {false, false, true}, texts),
              "  Pycnonotus cafer, ssp. error with subspecies name");
}

TEST_F(SpeciesNames, SubspeciesTexts) {
    std::string text = "Recorded";
    append_subspecies_text(text, Trecord_ssp_data{&subspecies, true}, true, texts);
    EXPECT_EQ(text, "Recorded Subspecies \x0b"
                    "bengalensis\x0b (not sure).");
    std::string short_text;
    append_subspecies_text(short_text, Trecord_ssp_data{&subspecies, false}, false, texts);
    EXPECT_EQ(short_text, "");
    append_subspecies_text(short_text, Trecord_ssp_data{&subspecies, true}, false, texts);
    EXPECT_EQ(short_text, "Subspecies not sure.");
    std::string after_break = "a\n";
    append_subspecies_text(after_break, Trecord_ssp_data{nullptr, false}, true, texts);
    EXPECT_EQ(after_break, "a\nSubspecies \x0b"
                           "error with subspecies name\x0b.");
}
