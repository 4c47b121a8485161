#include "DiscFixture.h"
#include "FixedWidthMeasurer.h"
#include "browse/DisplayCursor.h"
#include "data/Areas.h"

#include <gtest/gtest.h>

using namespace pemmaro;
using namespace pemmaro::test;

namespace {

// The fixture disc with both families and all three species unfolded: family
// 1 holds the Red-whiskered Bulbul (a sound file recording with details) and
// the Red-vented Bulbul (a CD recording); family 2 the Common Kingfisher.
class Cursor : public ::testing::Test {
protected:
    void SetUp() override {
        data_ = loaded_.load();
        SHST_TShowStringsData options(*data_, loaded_.context());
        options.visible.area->SelectAll();
        display_ = std::make_unique<TShowStrings>(TShowStrings::Environment{
            data_.get(), &loaded_.context().core(), &measurer_, {}, {}, nullptr});
        display_->build_from_options(options);
        for (int family : {2, 1})
            display_->toggle_fold(std::prev(*display_->find_header(family)));
        for (auto [family, species] : {std::pair{2, 1}, {1, 2}, {1, 1}})
            display_->toggle_fold(std::prev(*display_->find_header(family, species)));
    }

    DisplayCursor cursor() { return DisplayCursor(display_->lines()); }
    Line first_of(LineKind kind) {
        return std::find_if(display_->lines().begin(), display_->end(),
                            [kind](const SHST_TShowString& line) { return line.kind == kind; });
    }

    DiscFixture disc_;
    LoadedDisc loaded_{disc_};
    FixedWidthMeasurer measurer_;
    std::unique_ptr<Tdata> data_;
    std::unique_ptr<TShowStrings> display_;
};

} // namespace

TEST_F(Cursor, StopsAreNamesSoundBarsAndLabelsBothWays) {
    std::vector<Line> stops{*display_->first_family_name_line()};
    while (const std::optional<Line> next = cursor().next_stop(stops.back(), true))
        stops.push_back(*next);
    std::vector<LineKind> kinds;
    for (Line stop : stops)
        kinds.push_back(stop->kind);
    EXPECT_EQ(kinds, (std::vector<LineKind>{lkFamilyOtherName, lkSpeciesOtherName, lkSoundBar,
                                            lkRecordingLabel, lkSpeciesOtherName, lkSoundBar,
                                            lkRecordingLabel, lkFamilyOtherName, lkSpeciesOtherName,
                                            lkSoundBar, lkRecordingLabel}));
    EXPECT_EQ(cursor().last_stop(), stops.back());

    // Back through the same stops; the first row's own header is no move.
    for (std::size_t i = stops.size() - 1; i > 0; --i)
        EXPECT_EQ(cursor().next_stop(stops[i], false), stops[i - 1]) << i;
    EXPECT_FALSE(cursor().next_stop(stops.front(), false));
}

TEST_F(Cursor, RowsKnowTheirFoldBoxRecordingAndHeaders) {
    const Line name = *cursor().first_name_after(*display_->find_header(1, 1));
    EXPECT_EQ(cursor().fold_box_for(name), std::prev(*display_->find_header(1, 1)));
    const Line bar = first_of(lkSoundBar);
    EXPECT_FALSE(cursor().fold_box_for(bar)) << "a sound bar folds nothing";
    const Line label = first_of(lkRecordingLabel);
    ASSERT_EQ(std::prev(label)->kind, lkDetailsBox);
    EXPECT_EQ(cursor().fold_box_for(label), std::prev(label));

    EXPECT_EQ(cursor().item_of(label), bar->sound_bar->item);
    EXPECT_EQ(cursor().item_of(name), nullptr);

    const DisplayCursor::Headers headers = cursor().headers_of(label);
    EXPECT_EQ(headers.family, display_->find_header(1));
    EXPECT_EQ(headers.species, display_->find_header(1, 1));
    EXPECT_FALSE(cursor().headers_of(*display_->first_family_name_line()).species);
}
