#include "DiscFixture.h"
#include "common/Product.h"
#include "common/SettingsFile.h"
#include "data/DataLoading.h"
#include "data/DataSet.h"
#include "data/Loaders.h"
#include "data/SolvaraAreas.h"
#include "data/TextMarkup.h"
#include "platform/ProfileFile.h"

#include <gtest/gtest.h>
#include <tuple>

using namespace pemmaro;
using namespace pemmaro::test;

namespace {

std::string fatal_text_of(DiscFixture& disc) {
    LoadedDisc loaded(disc);
    try {
        loaded.load();
    } catch (const FatalError& error) {
        return error.what();
    }
    return "<loaded>";
}

} // namespace

// Italic is 11 ("\v"), bold 12 ("\f"), underline 13 ("\r").
TEST(DisplayMarkup, EveryOpeningTagTakesTheNextFreeClosingTag) {
    EXPECT_EQ(convert_display_markup("<I>call<I>song</I>both</I>"), "\vcall\vsong\vboth\v");
    EXPECT_EQ(convert_display_markup("<b>dawn</B> and </b>dusk"), "\fdawn\f and </b>dusk");
    EXPECT_EQ(convert_display_markup("<U>male<u>female"), "\rmale\rfemale\r\r");
    EXPECT_EQ(convert_display_markup("<B><I>Alcedo</I></B> atthis"), "\f\vAlcedo\v\f atthis");
    // Unclosed styles end in the order italic, bold, underline, whatever their order.
    EXPECT_EQ(convert_display_markup("<U>song</b> <b>call <I>flight"),
              "\rsong</b> \fcall \vflight\v\f\r");
}

class LoadedFixture : public ::testing::Test {
protected:
    void SetUp() override { data_ = loaded_.load(); }

    Tspecies& species(int unique_id) { return *data_->species_by_id(unique_id); }

    DiscFixture disc_;
    LoadedDisc loaded_{disc_};
    std::unique_ptr<Tdata> data_;
};

TEST_F(LoadedFixture, FamiliesAndSpeciesInFileOrder) {
    EXPECT_EQ(data_->family_count[1], 2);
    const Tfamily& bulbuls = *data_->first_family[1];
    EXPECT_EQ(bulbuls.scientific_name, "Pycnonotidae");
    EXPECT_EQ(bulbuls.language_name, "Bulbuls");
    EXPECT_EQ(bulbuls.first_species[1]->language_name, "Red-whiskered Bulbul");
    EXPECT_EQ(bulbuls.first_species[1]->next_species[1]->scientific_name, "Pycnonotus cafer");
    EXPECT_EQ(data_->species_count(), 4);
    EXPECT_EQ(species(2001).family_directory_name, "ALCEDINIDAE");
    EXPECT_EQ(species(1001).taxa_text_3, "A \x0c"
                                         "bold\x0c bulbul.");
}

TEST_F(LoadedFixture, FlagWordMapsThreatAuthorAndSubspecies) {
    const Tspecies& whiskered = species(1001);
    EXPECT_TRUE(whiskered.flag_a && whiskered.flag_s && whiskered.has_recording_items);
    EXPECT_EQ(whiskered.map_count, 0); // "D(" without the letter D
    EXPECT_EQ(whiskered.text_author->key, "Vandrel, K.");
    const Tspecies& kingfisher = species(2001);
    ASSERT_EQ(kingfisher.map_count, 2);
    EXPECT_EQ(kingfisher.maps[1].map->name, "Indochina"); // the main map comes first
    EXPECT_FALSE(kingfisher.maps[1].is_mask);
    EXPECT_TRUE(kingfisher.maps[2].is_mask);
    EXPECT_EQ(kingfisher.threat_status, 1);     // "vu" in lower case
    EXPECT_EQ(kingfisher.text_author, nullptr); // number 7
    EXPECT_EQ(species(2002).text_author->key, "Tamrek, J.");
    const Tspecies& vented = species(1002);
    EXPECT_TRUE(vented.flag_e);
    EXPECT_EQ(vented.subspecies_count, 2);
    EXPECT_EQ(vented.first_subspecies->next_subspecies->name, "bengalensis");
    EXPECT_EQ(vented.first_subspecies->next_subspecies->number, 2);
}

