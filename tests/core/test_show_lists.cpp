#include "DiscFixture.h"
#include "common/LanguageTexts.h"
#include "data/DataSet.h"
#include "data/RecordingsAndPicturesList.h"
#include "data/ShowRandomChoices.h"
#include "data/SolvaraAreas.h"
#include "data/VisibleSpecies.h"

#include <gtest/gtest.h>
#include <map>
#include <set>

using namespace pemmaro;
using namespace pemmaro::test;

namespace {

const Ttextfile_handler list_texts("$[KZ_LISTS]\r\nPicture\r\nRecording\r\n");

Tspecies named(const std::string& name) {
    Tspecies species;
    species.language_name = name;
    return species;
}

TRecordingsAndOrPicturesList titled_list() {
    return TRecordingsAndOrPicturesList(
        list_texts, [](const Tspecies& species) { return species.language_name; });
}

} // namespace

TEST(RecordingsAndPicturesList, KeepsTheNewest200AndNumbersOn) {
    TRecordingsAndOrPicturesList list = titled_list();
    EXPECT_EQ(list.Text(), "");
    const Tspecies bulbul = named("Red-vented Bulbul");
    for (int i = 1; i <= 201; ++i)
        list.AddRecording(bulbul, i);
    EXPECT_EQ(list.Count(), 200);
    EXPECT_EQ(list.Counter(), 201);
    const std::string text = list.Text();
    EXPECT_EQ(text.substr(0, text.find('\n')), "2: Recording: Red-vented Bulbul (2)");
    EXPECT_EQ(text.substr(text.rfind('\n') + 1), "201: Recording: Red-vented Bulbul (201)");

    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Text(), "");
    list.AddRecording(bulbul, 4);
    EXPECT_EQ(list.Text(), "1: Recording: Red-vented Bulbul (4)");
}

TEST(RecordingsAndPicturesList, EntriesNameWhatWasShownAndPlayed) {
    TRecordingsAndOrPicturesList list = titled_list();
    Tspecies kingfisher = named("Common Kingfisher");
    Tbig_picture picture;
    picture.species = &kingfisher;
    picture.picture_number = 3;
    list.AddPicture(picture);
    list.AddPictureAndRecording(kingfisher, 2, 5);
    list.AddRecording(kingfisher, 4);
    EXPECT_EQ(list.Text(), "1: Picture: Common Kingfisher (3)\n"
                           "2: Picture & Recording: Common Kingfisher (2,5)\n"
                           "3: Recording: Common Kingfisher (4)");
}

// The fixture's order-1 species: 1001 (two show pictures; a sound file "X"
// with P, then a CD "A" without), 1002 (a CD "B" with P), 2001 (a picture not
// for shows; a sound file "X" with P), 2002 (a CD "A" without P).
class ShowRandomChoices : public ::testing::Test {
protected:
    void SetUp() override {
        data_ = loaded_.load();
        filter_.emplace(*data_, loaded_.context());
        filter_->area->SelectAll();
    }

    Tspecies& species(int unique_id) { return *data_->species_by_id(unique_id); }

    // The species each of many draws gives (none counted as 0).
    template <class Draw> std::map<int, int> draws(Draw draw) {
        std::map<int, int> counted;
        for (int i = 0; i < 300; ++i) {
            const Tspecies* chosen = draw();
            ++counted[chosen ? chosen->unique_id : 0];
        }
        return counted;
    }
    static std::set<int> keys(const std::map<int, int>& counted) {
        std::set<int> chosen;
        for (const auto& [key, count] : counted)
            chosen.insert(key);
        return chosen;
    }

    DiscFixture disc_;
    LoadedDisc loaded_{disc_};
    std::unique_ptr<Tdata> data_;
    std::optional<TVisibleSpeciesAndRecordings> filter_;
    ShowRandomGenerator random_{20261209};
};

TEST_F(ShowRandomChoices, SlidesTakeVisibleNamedSpeciesWithShowPicturesOtherThanTheLast) {
    const auto show_species = [&](const Tspecies* last) {
        return draws([&] { return RandomShowSpecies(*filter_, last, random_); });
    };
    EXPECT_EQ(keys(show_species(nullptr)), std::set<int>{1001});
    EXPECT_EQ(keys(show_species(&species(1001))), std::set<int>{1001}) << "the only one again";

    species(2001).has_show_picture = true;
    const std::map<int, int> both = show_species(nullptr);
    EXPECT_EQ(keys(both), (std::set<int>{1001, 2001}));
    EXPECT_GT(both.at(1001), 100);
    EXPECT_GT(both.at(2001), 100);
    EXPECT_EQ(keys(show_species(&species(1001))), std::set<int>{2001});

    species(2001).scientific_name = "?? ??";
    EXPECT_EQ(keys(show_species(&species(1001))), std::set<int>{1001});
    filter_->area = std::make_unique<TSolvaraArea>("PH", false, "");
    EXPECT_EQ(keys(show_species(nullptr)), std::set<int>{0}) << "nothing visible: none";

    std::set<int> pictures;
    for (int i = 0; i < 50; ++i)
        pictures.insert(RandomShowPicture(species(1001), random_));
    EXPECT_EQ(pictures, (std::set<int>{1, 2}));
    species(1001).first_big_picture->in_show = false;
    EXPECT_EQ(RandomShowPicture(species(1001), random_), 2);
    species(1001).first_big_picture->next_picture->in_show = false;
    EXPECT_EQ(RandomShowPicture(species(1001), random_), 0);
}

