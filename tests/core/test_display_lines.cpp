#include "DiscFixture.h"
#include "FixedWidthMeasurer.h"
#include "browse/DisplayLines.h"
#include "common/ProgramFolders.h"
#include "data/SolvaraAreas.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <tuple>

using namespace pemmaro;
using namespace pemmaro::test;

namespace {

class FakePictures : public SmallPictureSource {
public:
    std::optional<std::pair<int, int>> acquire(Tspecies& species) override {
        ++acquired;
        return species.flag_s && found ? std::optional(std::make_pair(100, height)) : std::nullopt;
    }
    bool found = true;
    int height = 80;
    void release(Tspecies&) override { ++released; }
    const QImage* picture(const Tspecies&) const override { return nullptr; }
    int acquired = 0;
    int released = 0;
};

std::vector<LineKind> kinds_of(const TShowStrings& display) {
    std::vector<LineKind> kinds;
    for (const SHST_TShowString& line : display.lines())
        kinds.push_back(line.kind);
    return kinds;
}

} // namespace

class Display : public ::testing::Test {
protected:
    void SetUp() override {
        data_ = loaded_.load();
        loaded_.context().common.time_separator = ':';
        options_.emplace(*data_, loaded_.context());
        options_->visible.area->SelectAll();
        rebuild();
    }

    void rebuild() {
        display_ = std::make_unique<TShowStrings>(TShowStrings::Environment{
            data_.get(), &loaded_.context().core(), &measurer_, {}, {}, &pictures_});
        display_->build_from_options(*options_);
    }

    Line box_of_family(int number) { return std::prev(*display_->find_header(number)); }
    Line box_of_species(int family, int species) {
        return std::prev(*display_->find_header(family, species));
    }
    Line first_line_of_kind(LineKind kind, Line from) {
        return std::find_if(from, display_->end(),
                            [kind](const SHST_TShowString& line) { return line.kind == kind; });
    }
    // The texts of the lines of a kind, with wrapping undone.
    std::vector<std::string> texts_of(LineKind kind) {
        std::vector<std::string> texts;
        for (const SHST_TShowString& line : display_->lines()) {
            if (line.kind != kind)
                continue;
            std::string text = line.text;
            std::replace(text.begin(), text.end(), markup::line_break, ' ');
            texts.push_back(text);
        }
        return texts;
    }

    DiscFixture disc_;
    LoadedDisc loaded_{disc_};
    std::unique_ptr<Tdata> data_;
    FixedWidthMeasurer measurer_;
    FakePictures pictures_;
    std::optional<SHST_TShowStringsData> options_;
    std::unique_ptr<TShowStrings> display_;
};

TEST_F(Display, FamilyRowsShowTheChosenNames) {
    EXPECT_EQ(kinds_of(*display_),
              (std::vector<LineKind>{lkFamilyBox, lkFamilyHeader, lkFamilyOtherName,
                                     lkFamilyScientificName, lkFamilyBox, lkFamilyHeader,
                                     lkFamilyOtherName, lkFamilyScientificName}));
    EXPECT_TRUE(std::next(display_->lines().begin(), 2)->stop_follows);
    EXPECT_EQ((*display_->current_line)->text, "Bulbuls");

    options_->set_name_options(pack_name_options(true, false, 1)); // only scientific
    rebuild();
    const auto names = texts_of(lkFamilyScientificName);
    EXPECT_EQ(names, (std::vector<std::string>{"Pycnonotidae", "Alcedinidae"}));
    EXPECT_TRUE(texts_of(lkFamilyOtherName).empty());
    for (const SHST_TShowString& line : display_->lines())
        EXPECT_FALSE(line.stop_follows);
}

TEST_F(Display, NameChoiceForEveryCombination) {
    // position 1 follows main; position 2 the other shown kind.
    EXPECT_EQ(name_kind_at(1, pack_name_options(true, true, 1)), 1);
    EXPECT_EQ(name_kind_at(2, pack_name_options(true, true, 1)), 2);
    EXPECT_EQ(name_kind_at(1, pack_name_options(true, true, 2)), 2);
    EXPECT_EQ(name_kind_at(2, pack_name_options(true, true, 2)), 1);
    EXPECT_EQ(name_kind_at(2, pack_name_options(false, true, 2)), 0);
    EXPECT_EQ(name_kind_at(2, pack_name_options(true, false, 1)), 0);
    // Only other-language names, but a species without one: its scientific name.
    data_->species_by_id(1002)->language_name.clear();
    options_->set_name_options(pack_name_options(false, true, 2));
    rebuild();
    display_->toggle_fold(box_of_family(1));
    EXPECT_EQ(texts_of(lkSpeciesOtherName), (std::vector<std::string>{"Red-whiskered Bulbul"}));
    EXPECT_EQ(texts_of(lkSpeciesScientificName), (std::vector<std::string>{"Pycnonotus cafer"}));
}

