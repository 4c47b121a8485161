#include "DiscFixture.h"
#include "ProgramState.h"
#include "app/ProgramServices.h"
#include "browse/DisplayBitmaps.h"
#include "browse/DisplaySurface.h"
#include "browse/LineDrawing.h"
#include "common/BaseDirectory.h"
#include "common/QtTextMeasurer.h"
#include "common/ScreenColours.h"
#include "data/Areas.h"
#include "data/DataSet.h"
#include "maps_pictures/SmallPictures.h"
#include "sound/SoundBars.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QStyle>
#include <gtest/gtest.h>

using namespace pemmaro;
using namespace pemmaro::test;

namespace {

const QColor cyan(0, 255, 255);

// The fixture disc, unfolded: family 1 holds Pycnonotus jocosus (pictures,
// one sound file recording, an author link) and P. cafer (a CD recording);
// family 2 holds Alcedo atthis (map, threatened-status link).
class ShowForm : public ::testing::Test {
protected:
    void SetUp() override {
        data_ = loaded_.load();
        // The program's base directory (small pictures) and screen are the
        // surface's; they are put back afterwards.
        base_directory_state().base_directory = folder_.path();
        load_display_bitmaps();
        screen_properties() = ScreenProperties{};
        options_.emplace(*data_, loaded_.context());
        options_->visible.area->SelectAll();
        form_ = std::make_unique<TShowForm>(*data_, loaded_.context(),
                                            program_browsing_services().surface);
        form_->actions.beep = [this] { ++beeps_; };
        form_->actions.status_text_changed = [this](const QString& text) { status_ = text; };
        form_->resize(700, 400);
        form_->build_from_options(*options_, DisplayState{});
        form_->show();
        form_->set_active(true);
        paint();
    }
    void TearDown() override { form_.reset(); }

    TShowStrings& display() { return form_->display(); }
    // Draws the surface as a paint event would (offscreen windows may never be exposed).
    void paint() { form_->grab(); }

    Line nth_line(LineKind kind, int n = 1) {
        for (Line line = display().lines().begin(); line != display().end(); ++line)
            if (line->kind == kind && --n == 0)
                return line;
        ADD_FAILURE() << "no line of kind " << kind;
        return display().lines().begin();
    }
    Line species_box(int family, int species) {
        return std::prev(*display().find_header(family, species));
    }
    Line family_box(int family) { return std::prev(*display().find_header(family)); }
    Line current() { return *display().current_line; }

    // A point of the bitmap of a line, at a fraction of its width.
    QPoint on_bitmap(Line line, double fraction = 0.5) {
        const auto index = static_cast<std::size_t>(line->bitmap);
        const auto [dx, dy] = display_bitmap_offsets[index];
        const QImage& image = display_bitmap(line->bitmap);
        return {line->drawn_x + dx + static_cast<int>(image.width() * fraction),
                line->drawn_y + line->advance + dy + image.height() / 2};
    }
    // List coordinates to the surface's.
    QPoint on_screen(QPoint list) const { return {list.x(), list.y() - form_->scroll_position()}; }

    void click(QPoint list) {
        const QPoint at = on_screen(list);
        QMouseEvent event(QEvent::MouseButtonPress, at, form_->viewport()->mapToGlobal(at),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(form_->viewport(), &event);
        paint();
    }
    Qt::CursorShape hover(QPoint list) {
        const QPoint at = on_screen(list);
        QMouseEvent event(QEvent::MouseMove, at, form_->viewport()->mapToGlobal(at), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(form_->viewport(), &event);
        return form_->viewport()->cursor().shape();
    }
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QCoreApplication::sendEvent(form_.get(), &event);
        paint();
    }
    void unfold(Line box) {
        click(on_bitmap(box));
        ASSERT_EQ(box->value, 1);
    }
    void unfold_everything_but_details() {
        unfold(family_box(2));
        unfold(species_box(2, 1));
        unfold(family_box(1));
        unfold(species_box(1, 2));
        unfold(species_box(1, 1));
    }

    // The link-coloured pixels of a row of the back buffer, as [first, last].
    std::optional<std::pair<int, int>> link_pixels(int list_y) const {
        const QImage& image = form_->back_buffer();
        const int y = list_y - form_->scroll_position();
        std::optional<std::pair<int, int>> found;
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0xF0F0F0) != (qRgb(0, 255, 0) & 0xF0F0F0))
                continue;
            found = found ? std::make_pair(found->first, x) : std::make_pair(x, x);
        }
        return found;
    }
    int count_in_band(const QColor& colour, int list_top, int list_bottom) const {
        const QImage& image = form_->back_buffer();
        int count = 0;
        for (int y = std::max(0, list_top - form_->scroll_position());
             y < std::min(image.height(), list_bottom - form_->scroll_position()); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += image.pixelColor(x, y) == colour ? 1 : 0;
        return count;
    }

    ScopedProgramState program_state_;
    DiscFixture disc_;
    LoadedDisc loaded_{disc_};
    TempDir folder_;
    std::unique_ptr<Tdata> data_;
    std::optional<SHST_TShowStringsData> options_;
    std::unique_ptr<TShowForm> form_;
    int beeps_ = 0;
    QString status_;
};

} // namespace