TEST_F(LoadedFixture, DistributionAreasOfTheRegion) {
    const auto* area = dynamic_cast<const TSolvaraArea*>(species(1002).occurrence_areas.get());
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area->ToText(), "IN-SR-NE-BU");
    EXPECT_TRUE(species(1002).in_region);
}

TEST_F(LoadedFixture, CutPartsFromKeysAndSpans) {
    const Tcutpart& sound = *data_->cut_parts.find("12a005B");
    EXPECT_EQ(sound.tape_number, 12);
    EXPECT_EQ(sound.side_letter, 'A');
    EXPECT_EQ(sound.cut_number, 5);
    EXPECT_EQ(sound.sub_letter, 'b');
    EXPECT_TRUE(sound.is_sound_file);
    EXPECT_EQ(sound.length_ms, 99000); // a length of 0 counts as 99 seconds
    EXPECT_EQ(sound.time, 730);
    EXPECT_EQ(sound.recordist->key, "Tamrek, J.");
    const Tcutpart& span = *data_->cut_parts.find("9B017");
    EXPECT_FALSE(span.is_sound_file);
    EXPECT_EQ(span.audio_cd->tape_number, 9);
    EXPECT_EQ(span.track, 3);
    EXPECT_EQ(span.offset_ms, 12300);
    EXPECT_EQ(span.length_ms, 24500);
    EXPECT_EQ(span.date, -1);
    EXPECT_EQ(span.sub_letter, ' ');
    EXPECT_EQ(data_->cut_part_by_reference_code("00009B0017 "), &span);
    EXPECT_EQ(data_->cut_part_by_reference_code("0000xB0017 "), nullptr);
}

TEST_F(LoadedFixture, RecordingItemsChainPerSpeciesAndPerCutPart) {
    const Tspecies& whiskered = species(1001);
    EXPECT_EQ(whiskered.recording_item_count, 2);
    const Tcupaitem& second = *whiskered.first_recording_item->next_item_of_species;
    EXPECT_EQ(second.number, 80);
    EXPECT_FALSE(second.flag_p);
    EXPECT_TRUE(whiskered.has_sound_file_recording);
    const Tcupaitem& uncertain = *species(1002).first_recording_item;
    EXPECT_EQ(uncertain.number, 100);
    ASSERT_TRUE(uncertain.subspecies_ref);
    EXPECT_TRUE(uncertain.subspecies_ref->is_p);
    EXPECT_EQ(uncertain.subspecies_ref->subspecies->name, "cafer");
    EXPECT_EQ(uncertain.item_text_2, "part one part two");
    const Tcutpart& sound = *data_->cut_parts.find("12A005b");
    ASSERT_NE(sound.first_recording_item[1], nullptr);
    EXPECT_EQ(sound.first_recording_item[1]->species, &whiskered);
    EXPECT_EQ(sound.first_recording_item[1]->next_item_of_cut_part[1]->species, &species(2001));
    EXPECT_EQ(data_->recording_item_count(), 5);
}

TEST_F(LoadedFixture, BigPicturesAreNumberedPerSpeciesInFileOrder) {
    const Tspecies& whiskered = species(1001);
    EXPECT_EQ(whiskered.big_picture_count, 2);
    const Tbig_picture& first = *whiskered.first_big_picture;
    EXPECT_EQ(first.photographer->key, "Vandrel, K.");
    EXPECT_TRUE(first.flag_x1);
    EXPECT_EQ(first.next_picture->picture_number, 2);
    EXPECT_EQ(first.next_picture->previous_picture, &first);
    EXPECT_EQ(first.next_picture->locality, nullptr);
    EXPECT_EQ(nth_big_picture(whiskered, 9), first.next_picture);
    EXPECT_FALSE(species(2001).has_show_picture); // NSS
    EXPECT_TRUE(whiskered.has_show_picture);
}