TEST_F(ShowRandomChoices, SlidesAndSoundsNeedASoundFileOfTheKind) {
    const NumberSet& owned = filter_->used_audio_cds;
    EXPECT_EQ(
        keys(draws([&] { return RandomSoundSpecies(ItemMode::best, *filter_, nullptr, random_); })),
        std::set<int>{1001});
    species(2001).has_show_picture = true;
    EXPECT_EQ(keys(draws([&] {
                  return RandomSoundSpecies(ItemMode::best, *filter_, &species(2001), random_);
              })),
              std::set<int>{1001});

    // Only the sound file is drawn, the CD recording never.
    const RandomRecordingChoice recording =
        RandomRecording(species(1001), ItemMode::all, owned, random_);
    EXPECT_EQ(recording.item, species(1001).first_recording_item);
    EXPECT_EQ(recording.number, 1);
    species(1001).first_recording_item->next_item_of_species->cut_part =
        data_->cut_parts.find("12A005b");
    std::set<int> numbers;
    for (int i = 0; i < 50; ++i)
        numbers.insert(RandomRecording(species(1001), ItemMode::best, owned, random_).number);
    EXPECT_EQ(numbers, (std::set<int>{1, 2}));

    // Recordings of the kind only on a CD, a sound file of another kind: no
    // species and no recording, where drawing until one passes would never end.
    Tcupaitem& first = *species(1001).first_recording_item;
    first.cut_part = data_->cut_parts.find("10A001");
    first.next_item_of_species->type_letter = "B";
    species(2001).first_recording_item->type_letter = "B";
    ASSERT_TRUE(species(1001).has_sound_file_recording);
    ASSERT_GT(count_playable_items(species(1001), owned, ItemMode::best), 0);
    EXPECT_EQ(RandomSoundSpecies(ItemMode::best, *filter_, nullptr, random_), nullptr);
    EXPECT_EQ(RandomRecording(species(1001), ItemMode::best, owned, random_).item, nullptr);
}

TEST_F(ShowRandomChoices, TheSoundsShowTakesWhatTheDisplayShowsAtTheLevel) {
    const auto sounds_species = [&](ItemMode level, const Tspecies* current) {
        return keys(
            draws([&] { return RandomSoundsShowSpecies(level, *filter_, current, random_); }));
    };
    EXPECT_EQ(sounds_species(ItemMode::all, nullptr), (std::set<int>{1001, 1002, 2001}));
    EXPECT_EQ(sounds_species(ItemMode::all, &species(1002)), (std::set<int>{1001, 2001}));
    EXPECT_EQ(sounds_species(ItemMode::best, nullptr), (std::set<int>{1001, 2001}));

    NumberSet& owned = filter_->used_audio_cds;
    const RandomRecordingChoice first =
        RandomSoundsShowRecording(species(1002), ItemMode::all, owned, random_);
    EXPECT_EQ(first.item, species(1002).first_recording_item);
    EXPECT_EQ(first.number, 1);
    // 1001's CD recording lacks P: the display does not show it.
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(RandomSoundsShowRecording(species(1001), ItemMode::all, owned, random_).number,
                  1);
    EXPECT_EQ(RandomSoundsShowRecording(species(2002), ItemMode::all, owned, random_).item,
              nullptr);
    owned.reset();
    EXPECT_EQ(RandomSoundsShowRecording(species(1002), ItemMode::all, owned, random_).item,
              nullptr);
    EXPECT_EQ(sounds_species(ItemMode::all, nullptr), (std::set<int>{1001, 2001}));

    loaded_.context().product.capabilities = capabilities_of(101);
    species(2001).species_id = 52017;
    EXPECT_EQ(sounds_species(ItemMode::all, nullptr), std::set<int>{2001});
    species(2001).scientific_name = "?? ??";
    EXPECT_EQ(sounds_species(ItemMode::all, nullptr), std::set<int>{0});
}
