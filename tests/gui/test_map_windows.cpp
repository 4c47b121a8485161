// The map windows: the region's select-area window, the distribution map
// window (range, marker, link) and the localities map with its tooltip.

#include "SampleDiscWindows.h"
#include "TestContext.h"
#include "common/BaseDirectory.h"
#include "common/CoreContext.h"
#include "common/ScreenColours.h"
#include "data/DataSet.h"
#include "data/SolvaraAreas.h"
#include "data/VisibleSpecies.h"
#include "maps_pictures/LocalitiesMap.h"
#include "maps_pictures/MapComposition.h"
#include "maps_pictures/RegionSeedPoints.h"
#include "maps_pictures/SelectAreaWindow.h"
#include "platform/ProgramResources.h"

#include <QAction>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

using namespace pemmaro;
using namespace pemmaro::test;
using namespace std::string_literals;

namespace {

// Colours without their alpha, as rgb() reads them.
constexpr QRgb green = 0x00ff00;
constexpr QRgb white = 0xffffff;
constexpr QRgb red = 0xff0000;
constexpr QRgb blue = 0x0000ff;
constexpr int india = 0;
constexpr int borneo = 8;
constexpr int china = 16;
constexpr int philippines = 19;

QRgb rgb(const QImage& image, QPoint point) {
    return image.pixel(point) & 0xffffffu;
}

std::vector<QRgb> colours_at(const QImage& image, int item) {
    std::vector<QRgb> colours;
    for (const QPoint seed : region_seed_points[item])
        colours.push_back(rgb(image, seed));
    return colours;
}

std::vector<QRgb> all(int item, QRgb colour) {
    return std::vector<QRgb>(region_seed_points[item].size(), colour);
}

// Straight to the widget: the offscreen screen would send a moved cursor to
// whichever window it finds first there.
void move_mouse(QWidget& widget, QPoint at) {
    QMouseEvent event(QEvent::MouseMove, at, widget.mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &event);
}

// Runs the check inside the modal window's own event loop.
void while_shown(std::function<void()> check) {
    QTimer::singleShot(0, qApp, std::move(check));
}

std::vector<std::string> opened_urls;
const UrlOpener record_url = [](const std::string& url) { opened_urls.push_back(url); };

} // namespace

TEST(SelectAreaWindow, ClicksToggleWholeSubRegionsOkNeedsOneAndCancelChangesNothing) {
    ensure_program_resources();
    const Ttextfile_handler texts;
    RegionAreaSelection selection(texts);
    TSolvaraArea area("IN-PH", false, "");
    while_shown([&] {
        TSolvaraSelectAreaForm& window = *selection.window();
        const QImage& map = window.map().canvas();
        EXPECT_EQ(colours_at(map, india), all(india, green));
        EXPECT_EQ(colours_at(map, china), all(china, white));
        // One of the Philippines' small islands: all eleven pieces follow.
        QTest::mouseClick(&window, Qt::LeftButton, {}, region_seed_points[philippines][5]);
        EXPECT_EQ(colours_at(map, philippines), all(philippines, white));
        EXPECT_FALSE(window.map().item(philippines).Selected);
        // Hainan brings the mainland of China along.
        QTest::mouseClick(&window, Qt::LeftButton, {}, region_seed_points[china][1]);
        EXPECT_EQ(colours_at(map, china), all(china, green));
        EXPECT_TRUE(window.map().item(china).Selected);
        // The sea, and India's west under the buttons' row, change nothing.
        const QImage before = map.copy();
        const QPoint sea(200, 400);
        ASSERT_EQ(rgb(map, sea), 0x4dffffu);
        QTest::mouseClick(&window, Qt::LeftButton, {}, sea);
        QTest::mouseClick(&window, Qt::LeftButton, {}, region_seed_points[india][0]);
        EXPECT_EQ(window.map().canvas(), before);
        // Clear All, then OK: the window stays; Cancel closes it.
        window.Button_clear_all->click();
        EXPECT_EQ(colours_at(map, india), all(india, white));
        window.Button_OK->click();
        EXPECT_TRUE(window.isVisible());
        window.Button_Cancel->click();
    });
    EXPECT_EQ(selection.SelectInteractively(area), QDialog::Rejected);
    EXPECT_EQ(area.ToText(), "IN-PH");

    // The same window again, loaded from the area, and OK with a choice.
    TSolvaraSelectAreaForm* first = selection.window();
    while_shown([&] {
        TSolvaraSelectAreaForm& window = *selection.window();
        EXPECT_EQ(&window, first);
        EXPECT_EQ(colours_at(window.map().canvas(), philippines), all(philippines, green));
        QTest::mouseClick(&window, Qt::LeftButton, {}, region_seed_points[borneo][0]);
        window.Button_OK->click();
    });
    EXPECT_EQ(selection.SelectInteractively(area), QDialog::Accepted);
    EXPECT_EQ(area.ToText(), "IN-BO-PH");
}