TEST_F(ShowForm, FoldBoxesToggleAndSelectTheirRow) {
    ASSERT_FALSE(form_->back_buffer().isNull());
    const Line box = family_box(2);
    const QPoint point = on_bitmap(box);
    EXPECT_EQ(hover(point), Qt::PointingHandCursor);
    EXPECT_EQ(hover(point + QPoint(200, 0)), Qt::ArrowCursor);
    click(point);
    EXPECT_EQ(box->value, 1);
    EXPECT_EQ(current()->text, "Kingfishers");
    EXPECT_EQ(status_, " Kingfishers");
    EXPECT_EQ(form_->status_text(), " Kingfishers");
    click(on_bitmap(box));
    EXPECT_EQ(box->value, 0);
    EXPECT_EQ(std::next(box, 4), display().end()); // the family row alone
    // A click beside every clickable place changes no fold.
    click(point + QPoint(0, 40));
    EXPECT_EQ(box->value, 0);
}

TEST_F(ShowForm, MediaMarkLeftHalfOpensPicturesRightHalfFolds) {
    std::vector<Tspecies*> opened;
    form_->actions.open_pictures = [&](Tspecies& species, Tsubspecies*) {
        opened.push_back(&species);
    };
    unfold(family_box(1));
    const Line box = species_box(1, 1);
    const Line mark = nth_line(lkMediaMark);
    ASSERT_EQ(mark->bitmap, bitmap_pictures_and_recordings);
    click(on_bitmap(mark, 0.25));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0]->unique_id, 1001);
    EXPECT_EQ(box->value, 0);
    click(on_bitmap(mark, 0.75));
    EXPECT_EQ(box->value, 1);
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_EQ(current()->text, "Red-whiskered Bulbul");
    // Without a picture window the left half does nothing.
    form_->actions.open_pictures = nullptr;
    click(on_bitmap(nth_line(lkMediaMark), 0.25));
    EXPECT_EQ(box->value, 1);
}

TEST_F(ShowForm, LinksAreHitOnlyOnTheirUnderline) {
    int explanations = 0;
    form_->actions.open_threat_explanation = [&](QPoint) { ++explanations; };
    std::vector<std::string> persons;
    form_->actions.open_person = [&](Tperson& person, QPoint) { persons.push_back(person.key); };
    unfold(family_box(2));
    const Line threat = nth_line(lkThreatStatus);
    const int underline = threat->drawn_y + threat->advance + 12 + 1;
    const auto drawn = link_pixels(underline);
    ASSERT_TRUE(drawn.has_value());
    const QPoint on_text((drawn->first + drawn->second) / 2, underline - 5);
    const QPoint blank(drawn->second + 40, underline - 5);
    EXPECT_EQ(hover(blank), Qt::ArrowCursor);
    EXPECT_EQ(hover(on_text), Qt::PointingHandCursor);
    click(blank);
    EXPECT_EQ(explanations, 0);
    click(on_text);
    EXPECT_EQ(explanations, 1);

    // The author link of a species text opens the person.
    unfold(family_box(1));
    unfold(species_box(1, 1));
    const Line text = nth_line(lkSpeciesText);
    const int text_underline = text->drawn_y + text->advance + 12 + 1;
    const auto author = link_pixels(text_underline);
    ASSERT_TRUE(author.has_value());
    click({author->second + 30, text_underline - 4});
    EXPECT_TRUE(persons.empty());
    click({author->first + 2, text_underline - 4});
    EXPECT_EQ(persons, std::vector<std::string>{"Vandrel, K."});
}