TEST_F(Display, FoldingRemovesOnlyWhatTheBoxOpened) {
    const FoldResult family = display_->toggle_fold(box_of_family(1));
    EXPECT_TRUE(family.changed);
    EXPECT_GT(family.added_height, 0);
    ASSERT_TRUE(display_->find_header(1, 2));
    display_->toggle_fold(box_of_species(1, 1));
    EXPECT_NE(first_line_of_kind(lkSoundBar, display_->lines().begin()), display_->end());
    display_->toggle_fold(box_of_species(1, 1)); // fold the species again
    EXPECT_EQ(first_line_of_kind(lkSoundBar, display_->lines().begin()), display_->end());
    EXPECT_TRUE(display_->find_header(1, 2)); // the next species row stays
    display_->toggle_fold(box_of_species(1, 2));
    display_->toggle_fold(box_of_family(1));
    EXPECT_FALSE(display_->find_header(1, 1));
    EXPECT_EQ(display_->lines().size(), 8u);
}

TEST_F(Display, SpeciesRowsMarksAndTheInvisibleBox) {
    options_->visible.show_all_species_of_area = true;
    rebuild();
    display_->toggle_fold(box_of_family(2));
    const Line kingfisher = box_of_species(2, 1);
    EXPECT_EQ(kingfisher->bitmap, bitmap_species_plus);
    EXPECT_EQ(first_line_of_kind(lkMapMark, kingfisher)->bitmap, bitmap_little_map);
    const Line media = first_line_of_kind(lkMediaMark, kingfisher);
    EXPECT_EQ(media->bitmap, bitmap_pictures_and_recordings);
    EXPECT_EQ(first_line_of_kind(lkThreatStatus, kingfisher)->text,
              std::string("  ") + markup::link + "vulnerable" + markup::link);
    const Line white_throated = box_of_species(2, 2); // nothing to unfold
    EXPECT_EQ(white_throated->bitmap, bitmap_invisible_box);
    EXPECT_EQ(first_line_of_kind(lkMediaMark, white_throated)->bitmap, bitmap_none);
    EXPECT_FALSE(display_->toggle_fold(white_throated).changed);
}

TEST_F(Display, RecordingsWithLabelsNumbersAndFoldKeys) {
    display_->toggle_fold(box_of_family(1));
    display_->toggle_fold(box_of_species(1, 1));
    const Line bar = first_line_of_kind(lkSoundBar, display_->lines().begin());
    ASSERT_NE(bar, display_->end());
    EXPECT_EQ(bar->sound_bar->fold_key, (1 * 400 + 1) * 200 + 1);
    EXPECT_EQ(bar->sound_bar->recording_number, 1);
    EXPECT_EQ(first_line_of_kind(lkRecordingLabel, bar)->text, "AAA");
    // Only the first item has P: one recording is shown.
    EXPECT_EQ(texts_of(lkRecordingNumber).size(), 1u);
    EXPECT_EQ(pictures_.acquired, 1);
    const Line picture = first_line_of_kind(lkSmallPicture, display_->lines().begin());
    EXPECT_EQ(picture->x, 20);
    // The next species' box starts at least 10 pixels below the picture.
    int below = 0;
    for (Line line = std::next(picture); line != box_of_species(1, 2); ++line)
        below += line->advance;
    EXPECT_EQ(box_of_species(1, 2)->advance, std::max(display_->row_height(), 80 - below + 10));
    display_->toggle_fold(box_of_species(1, 1));
    EXPECT_EQ(pictures_.released, 1);
    EXPECT_EQ(box_of_species(1, 2)->advance, display_->row_height());
}

TEST_F(Display, TheNextRowStaysBelowATallPictureWhileDetailsFold) {
    pictures_.height = 400;
    display_->toggle_fold(box_of_family(1));
    display_->toggle_fold(box_of_species(1, 1));
    const Line picture = first_line_of_kind(lkSmallPicture, display_->lines().begin());
    const auto expected_advance = [&] {
        int below = 0;
        for (Line line = std::next(picture); line != box_of_species(1, 2); ++line)
            below += line->advance;
        return std::max(display_->row_height(), 400 - below + 10);
    };
    const Line details = first_line_of_kind(lkDetailsBox, picture);
    for (int fold = 0; fold < 2; ++fold) {
        display_->toggle_fold(details);
        EXPECT_GT(box_of_species(1, 2)->advance, display_->row_height());
        EXPECT_EQ(box_of_species(1, 2)->advance, expected_advance());
    }
}