class MapWindows : public ::testing::Test {
protected:
    void SetUp() override {
        ensure_program_resources();
        context_.texts = Ttextfile_handler(read_file(PEMMARO_SAMPLE_DISC_DIR "/Pemmaro.txt"));
        opened_urls.clear();
        base_directory_state().base_directory = folder_.path();
        species_.family_directory_name = "ANATIDAE";
        species_.unique_id = 2105;
        species_.taxa_text_4 = "Winters on lakes of north-east India and Burma.";
        frame_.first_pair = {70, 20}; // the region map's own frame
        frame_.second_pair = {120, 0};
        place_.name = "Keoladeo National Park";
        place_.country = "India";
        place_.region_text = "Rajasthan";
        place_.locality_text = "Shallow marshes at Bharatpur";
        place_.description_file = "keoladeo.htm#birds";
        place_.latitude = 163000; // 27.17 N, 77.52 E
        place_.longitude = 465100;
    }

    // A range mask over the region map's frame: blue and red blocks on white.
    void write_range(QRect blue_block, QRect red_block) {
        const QRect rect = OverlayRect(region_map_record(), frame_);
        QImage mask(rect.size(), QImage::Format_RGB32);
        mask.fill(Qt::white);
        QPainter painter(&mask);
        painter.fillRect(blue_block.translated(-rect.topLeft()), QColor(blue));
        painter.fillRect(red_block.translated(-rect.topLeft()), QColor(red));
        painter.end();
        write_file(folder_.file("distmaps/ANATIDAE/2105-1.bmp"), ""); // makes the folders
        ASSERT_TRUE(
            mask.save(QString::fromStdString(folder_.file("distmaps/ANATIDAE/2105-1.bmp")), "BMP"));
        species_.map_count = 1;
        species_.maps[1] = {true, &frame_};
    }

    ScopedProgramState program_state_;
    ScopedResponder responder_;
    TempDir folder_;
    TestContext context_;
    Tspecies species_;
    Tmap_data frame_;
    Tlocality place_;
};