TEST_F(LoadedFixture, LocalitiesPeopleAndMaps) {
    const Tlocality& park = *data_->localities.find("KHAO YAI");
    EXPECT_EQ(park.latitude, 86600);
    EXPECT_FALSE(park.latitude_marked_d);
    EXPECT_EQ(park.longitude, 608200);
    EXPECT_TRUE(park.longitude_marked_d);
    ASSERT_EQ(data_->localities_by_description_name.size(), 1u);
    EXPECT_EQ(data_->localities_by_description_name[0].key,
              "Khao Yai National Park (Nakhon Ratchasima, Thailand).");
    EXPECT_EQ(data_->first_person->key, "Vandrel, K."); // the first record, not the first key
    EXPECT_EQ(data_->person_by_fragment("a", 1)->key, "Tamrek, J."); // key order
    EXPECT_EQ(data_->person_by_fragment("a", 2)->key, "Vandrel, K.");
    EXPECT_EQ(data_->person_by_fragment("a", 3), nullptr);
    const Tmap_data& india = *data_->maps.find("india");
    EXPECT_DOUBLE_EQ(static_cast<double>(india.first_pair.x), 68.0);
    EXPECT_DOUBLE_EQ(static_cast<double>(india.first_pair.y), 36.0);
    EXPECT_DOUBLE_EQ(static_cast<double>(india.second_pair.y), 6.5);
}

// Lengths in whole seconds become milliseconds; one too long for that is no
// length (as an empty one), never a wrapped-around small or negative one.
TEST(CutPartLengths, LengthsBeyondMillisecondsCountAsUnknown) {
    DiscFixture disc;
    for (const char* key_and_seconds :
         {"3A001 2147483", "3A002 2147484", "3A003 4294968", "3A004 99999999999999999999"}) {
        const std::string text = key_and_seconds;
        const std::size_t blank = text.find(' ');
        disc.append("cutparts.txt", {"@#[]", text.substr(0, blank), "0", text.substr(blank + 1), "",
                                     "", "KHAO YAI", "", "", ""});
    }
    LoadedDisc loaded(disc);
    std::unique_ptr<Tdata> data = loaded.load();
    EXPECT_EQ(data->cut_parts.find("3A001")->length_ms, 2147483000);
    for (const char* key : {"3A002", "3A003", "3A004"})
        EXPECT_EQ(data->cut_parts.find(key)->length_ms, 99000) << key;
}

TEST(AudioCdSettings, PositionsFollowTheTapeNumbersAsTexts) {
    DiscFixture disc;
    LoadedDisc loaded(disc);
    const std::string nine_short_name = audio_cd_short_name(*loaded.load()->audio_cds.find("9"));
    const std::string long_folder = "/music/" + std::string(230, 'n') + "/cd9";
    write_file(disc.settings_path(), "[AUDIO CDS]\r\nCDs on Hard Disk=2\r\n"
                                     "Part of short name CD 2=" +
                                         nine_short_name +
                                         "\r\n"
                                         "Directory on hard disk CD 2=" +
                                         long_folder +
                                         "\r\n"
                                         "Part of short name CD 1=*another edition*\r\n"
                                         "Directory on hard disk CD 1=/music/old\r\n");
    std::unique_ptr<Tdata> data = loaded.load();
    const TaudioCD& nine = *data->audio_cds.find("9");
    const TaudioCD& ten = *data->audio_cds.find("10");
    EXPECT_EQ(nine.cd_index, 2);
    EXPECT_TRUE(nine.on_hard_disk); // position 2: "10" sorts before "9"
    EXPECT_FALSE(ten.on_hard_disk);
    EXPECT_EQ(ten.hard_disk_directory, ""); // stored for another disc edition
    EXPECT_EQ(nine.hard_disk_directory, long_folder);
    save_audio_cd_state(*data, loaded.context().settings);
    EXPECT_EQ(profile_string(disc.settings_path(), "AUDIO CDS", "CDs on Hard Disk", "", 200), "2");
    EXPECT_EQ(profile_string(disc.settings_path(), "AUDIO CDS", "Part of short name CD 1", "", 200),
              audio_cd_short_name(ten));
}