TEST_F(ShowForm, CursorVisitsEveryStopAndBeepsAtTheEnds) {
    unfold_everything_but_details();
    press(Qt::Key_Home, Qt::ControlModifier);
    std::vector<std::string> visited{current()->text};
    std::vector<LineKind> kinds{current()->kind};
    for (int i = 0; i < 12 && beeps_ == 0; ++i) {
        press(Qt::Key_Down);
        if (beeps_ == 0) {
            visited.push_back(current()->text);
            kinds.push_back(current()->kind);
        }
    }
    EXPECT_EQ(kinds, (std::vector<LineKind>{lkFamilyOtherName, lkSpeciesOtherName, lkSoundBar,
                                            lkRecordingLabel, lkSpeciesOtherName, lkSoundBar,
                                            lkRecordingLabel, lkFamilyOtherName, lkSpeciesOtherName,
                                            lkSoundBar, lkRecordingLabel}));
    EXPECT_EQ(visited[4], "Red-vented Bulbul");
    EXPECT_EQ(beeps_, 1);
    const Line last = current();
    press(Qt::Key_Down);
    EXPECT_EQ(beeps_, 2);
    EXPECT_EQ(current(), last);
    // Going back reaches the same stops, and the first row's own header is no stop.
    for (std::size_t i = kinds.size() - 1; i > 0; --i)
        press(Qt::Key_Up);
    EXPECT_EQ(current()->text, "Bulbuls");
    press(Qt::Key_Up);
    EXPECT_EQ(beeps_, 3);
    EXPECT_EQ(current()->text, "Bulbuls");
    // Tab and Shift+Tab move like Down and Up.
    press(Qt::Key_Tab);
    EXPECT_EQ(current()->text, "Red-whiskered Bulbul");
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(current()->text, "Bulbuls");
    press(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(current(), last);
    EXPECT_EQ(form_->scroll_position(), form_->verticalScrollBar()->maximum());
}

TEST_F(ShowForm, CurrentLineIsHighlightedWhileActive) {
    const Line first = current();
    const int row = first->drawn_y;
    EXPECT_GT(count_in_band(cyan, row - 5, row + 16), 0);
    press(Qt::Key_Down);
    EXPECT_EQ(count_in_band(cyan, row - 5, row + 16), 0);
    const int next_row = current()->drawn_y;
    EXPECT_GT(count_in_band(cyan, next_row - 5, next_row + 16), 0);
    form_->set_active(false);
    paint();
    EXPECT_EQ(count_in_band(cyan, 0, 400), 0);
}

TEST_F(ShowForm, ScrollingRedrawsOnlyWhatCameIntoViewYetShowsTheSame) {
    form_->resize(700, 150);
    unfold_everything_but_details();
    form_->set_active(false);
    form_->scroll_to(0);
    paint();
    for (int position : {13, 42, 35, 120, 64}) {
        form_->scroll_to(position);
        paint();
    }
    TShowForm fresh(*data_, loaded_.context(), program_browsing_services().surface);
    fresh.resize(700, 150);
    fresh.build_as_copy(*form_);
    fresh.show();
    fresh.scroll_to(64);
    fresh.grab();
    ASSERT_EQ(fresh.back_buffer().size(), form_->back_buffer().size());
    EXPECT_TRUE(fresh.back_buffer() == form_->back_buffer());
}

TEST_F(ShowForm, PagesScrollByTheClientHeightAndMovesKeepTheCursorInView) {
    form_->resize(700, 150);
    unfold_everything_but_details();
    press(Qt::Key_Home, Qt::ControlModifier);
    const int height = form_->viewport()->height();
    EXPECT_EQ(form_->page_step(), height / 4);
    press(Qt::Key_PageDown);
    EXPECT_EQ(form_->scroll_position(), height);
    press(Qt::Key_PageUp);
    EXPECT_EQ(form_->scroll_position(), 0);

    // Down until a move has to scroll: the line comes to stand near the bottom.
    int scrolled_at = -1;
    for (int i = 0; i < 10 && scrolled_at < 0; ++i) {
        press(Qt::Key_Down);
        if (form_->scroll_position() != 0)
            scrolled_at = display().offset_of(current());
    }
    ASSERT_GE(scrolled_at, 0);
    EXPECT_EQ(form_->scroll_position(), scrolled_at - 4 * form_->page_step() + 28);
    // Up from a page further down: the line stands 7 pixels below the top.
    press(Qt::Key_PageDown);
    press(Qt::Key_PageDown);
    const int before = form_->scroll_position();
    press(Qt::Key_Up);
    ASSERT_NE(form_->scroll_position(), before);
    EXPECT_EQ(form_->scroll_position(), display().offset_of(current()) - 7);
}

TEST_F(ShowForm, FoldKeysActOnTheCurrentRowOnly) {
    const std::size_t folded = display().lines().size();
    press(Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(display().lines().size(), folded);
    press(Qt::Key_Plus); // not the keypad's
    EXPECT_EQ(display().lines().size(), folded);
    press(Qt::Key_Plus, Qt::KeypadModifier);
    const std::size_t unfolded = display().lines().size();
    EXPECT_GT(unfolded, folded);
    press(Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(display().lines().size(), unfolded);
    press(Qt::Key_Return);
    EXPECT_EQ(display().lines().size(), folded);
    press(Qt::Key_Space);
    EXPECT_EQ(display().lines().size(), unfolded);
    // On a recording label the details box before it folds.
    unfold(species_box(1, 1));
    const Line details = nth_line(lkDetailsBox);
    form_->set_current_line(std::next(details));
    press(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(details->value, 1);
    press(Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(details->value, 0);
}

TEST_F(ShowForm, SoundBarsArePlacedOnTheirLinesAndFollowFolds) {
    form_->resize(700, 600);
    unfold_everything_but_details();
    const auto bars = [&] { return form_->viewport()->findChildren<Tsound_bar*>(); };
    ASSERT_EQ(bars().size(), 3);
    const Line first_bar = nth_line(lkSoundBar, 1);
    const Line last_bar = nth_line(lkSoundBar, 3);
    const auto bar_of = [&](Line line) {
        for (Tsound_bar* bar : bars())
            if (bar->line_identifier() == line->sound_bar->fold_key)
                return QPointer<Tsound_bar>(bar);
        return QPointer<Tsound_bar>();
    };
    const QPointer<Tsound_bar> bulbul = bar_of(first_bar);
    const QPointer<Tsound_bar> kingfisher = bar_of(last_bar);
    ASSERT_TRUE(bulbul && kingfisher);
    EXPECT_EQ(kingfisher->parentWidget(), form_->viewport());
    const int horizontal_bar = form_->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const auto expected_top = [&] {
        return display().offset_of(last_bar) - form_->scroll_position() - horizontal_bar + 2;
    };
    EXPECT_EQ(kingfisher->bar_top(), expected_top());

    // Folding the bulbul above takes its bar and moves the kingfisher's, which
    // is out of sight and not drawn again.
    form_->resize(700, 150);
    paint();
    const int before = kingfisher->bar_top();
    click(on_bitmap(species_box(1, 1)));
    EXPECT_FALSE(bulbul);
    EXPECT_EQ(bars().size(), 2);
    EXPECT_LT(kingfisher->bar_top(), before);
    EXPECT_EQ(kingfisher->bar_top(), expected_top());
    // A bar on screen scrolls along at once; one out of sight is hidden.
    form_->scroll_to(form_->verticalScrollBar()->maximum());
    paint();
    EXPECT_EQ(kingfisher->bar_top(), expected_top());
    EXPECT_FALSE(kingfisher->isHidden());
    form_->scroll_to(form_->scroll_position() - 10);
    EXPECT_EQ(kingfisher->bar_top(), expected_top());
    form_->scroll_to(0);
    paint();
    EXPECT_TRUE(kingfisher->isHidden());
    // Back in sight: its line is drawn again, and the bar placed on it.
    form_->scroll_to(form_->verticalScrollBar()->maximum());
    paint();
    EXPECT_FALSE(kingfisher->isHidden());
    EXPECT_EQ(kingfisher->bar_top(), expected_top());

    // The bar's button makes its line current.
    bool sound_bar_line = false;
    form_->actions.current_line_changed = [&](bool sound_bar, bool) { sound_bar_line = sound_bar; };
    kingfisher->button()->click();
    EXPECT_EQ(current(), last_bar);
    EXPECT_TRUE(sound_bar_line);
    ASSERT_NE(form_->current_sound_bar(), nullptr);
    EXPECT_EQ(form_->current_sound_bar()->item->species->unique_id, 2001);
    kingfisher->stop_and_close();
}

TEST_F(ShowForm, DetailsBoxesStandClearOfTheSoundBars) {
    form_->resize(700, 600);
    unfold_everything_but_details();
    paint();
    const auto bars = form_->viewport()->findChildren<Tsound_bar*>();
    ASSERT_EQ(bars.size(), 3); // a sound file and two audio CD spans (framed)
    int boxes = 0;
    for (Line line = display().lines().begin(); line != display().end(); ++line) {
        if (line->kind != lkDetailsBox)
            continue;
        ++boxes;
        const auto [dx, dy] = display_bitmap_offsets[static_cast<std::size_t>(line->bitmap)];
        const QImage& image = display_bitmap(line->bitmap);
        const QRect box(on_screen({line->drawn_x + dx, line->drawn_y + line->advance + dy}),
                        image.size());
        for (const Tsound_bar* bar : bars)
            EXPECT_FALSE(bar->geometry().intersects(box)) << "box " << boxes;
        EXPECT_EQ(form_->viewport()->childAt(box.center()), nullptr);
        click(on_bitmap(line));
        EXPECT_EQ(line->value, 1) << "box " << boxes;
    }
    EXPECT_EQ(boxes, 3);
}

TEST_F(ShowForm, UnfoldingASpeciesNearTheBottomScrollsItsLinesIntoView) {
    form_->resize(700, 200);
    unfold(family_box(1));
    unfold(family_box(2));
    const Line box = species_box(2, 1);
    const int row_top = box->drawn_y;
    click(on_bitmap(box));
    // The species row ends with its extra name; what follows is new.
    int added = 0;
    for (Line line = std::next(nth_line(lkSpeciesExtra)); line != display().end(); ++line)
        added += line->advance;
    const int horizontal_bar = form_->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int painted_bottom = form_->viewport()->height();
    const int expected =
        std::min(horizontal_bar + row_top + added + 10 - painted_bottom, row_top - 10);
    ASSERT_GT(expected, 0);
    EXPECT_EQ(form_->scroll_position(), expected);
}

TEST_F(ShowForm, ParagraphsWrapAScrollBarsWidthShortOfTheClientEdge) {
    // Short words fill rows to within a few pixels of the wrapping width.
    data_->species_by_id(1001)->taxa_text_3 =
        "Its song is a run of up to ten or so notes; it may sing at dawn, at dusk or at any "
        "time of the day, and a pair will call to each other as they go from bush to bush or "
        "sit in the sun on a wire, a roof or the top of a tree by a road or a pond.";
    const int scroll_bar = form_->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    unfold(family_box(1));
    for (int width = 600; width < 700; width += 4) {
        form_->resize(width, 400);
        unfold(species_box(1, 1));
        const Line text = nth_line(lkSpeciesText);
        const int available = form_->viewport()->width() - scroll_bar - text->x;
        const std::string& wrapped = text->text;
        ASSERT_NE(wrapped.find(markup::line_break), std::string::npos);
        for (std::size_t start = 0; start <= wrapped.size();) {
            const std::size_t end =
                std::min(wrapped.find(markup::line_break, start), wrapped.size());
            const std::string row = without_markup(wrapped.substr(start, end - start));
            const int margin = available - text_measurer().text_width(*text->font, row);
            EXPECT_GT(margin, 4) << width << ": " << row;
            start = end + 1;
        }
        click(on_bitmap(species_box(1, 1)));
    }
}

TEST_F(ShowForm, ResizingWrapsTheTextsAgainAndKeepsTheTopAndCurrentLines) {
    data_->species_by_id(1001)->taxa_text_3 =
        "A noisy and sociable bulbul of gardens, forest edges and scrub, often seen in small "
        "parties that call to each other from the tops of bushes and trees.";
    form_->resize(700, 150);
    unfold(family_box(1));
    unfold(species_box(1, 1));
    unfold(nth_line(lkDetailsBox));
    const Line text = nth_line(lkSpeciesText);
    const auto rows = [&] { return std::count(text->text.begin(), text->text.end(), '\n') + 1; };
    const auto wide_rows = rows();
    const Line label = nth_line(lkRecordingLabel);
    form_->set_current_line(label);
    const Line top = nth_line(lkRecordistLine);
    form_->scroll_to(display().offset_of(top));
    paint();

    form_->resize(420, 150);
    paint();
    EXPECT_GT(rows(), wide_rows);
    EXPECT_EQ(nth_line(lkDetailsBox)->value, 1);
    EXPECT_EQ(current(), label);
    EXPECT_EQ(form_->scroll_position(), display().offset_of(top));
    EXPECT_EQ(form_->verticalScrollBar()->maximum(),
              display().total_height() + 100 - form_->viewport()->height());
}

TEST_F(ShowForm, SmallPictureIsDrawnAndOpensTheBigPictures) {
    QDir().mkpath(QString::fromStdString(folder_.file("smalpict/PYCNONOT")));
    QImage image(60, 40, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(QString::fromStdString(folder_.file("smalpict/PYCNONOT/1001.jpg"))));
    int opened = 0;
    form_->actions.open_pictures = [&](Tspecies&, Tsubspecies*) { ++opened; };
    unfold(family_box(1));
    unfold(species_box(1, 1));
    const Line picture = nth_line(lkSmallPicture);
    const QPoint corner(picture->drawn_x, picture->drawn_y + picture->advance);
    EXPECT_GT(form_->back_buffer().pixelColor(on_screen(corner + QPoint(30, 20))).red(), 200);
    EXPECT_EQ(hover(corner + QPoint(30, 20)), Qt::PointingHandCursor);
    click(corner + QPoint(30, 20));
    EXPECT_EQ(opened, 1);
    click(corner + QPoint(30, 45));
    EXPECT_EQ(opened, 1);
}

TEST_F(ShowForm, GoToSpeciesFindsNamesAndUnfoldsTheFamily) {
    EXPECT_TRUE(form_->go_to_species("atthis", true, false));
    EXPECT_EQ(family_box(2)->value, 1);
    EXPECT_EQ(current()->kind, lkSpeciesScientificName);
    EXPECT_EQ(current()->text, "Alcedo atthis");
    EXPECT_EQ(form_->status_text(), " Kingfishers, Common Kingfisher");

    // From the top the search starts at the first family's first species.
    std::vector<std::string> found;
    for (bool from_top = true; form_->go_to_species("BULBUL", from_top, false); from_top = false)
        found.push_back(current()->text);
    EXPECT_EQ(found, (std::vector<std::string>{"Red-whiskered Bulbul", "Red-vented Bulbul"}));
    // The extra other-language text selects its own line.
    EXPECT_TRUE(form_->go_to_species("river", true, false));
    EXPECT_EQ(current()->kind, lkSpeciesExtra);
    EXPECT_FALSE(form_->go_to_species("no such bird", true, true));
}

TEST_F(ShowForm, MapAndPictureKeysNeedASuitableLine) {
    std::vector<std::pair<int, const Tlocality*>> maps;
    form_->actions.open_map = [&](Tspecies& species, Tlocality* locality) {
        maps.emplace_back(species.unique_id, locality);
    };
    int pictures = 0;
    form_->actions.open_pictures = [&](Tspecies&, Tsubspecies*) { ++pictures; };
    press(Qt::Key_M, Qt::ControlModifier); // a family row
    press(Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(beeps_, 2);
    ASSERT_TRUE(form_->go_to_species("atthis", true, false));
    press(Qt::Key_M, Qt::ControlModifier);
    ASSERT_EQ(maps.size(), 1u);
    EXPECT_EQ(maps[0], std::make_pair(2001, static_cast<const Tlocality*>(nullptr)));
    ASSERT_TRUE(form_->go_to_species("jocosus", true, false));
    press(Qt::Key_M, Qt::ControlModifier); // no map for this one
    EXPECT_EQ(beeps_, 3);
    press(Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(pictures, 1);
    // On a recording: the map of its locality.
    press(Qt::Key_Return);
    press(Qt::Key_Down);
    ASSERT_EQ(current()->kind, lkSoundBar);
    press(Qt::Key_M, Qt::ControlModifier);
    ASSERT_EQ(maps.size(), 2u);
    ASSERT_NE(maps[1].second, nullptr);
    EXPECT_EQ(maps[1].second->key, "KHAO YAI");
}

TEST_F(ShowForm, RestoredStateUnfoldsScrollsAndSelects) {
    DisplayState state;
    state.unfolded_families = {1, 2};
    state.top_family = 2;
    state.current_family = 2;
    state.current_species = 1;
    TShowForm restored(*data_, loaded_.context(), program_browsing_services().surface);
    restored.resize(700, 80);
    restored.build_from_options(*options_, state);
    restored.show();
    const Line header = *restored.display().find_header(2);
    EXPECT_EQ(restored.scroll_position(), restored.display().offset_of(header));
    EXPECT_EQ((*restored.display().current_line)->text, "Common Kingfisher");
    EXPECT_EQ(restored.state_for_saving().top_family, 2);

    // A copy starts at the top with the same lines.
    TShowForm copy(*data_, loaded_.context(), program_browsing_services().surface);
    copy.build_as_copy(restored);
    EXPECT_EQ(copy.display().lines().size(), restored.display().lines().size());
    EXPECT_EQ(copy.scroll_position(), 0);
}

TEST_F(ShowForm, FoldAllAndRenamingKeepTheSurfaceInStep) {
    form_->resize(700, 150);
    unfold_everything_but_details();
    form_->scroll_to(60);
    form_->fold_all();
    EXPECT_EQ(form_->scroll_position(), 0);
    EXPECT_EQ(family_box(1)->value, 0);
    EXPECT_EQ(family_box(2)->value, 0);
    EXPECT_TRUE(form_->viewport()->findChildren<Tsound_bar*>().isEmpty());
    EXPECT_EQ(current()->text, "Bulbuls");

    form_->apply_name_options(pack_name_options(true, false, 1)); // scientific names only
    EXPECT_EQ(current()->text, "Pycnonotidae");
    EXPECT_EQ(status_, " Pycnonotidae");
    paint();
    press(Qt::Key_Down);
    EXPECT_EQ(current()->text, "Alcedinidae");
}

TEST_F(ShowForm, LinesChangedThroughTheDisplayAreTakenIn) {
    form_->resize(700, 150);
    unfold(family_box(1));
    unfold(species_box(1, 1));
    paint();
    Tsound_bar* bar = form_->viewport()->findChildren<Tsound_bar*>().value(0);
    ASSERT_NE(bar, nullptr);
    display().toggle_fold(family_box(2), true); // below: the bar stays
    display().toggle_fold(std::prev(*display().find_header(1, 2)), true);
    form_->lines_changed();
    EXPECT_EQ(form_->verticalScrollBar()->maximum(),
              display().total_height() + 100 - form_->viewport()->height());
    paint();
    EXPECT_FALSE(bar->isHidden());
    EXPECT_EQ(bar->bar_top(), display().offset_of(nth_line(lkSoundBar)) -
                                  form_->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2);
}

TEST_F(ShowForm, HidingTheFocusedBarLeavesTheCursorWhereItIs) {
    form_->resize(700, 150);
    QApplication::setActiveWindow(form_.get());
    unfold(family_box(1));
    unfold(species_box(1, 1));
    form_->setFocus();
    const Line bar_line = nth_line(lkSoundBar);
    press(Qt::Key_Down);
    ASSERT_EQ(current(), bar_line);
    Tsound_bar* bar = form_->viewport()->findChildren<Tsound_bar*>().value(0);
    ASSERT_NE(bar, nullptr);
    if (QApplication::focusWidget() == nullptr)
        GTEST_SKIP() << "no focus on this platform";
    EXPECT_EQ(QApplication::focusWidget(), bar->button());
    form_->scroll_to(form_->verticalScrollBar()->maximum());
    paint();
    EXPECT_TRUE(bar->isHidden());
    EXPECT_EQ(current(), bar_line);
    EXPECT_EQ(QApplication::focusWidget(), form_.get());
}

TEST(LineDrawing, BitmapsAreAndedWithTheBackgroundAndMoveThePen) {
    load_display_bitmaps();
    const QColor pink(255, 200, 200);
    QImage image(100, 60, QImage::Format_RGB32);
    image.fill(pink);
    SHST_TShowString box;
    box.kind = lkFamilyBox;
    box.x = 15;
    box.advance = 30;
    box.bitmap = bitmap_family_plus;
    LineDrawing drawing;
    drawing.bitmap_sizes = display_bitmap_sizes();
    LinePen pen{QPoint(0, 10)};
    {
        QPainter painter(&image);
        draw_display_line(painter, box, pen, drawing);
    }
    const QImage& plus = display_bitmap(bitmap_family_plus);
    EXPECT_EQ(pen.at, QPoint(15 + plus.width() + 5, 40));
    EXPECT_EQ(QPoint(box.drawn_x, box.drawn_y), QPoint(15, 10));
    int white = 0;
    int dark = 0;
    for (int y = 0; y < plus.height(); ++y) {
        for (int x = 0; x < plus.width(); ++x) {
            const QColor drawn = image.pixelColor(15 + x, 40 - 6 + y);
            if (plus.pixelColor(x, y) == Qt::white) {
                ++white;
                EXPECT_EQ(drawn, pink);
            } else if (plus.pixelColor(x, y) == Qt::black) {
                ++dark;
                EXPECT_EQ(drawn, QColor(Qt::black));
            }
        }
    }
    EXPECT_GT(white, 0);
    EXPECT_GT(dark, 0);
}

class SmallPictures : public ::testing::Test {
protected:
    void SetUp() override {
        data_ = loaded_.load();
        base_directory_state().base_directory = folder_.path();
    }
    void TearDown() override { base_directory_state() = {}; }
    void write_picture() {
        QDir().mkpath(QString::fromStdString(folder_.file("smalpict/PYCNONOT")));
        QImage image(60, 40, QImage::Format_RGB32);
        image.fill(Qt::red);
        ASSERT_TRUE(image.save(QString::fromStdString(folder_.file("smalpict/PYCNONOT/1001.jpg"))));
    }

    ScopedProgramState program_state_;
    DiscFixture disc_;
    LoadedDisc loaded_{disc_};
    TempDir folder_;
    std::unique_ptr<Tdata> data_;
    TSmallPictures pictures_;
};

TEST_F(SmallPictures, AMissingPictureIsNotLookedForAgainUntilTheBaseDirectoryChanges) {
    Tspecies& species = *data_->species_by_id(1001);
    EXPECT_FALSE(pictures_.acquire(species).has_value());
    EXPECT_TRUE(species.small_picture_missing);
    write_picture();
    EXPECT_FALSE(pictures_.acquire(species).has_value());
    data_->clear_small_picture_caches();
    EXPECT_EQ(pictures_.acquire(species), std::make_pair(60, 40));
    ASSERT_NE(pictures_.picture(species), nullptr);
}

TEST_F(SmallPictures, ThePictureStaysWhileAnyDisplayHoldsIt) {
    write_picture();
    Tspecies& species = *data_->species_by_id(1001);
    ASSERT_TRUE(pictures_.acquire(species).has_value());
    ASSERT_TRUE(pictures_.acquire(species).has_value());
    pictures_.release(species);
    EXPECT_NE(pictures_.picture(species), nullptr);
    EXPECT_TRUE(pictures_.hit(species, {10, 10}, {70, 50}));
    EXPECT_FALSE(pictures_.hit(species, {10, 10}, {71, 50}));
    pictures_.release(species);
    EXPECT_EQ(pictures_.picture(species), nullptr);
    EXPECT_EQ(pictures_.loaded_count(), 0u);
}