TEST_F(MapWindows, TheRangeIsBluePlainAndRedCrossHatchedOverTheBaseMap) {
    write_range(QRect(300, 200, 10, 10), QRect(100, 200, 6, 3));
    TMapForm window(context_, record_url);
    window.ShowMap(&species_, nullptr, false, "Baer's Pochard");
    const QImage base = base_map_picture(region_map_record()).convertToFormat(QImage::Format_RGB32);
    const QImage& map = window.MapBitmap;
    EXPECT_EQ(rgb(map, {305, 205}), blue);
    // Red tints the map blue where x + y or x - y is a multiple of three.
    const auto tint = [&](QPoint at) {
        const QRgb pixel = base.pixel(at);
        const int grey = (qRed(pixel) + qGreen(pixel) + qBlue(pixel)) / 3;
        return qRgb(grey / 2, grey / 2, (grey + 255) / 2) & 0xffffffu;
    };
    for (const QPoint hatched : {QPoint(100, 200), QPoint(103, 200), QPoint(101, 201)})
        EXPECT_EQ(rgb(map, hatched), tint(hatched)) << hatched.x() << "," << hatched.y();
    for (const QPoint plain : {QPoint(101, 200), QPoint(102, 200), QPoint(103, 202)})
        EXPECT_EQ(rgb(map, plain), rgb(base, plain)) << plain.x() << "," << plain.y();
    EXPECT_EQ(rgb(map, {120, 200}), rgb(base, {120, 200}));
    EXPECT_EQ(window.windowTitle(), "Baer's Pochard");

    // A missing range file is reported and the base map stays as it is.
    species_.unique_id = 2106;
    window.ShowMap(&species_, nullptr, false, "Baer's Pochard");
    EXPECT_EQ(rgb(window.MapBitmap, {305, 205}), rgb(base, {305, 205}));
    ASSERT_EQ(responder_.responder.requests.size(), 1u);
    EXPECT_NE(responder_.responder.requests[0].text.find("can not show picture"),
              std::string::npos);
}

TEST_F(MapWindows, APlaceIsMarkedInRedWithAWhiteRingOnlyWhenOnTheMap) {
    TMapForm window(context_, record_url);
    window.ShowMap(nullptr, &place_, false, "Lesser Whistling Duck");
    EXPECT_EQ(window.MainMap.ResourceName, "INDIA_MAP");
    ASSERT_TRUE(window.LocalityOnMap);
    const QImage& map = window.MapBitmap;
    const QPoint at = window.LocalityPoint;
    for (int dy = -3; dy <= 3; ++dy) {
        for (int dx = -3; dx <= 3; ++dx) {
            const int x = std::abs(dx);
            const int y = std::abs(dy);
            const QRgb pixel = rgb(map, at + QPoint(dx, dy));
            if (x <= 2 && y <= 2 && x + y < 4) {
                EXPECT_EQ(pixel, red) << dx << "," << dy;
            } else if (x + y < 6) {
                EXPECT_EQ(pixel, white) << dx << "," << dy; // the ring
            }
        }
    }
    EXPECT_EQ(window.windowTitle(), "Lesser Whistling Duck, Keoladeo National Park");

    // Far east of the map: no marker, the text all the same; without a
    // province the country stands alone.
    place_.longitude = 150 * 6000;
    place_.region_text.clear();
    window.ShowMap(nullptr, &place_, false, "Lesser Whistling Duck");
    EXPECT_FALSE(window.LocalityOnMap);
    EXPECT_EQ(window.MapBitmap,
              base_map_picture(window.MainMap).convertToFormat(QImage::Format_RGB32));
    std::vector<std::string> rows;
    for (const MapTextRow& row : window.Text.locality_rows)
        rows.push_back(row.heading + row.text.text);
    EXPECT_NE(std::find(rows.begin(), rows.end(), "Country: India"), rows.end());

    // A species' complete map is a region map: the place is marked on its geometry.
    place_.longitude = 465100;
    const std::string complete_map = folder_.file("distmaps/ANATIDAE/2105-1.bmp");
    write_file(complete_map, ""); // makes the folders
    ASSERT_TRUE(
        base_map_picture(region_map_record()).save(QString::fromStdString(complete_map), "BMP"));
    species_.map_count = 1;
    species_.maps[1] = {false, &frame_};
    window.ShowMap(&species_, &place_, false, "Lesser Whistling Duck");
    EXPECT_EQ(window.MainMap.ResourceName, region_map_record().ResourceName);
    EXPECT_EQ(window.LocalityPoint, GeoToPixel(region_map_record(), LocalityDegrees(place_)).point);
    EXPECT_EQ(rgb(window.MapBitmap, window.LocalityPoint), red);

    // A map whose header claims 60000 by 60000 pixels is refused with a message.
    std::string header = read_file(complete_map).substr(0, 54);
    header.replace(18, 8, "\x60\xea\0\0\x60\xea\0\0"s);
    write_file(complete_map, header);
    window.ShowMap(&species_, &place_, false, "Lesser Whistling Duck");
    ASSERT_EQ(responder_.responder.requests.size(), 1u);
    EXPECT_NE(responder_.responder.requests[0].text.find("can not show picture"),
              std::string::npos);
}