TEST(BrokenDiscs, DanglingKeysAndBadNumbersAreFatalWithTheirMessages) {
    struct Case {
        std::string file;
        std::vector<std::string> lines;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"cutparts.txt",
         {"@#[]", "12A005b", "1", "", "", "", "ELSEWHERE"},
         "cutparts.txt corrupt! Error 1"},
        {"cutparts.txt",
         {"@#[]", "12A005b", "1", "", "", "", "KHAO YAI", "Nobody"},
         "cutparts.txt corrupt! Error 2"},
        {"cutparts.txt", {"@#[]", "7A001", "CD track:01"}, "cutparts.txt corrupt! Error 3"},
        {"cutparts.txt", {"@#[]", "9A001", "CD trk:01"}, "cutparts.txt corrupt! Error 4"},
        {"cutparts.txt", {"@#[]", "12A005b", "1", "", "", ""}, "Locality is empty string!?"},
        {"cutparts.txt",
         {"@#[]", "12A005b", "x"},
         "Error occured when converting compression number!"},
        {"othermedia.txt",
         {"@#[]", "ten"},
         "Error occured when converting audio CD \"tape\" number!"},
        {"cupaitem.txt",
         {"@#[1_2]", "X", "", "", "", "P", "", "", "10A001", "@#[1_1]", "X", "", "", "", "P", "",
          "", "10A001"},
         "cupaitem.txt corrupt! Error 1"},
        {"big_pict.txt",
         {"@#[]", "999"},
         "Serious error when reading data, unique ID in big_pict.txt not found in species list!"},
        {"big_pict.txt", {"@#[]", "1001", "", "Nobody"}, "Inconsistency in file \"big_pict.txt\"!"},
        {"big_pict.txt",
         {"@#[]", "1001", "", "", "", "ELSEWHERE"},
         "big_pict.txt corrupt! Error 1"},
        {"names_sc.txt",
         {"@#[FAMILIES]", "F", "DIR", "@#[SPECIES 1]", "@#[]", "S", "x 1"},
         "Error occured when converting species ID!"},
        {"names_sc.txt",
         {"@#[FAMILIES]", "F", "DIR", "@#[SPECIES 1]", "@#[]", "S", "1"},
         "Error occured when converting unique ID!"},
        {"names_sc.txt",
         {"@#[FAMILIES]", "F", "DIR", "@#[SPECIES 1]", "@#[]", "S", "1 1",
          "D,D(\"Nowhere\" --------)"},
         "Inconsistency in the file with scientific names: can't find map!"},
        {"names_sc.txt",
         {"@#[FAMILIES]", "F", "DIR", "@#[SPECIES 1]", "@#[]", "S", "1 1", ",", "IN-XX"},
         "Error in distribution data for S: item \"XX\" is invalid!"},
    };
    for (const Case& broken : cases) {
        DiscFixture disc;
        disc.set(broken.file, broken.lines);
        EXPECT_EQ(fatal_text_of(disc), broken.message) << broken.file;
    }
}

TEST(BrokenDiscs, CorruptFileReportsInTheEditionsLanguage) {
    for (auto [spanish, dutch, expected] :
         {std::tuple{true, false, "cutparts.txt corrupto! Error 1"},
          std::tuple{false, true, "cutparts.txt corrupt! Fout 1"}}) {
        DiscFixture disc;
        disc.set("cutparts.txt", {"@#[]", "12A005b", "1", "", "", "", "ELSEWHERE"});
        LoadedDisc loaded(disc);
        loaded.context().product.edition_spanish = spanish;
        loaded.context().product.edition_dutch = dutch;
        EXPECT_THROW(loaded.load(), FatalError);
        EXPECT_EQ(loaded.messages().requests.back().text, expected);
    }
}

TEST(BrokenDiscs, MissingFilesAndSectionsAreFatal) {
    DiscFixture no_people;
    no_people.remove("people.txt");
    EXPECT_EQ(fatal_text_of(no_people), "I/O error 2 with " + no_people.folder() + "people.txt");
    DiscFixture no_headers;
    no_headers.set("taxa.txt", {"just text", "without headers"});
    EXPECT_EQ(fatal_text_of(no_headers), "Error in " + no_headers.folder() +
                                             "taxa.txt\nThe section \"@#[FAMILIES]\" is missing.");
}