// What the lines show and where, in order.
using LineShapes = std::vector<std::tuple<LineKind, std::string, int, int>>;

LineShapes shapes_of(const TShowStrings& display) {
    LineShapes shapes;
    for (const SHST_TShowString& line : display.lines())
        shapes.emplace_back(line.kind, line.text, line.x, line.advance);
    return shapes;
}

class DisplayInPlace : public Display {
protected:
    void SetUp() override {
        Display::SetUp();
        data_->species_by_id(1001)->taxa_text_3 =
            "A crested bulbul of gardens and forest edges that sings from the tops of bushes, "
            "often in small noisy parties.";
    }
    // Both bulbuls (one with a small picture, one by subspecies) and the details.
    void unfold_bulbuls(TShowStrings& display) {
        display.toggle_fold(std::prev(*display.find_header(1)));
        display.toggle_fold(std::prev(*display.find_header(1, 2)));
        display.toggle_fold(std::prev(*display.find_header(1, 1)));
        display.toggle_fold(first_line_of_kind(lkDetailsBox, display.lines().begin()));
    }
    std::unique_ptr<TShowStrings> built_at(int client_width) {
        auto display = std::make_unique<TShowStrings>(TShowStrings::Environment{
            data_.get(), &loaded_.context().core(), &measurer_, {client_width}, {}, &pictures_});
        display->build_from_options(*options_);
        unfold_bulbuls(*display);
        return display;
    }
};

TEST_F(DisplayInPlace, WrappingAgainAtAnotherWidthGivesWhatBuildingThereGives) {
    unfold_bulbuls(*display_);
    const LineShapes wide = shapes_of(*display_);
    const Line current = first_line_of_kind(lkRecordingLabel, display_->lines().begin());
    display_->current_line = current;

    display_->environment().geometry.client_width = 420;
    display_->rewrap();
    EXPECT_EQ(shapes_of(*display_), shapes_of(*built_at(420)));
    EXPECT_NE(shapes_of(*display_), wide);
    EXPECT_EQ(display_->current_line, current);

    display_->environment().geometry.client_width = 800;
    display_->rewrap();
    EXPECT_EQ(shapes_of(*display_), wide);
}

TEST_F(DisplayInPlace, APictureFoundLaterJoinsItsUnfoldedSpecies) {
    pictures_.found = false;
    unfold_bulbuls(*display_);
    EXPECT_FALSE(display_->add_missing_small_pictures());
    pictures_.found = true;
    EXPECT_TRUE(display_->add_missing_small_pictures());
    EXPECT_EQ(shapes_of(*display_), shapes_of(*built_at(800)));
    EXPECT_FALSE(display_->add_missing_small_pictures()) << "it has its picture now";
}

TEST_F(Display, SubspeciesHeadingsAndAudioCdLines) {
    display_->toggle_fold(box_of_family(1));
    display_->toggle_fold(box_of_species(1, 2)); // Pycnonotus cafer: flag E, item "cafer (P)"
    const auto headings = texts_of(lkSubspeciesHeader);
    ASSERT_EQ(headings.size(), 1u);
    EXPECT_EQ(headings[0],
              std::string(1, markup::italic) + "cafer" + markup::italic + " Subspecies");
    const auto cd_lines = texts_of(lkAudioCDLine);
    ASSERT_EQ(cd_lines.size(), 1u);
    EXPECT_NE(cd_lines[0].find("disc number ten"), std::string::npos);
}

TEST_F(Display, RecordingDetails) {
    display_->toggle_fold(box_of_family(1));
    display_->toggle_fold(box_of_species(1, 1));
    display_->toggle_fold(first_line_of_kind(lkDetailsBox, display_->lines().begin()));
    const auto recordist = texts_of(lkRecordistLine);
    ASSERT_EQ(recordist.size(), 1u);
    EXPECT_EQ(recordist[0], std::string("Recorded by ") + markup::link + "Tamrek, J." +
                                markup::link + ". " + markup::italic + "t" + markup::italic +
                                "ext");
    const auto locality = texts_of(lkLocalityLine);
    ASSERT_EQ(locality.size(), 1u);
    EXPECT_EQ(locality[0], std::string(1, markup::link) +
                               "Khao Yai National Park (Nakhon Ratchasima, Thailand)." +
                               markup::link + " 07:30h, 15-06-1995.");
    const auto heard = texts_of(lkAlsoAudibleLine);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0], std::string("Also audible: Common Kingfisher (") + markup::italic +
                            "Alcedo atthis" + markup::italic + ") (accidental. X).");
}