TEST_F(MapWindows, TheTitlesLinkAndCtrlHOpenTheSiteDescriptionUnderTheBaseDirectory) {
    write_file(folder_.file("localities/keoladeo.htm"), "<html>Keoladeo</html>");
    TMapForm window(context_, record_url);
    window.ShowMap(&species_, &place_, false, "Lesser Whistling Duck");
    window.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.WaitingForScroll; }, 2000));
    // The link is the one underline in the link colour on the title's row.
    const QImage& canvas = window.canvas();
    const QRgb link = screen_properties().screen_green.rgb() & 0xffffffu;
    const int row = window.LinkTop - window.vertical_scroll_bar()->value();
    QPoint underline(-1, -1);
    for (int x = 0; x < canvas.width() && underline.x() < 0; ++x) {
        if (rgb(canvas, {x, row}) == link)
            underline = {x + 3, row};
    }
    ASSERT_GE(underline.x(), 0) << "no link drawn";
    QTest::mouseClick(&window, Qt::LeftButton, {}, underline - QPoint(0, 12));
    QTest::mouseClick(&window, Qt::LeftButton, {}, {25, row - 3}); // the heading
    const std::string page = folder_.path() + "localities/keoladeo.htm#birds";
    EXPECT_EQ(opened_urls, std::vector<std::string>{page});
    QTest::keyClick(&window, Qt::Key_H, Qt::ControlModifier);
    EXPECT_EQ(opened_urls, std::vector<std::string>(2, page));

    // A name leading out of the data folder is refused.
    place_.description_file = "../../etc/passwd";
    QTest::keyClick(&window, Qt::Key_H, Qt::ControlModifier);
    EXPECT_EQ(opened_urls.size(), 2u);
    EXPECT_EQ(responder_.responder.requests.size(), 1u);
}

TEST_F(MapWindows, ALongTextOpensScrolledToItsEnd) {
    for (int i = 0; i < 40; ++i)
        species_.taxa_text_4 += " Resident on lakes and marshes of the plains.";
    TMapForm window(context_, record_url);
    window.ShowMap(&species_, &place_, false, "Baer's Pochard");
    window.show();
    EXPECT_TRUE(window.WaitingForScroll);
    ASSERT_TRUE(window.vertical_scroll_bar()->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.WaitingForScroll; }, 2000));
    EXPECT_GT(window.vertical_scroll_bar()->maximum(), 0);
    EXPECT_EQ(window.vertical_scroll_bar()->value(), window.vertical_scroll_bar()->maximum());

    // Without text nor place: the map alone, its own size.
    window.ShowMap(nullptr, nullptr, false, {});
    EXPECT_FALSE(window.vertical_scroll_bar()->isVisible());
    EXPECT_FALSE(window.WaitingForScroll);
    EXPECT_EQ(window.size(), QSize(574, 471));
}

TEST(LocalitiesMap, TheMouseHitsAMarkerWithinReachAndTheEarlierOfTwoWins) {
    std::vector<Txy> markers(2);
    markers[0].OnMainMap = true;
    markers[0].MainPoint = {100, 100};
    EXPECT_EQ(LocalityAt(markers, {102, 102}), -1); // 4 + 4 is not below 7
    EXPECT_EQ(LocalityAt(markers, {102, 101}), 0);  // 4 + 1 is
    EXPECT_EQ(LocalityAt(markers, {97, 100}), -1);  // 3 to the side is too far
    markers[1].OnMainMap = true;
    markers[1].MainPoint = {101, 100};
    EXPECT_EQ(LocalityAt(markers, {101, 101}), 0);
    EXPECT_EQ(LocalityAt(markers, {103, 100}), 1);
    markers[0].OnMainMap = false;
    EXPECT_EQ(LocalityAt(markers, {100, 100}), 1);
}