TEST(BrokenDiscs, OptionalPicturesAndOddFamilyLines) {
    DiscFixture disc;
    disc.remove("big_pict.txt");
    disc.set("names_sc.txt",
             {"@#[FAMILIES]", "Pycnonotidae", "PYCNONOT", "Orphan", "@#[SPECIES 1]"});
    disc.set("cupaitem.txt", {});
    disc.set("cutparts.txt", {});
    LoadedDisc loaded(disc);
    std::unique_ptr<Tdata> data = loaded.load();
    EXPECT_EQ(data->family_count[1], 1); // the odd last line is ignored
    EXPECT_EQ(data->big_picture_count(), 0);
}

TEST(SystematicOrders, UnusedFamiliesBeforeAUsedOneAreDropped) {
    DiscFixture disc;
    disc.set("syst_ord.txt", {"@#[FAMILIES_1]", "A,Alpha", "B,Beta", "C", "D,Delta",
                              "@#[SPECIES_1]", "1,1001", "1,9999", "3,2001", "3,1002", "3,1002", "",
                              "1,2002", "@#[FAMILIES_2]", "X,Ex", "@#[SPECIES_2]", "1,2001"});
    LoadedDisc loaded(disc);
    loaded.context().product.has_systematic_order_file = true;
    std::unique_ptr<Tdata> data = loaded.load();
    const Tfamily& first = *data->first_family[2];
    EXPECT_EQ(first.language_name, "Alpha");
    EXPECT_EQ(first.next_family->scientific_name, "C"); // B got no species
    EXPECT_EQ(first.next_family->language_name, "");
    EXPECT_EQ(first.next_family->next_family->scientific_name, "D"); // kept though empty
    EXPECT_EQ(first.next_family->first_species[2]->unique_id, 2001);
    EXPECT_EQ(first.next_family->first_species[2]->next_species[2]->unique_id, 1002);
    EXPECT_EQ(first.next_family->first_species[2]->next_species[2]->next_species[2], nullptr);
    EXPECT_EQ(data->species_by_id(1001)->order_position[2], 0);
    EXPECT_EQ(data->species_by_id(2002)->order_position[2], -1); // after the empty line
    EXPECT_FALSE(data->order_complete[2]);
    const Tcutpart& shared = *data->cut_parts.find("9B017");
    EXPECT_EQ(shared.first_recording_item[2]->species->unique_id, 2002); // outside the order: first
    EXPECT_EQ(shared.first_recording_item[2]->next_item_of_cut_part[2]->species->unique_id, 1001);
    EXPECT_EQ(data->family_count[2], 3);
}

// Species outside an order all stand at position -1, so their items meet in
// one run of the sort; a species is still chained once, even when another
// species' item stands between two of its items.
TEST(SystematicOrders, ASpeciesOutsideTheOrderIsChainedOncePerCutPart) {
    DiscFixture disc;
    disc.set("syst_ord.txt", {"@#[FAMILIES_1]", "A,Alpha", "@#[SPECIES_1]", "1,1001",
                              "@#[FAMILIES_2]", "X,Ex", "@#[SPECIES_2]", "1,1001"});
    LoadedDisc loaded(disc);
    loaded.context().product.has_systematic_order_file = true;
    std::unique_ptr<Tdata> data = loaded.load();
    Tcutpart& shared = *data->cut_parts.find("9B017");
    Tcupaitem& bulbul = data->recording_item_store.emplace_back();
    bulbul.species = data->species_by_id(1002);
    bulbul.cut_part = &shared;
    Tcupaitem& first = *shared.first_recording_item[1];  // of species 1001
    Tcupaitem& second = *first.next_item_of_cut_part[1]; // of species 2002
    Tcupaitem& again = data->recording_item_store.emplace_back(second);
    second.next_item_of_cut_part[1] = &bulbul;
    bulbul.next_item_of_cut_part[1] = &again;

    TDataFileReader reader(loaded.context());
    LoadContext context{*data, reader, loaded.context(), {}};
    load_systematic_orders(context);
    std::vector<int> chained;
    for (const Tcupaitem* item = shared.first_recording_item[2]; item;
         item = item->next_item_of_cut_part[2])
        chained.push_back(item->species->unique_id);
    EXPECT_EQ(chained, (std::vector<int>{2002, 1002, 1001}));
}