TEST_F(Display, AlsoAudibleListsEveryOtherItemOfTheRecordingEvenOfItsOwnSpecies) {
    disc_.set("cupaitem.txt", {"@#[1_1]",
                               "X",
                               "",
                               "",
                               "heard",
                               "P",
                               "",
                               "",
                               "12A005b",
                               "B",
                               "",
                               "",
                               "second bird calling",
                               "P",
                               "",
                               "",
                               "12A005b",
                               "@#[1_2]",
                               "B",
                               "?",
                               "cafer (P)",
                               "",
                               "P",
                               "",
                               "",
                               "10A001",
                               "@#[2_1]",
                               "X",
                               "",
                               "",
                               "",
                               "P",
                               "",
                               "",
                               "12A005b",
                               "@#[2_2]",
                               "A",
                               "",
                               "",
                               "",
                               "",
                               "",
                               "",
                               "9B017"});
    disc_.write();
    data_ = loaded_.load();
    options_.emplace(*data_, loaded_.context());
    options_->visible.area->SelectAll();
    rebuild();
    display_->toggle_fold(box_of_family(1));
    display_->toggle_fold(box_of_species(1, 1));
    display_->toggle_fold(first_line_of_kind(lkDetailsBox, display_->lines().begin()));
    EXPECT_EQ(texts_of(lkAlsoAudibleLine),
              (std::vector<std::string>{std::string("Also audible: Red-whiskered Bulbul (") +
                                        markup::italic + "Pycnonotus jocosus" + markup::italic +
                                        ") (accidental. B. second bird calling), Common "
                                        "Kingfisher (" +
                                        markup::italic + "Alcedo atthis" + markup::italic +
                                        ") (accidental. X)."}));
}

TEST_F(Display, DetailsWithoutOtherSpeciesOrPlace) {
    display_->toggle_fold(box_of_family(1));
    display_->toggle_fold(box_of_species(1, 2));
    display_->toggle_fold(first_line_of_kind(lkDetailsBox, display_->lines().begin()));
    EXPECT_TRUE(texts_of(lkLocalityLine).empty()); // zero location, no time or date
    EXPECT_EQ(texts_of(lkAlsoAudibleLine), (std::vector<std::string>{"Also audible: none."}));
}

TEST_F(Display, NameOptionsApplyInPlace) {
    display_->toggle_fold(box_of_family(2));
    display_->apply_name_options(pack_name_options(true, false, 1));
    EXPECT_TRUE(texts_of(lkFamilyOtherName).empty());
    EXPECT_EQ(texts_of(lkSpeciesScientificName).size(), 1u); // 2001 only (2002 is hidden)
    EXPECT_TRUE(display_->find_header(2, 1));
    EXPECT_TRUE(display_->current_line);
}

TEST(DisplayState, AtMostTwentyUnfoldedFamiliesAreSaved) {
    DiscFixture disc;
    std::vector<std::string> names = {"@#[FAMILIES]"};
    std::vector<std::string> taxa = {"@#[FAMILIES]"};
    for (int f = 1; f <= 25; ++f) {
        names.push_back("Family" + std::to_string(f));
        names.push_back("FAM" + std::to_string(f));
        taxa.push_back("Family " + std::to_string(f));
    }
    for (int f = 1; f <= 25; ++f) {
        names.insert(names.end(), {"@#[SPECIES " + std::to_string(f) + "]", "@#[]",
                                   "Species" + std::to_string(f),
                                   std::to_string(f) + " " + std::to_string(f), ",", "IN"});
        taxa.insert(taxa.end(), {"@#[SPECIES " + std::to_string(f) + "]", "Bird", "", "", ""});
    }
    disc.set("names_sc.txt", names);
    disc.set("taxa.txt", taxa);
    disc.set("cupaitem.txt", {});
    disc.set("cutparts.txt", {});
    disc.remove("big_pict.txt");
    LoadedDisc loaded(disc);
    std::unique_ptr<Tdata> data = loaded.load();
    FixedWidthMeasurer measurer;
    SHST_TShowStringsData options(*data, loaded.context());
    options.visible.area->SelectAll();
    options.visible.show_all_species_of_area = true;
    TShowStrings display({data.get(), &loaded.context().core(), &measurer, {}, {}, nullptr});
    display.build_from_options(options);
    std::vector<int> all(25);
    for (int f = 0; f < 25; ++f)
        all[static_cast<std::size_t>(f)] = f + 1;
    display.unfold_families(all);
    const DisplayState state = display.state_for_saving();
    EXPECT_EQ(state.top_family, 1);
    EXPECT_EQ(state.top_species, 0);
    ASSERT_EQ(state.unfolded_families.size(), 20u);
    EXPECT_EQ(state.unfolded_families.back(), 20);
    display.painted_top = display.offset_of(*display.find_header(3)) + 1;
    EXPECT_EQ(display.state_for_saving().top_family, 3);
}