class LocalitiesMapWindow : public SampleDiscWindows {};

// Counts the presses that reach a window's widgets.
class PressCounter : public QObject {
public:
    explicit PressCounter(const QWidget& window)
        : window_(window) {
        qApp->installEventFilter(this);
    }
    int presses = 0;

protected:
    bool eventFilter(QObject* target, QEvent* event) override {
        const auto* widget = qobject_cast<QWidget*>(target);
        if (event->type() == QEvent::MouseButtonPress && widget && widget->window() == &window_)
            ++presses;
        return false;
    }

private:
    const QWidget& window_;
};

TEST_F(LocalitiesMapWindow, MarksEverySiteShowsItsTooltipAndOpensItsPage) {
    opened_urls.clear();
    base_directory_state().base_directory = folder_.path();
    TChildForm& main_window = open_main_window();
    TLocalitiesMapForm window(program_context(), record_url);
    window.show_site_descriptions(*pemmaro::data(), &main_window);
    settle();

    ASSERT_EQ(window.markers().size(), 8u);
    const QImage& canvas = window.canvas();
    for (const Txy& marker : window.markers()) {
        EXPECT_TRUE(marker.OnMainMap) << marker.locality->name;
        EXPECT_EQ(rgb(canvas, marker.MainPoint), red) << marker.locality->name;
    }
    const Txy& first = window.markers()[0];
    move_mouse(window, first.MainPoint + QPoint(2, 1));
    TTooltipForm* tooltip = window.tooltip();
    ASSERT_NE(tooltip, nullptr);
    EXPECT_NE(tooltip->text.find(first.locality->name), std::string::npos);
    EXPECT_NE(tooltip->text.find(first.locality->description_file), std::string::npos);
    move_mouse(window, first.MainPoint + QPoint(1, 1));
    EXPECT_EQ(window.tooltip(), tooltip) << "moving within the marker keeps the tooltip";
    move_mouse(window, first.MainPoint + QPoint(20, 20));
    EXPECT_EQ(window.tooltip(), nullptr);
    move_mouse(window, first.MainPoint);
    EXPECT_NE(window.tooltip(), nullptr) << "back on the same marker";

    write_file(folder_.file("localities/" + first.locality->description_file), "<html></html>");
    QTest::mouseClick(&window, Qt::LeftButton, {}, first.MainPoint);
    EXPECT_EQ(opened_urls, std::vector<std::string>{folder_.path() + "localities/" +
                                                    first.locality->description_file});

    // Modal to the window that asked for it, not to a page opened from it.
    QWidget page;
    page.resize(200, 100);
    page.show();
    settle();
    const PressCounter main_presses(main_window);
    const PressCounter page_presses(page);
    QTest::mouseClick(main_window.windowHandle(), Qt::LeftButton, {}, {100, 100});
    QTest::mouseClick(page.windowHandle(), Qt::LeftButton, {}, {20, 20});
    EXPECT_EQ(main_presses.presses, 0);
    EXPECT_EQ(page_presses.presses, 1);
    window.close();
}

TEST_F(LocalitiesMapWindow, SelectAreaRebuildsTheWindowWithTheChosenSubRegions) {
    RegionAreaSelection selection(textfile());
    TChildForm& main_window = open_main_window();
    const auto families = [&] {
        return count_visible_families(main_window.surface().display().options().visible, 1);
    };
    const int all_families = families();
    QAction* select_area = main_window.findChild<QAction*>("select_area_menu_item");
    ASSERT_TRUE(select_area->isVisible());
    while_shown([&] {
        TSolvaraSelectAreaForm& window = *selection.window();
        window.Button_clear_all->click();
        QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(130, 150)); // India
        window.Button_OK->click();
    });
    select_area->trigger();
    const TArea& area = *main_window.surface().display().options().visible.area;
    EXPECT_EQ(area.ToText(), "IN");
    EXPECT_LT(families(), all_families);
}
