// The big picture window and its information pop-up: stepping through a
// species' pictures, drawing them scaled or in their own size, the buttons,
// a missing file, the locality's map; and the display opening the window.

#include "SampleDiscWindows.h"
#include "TestContext.h"
#include "common/BaseDirectory.h"
#include "common/DataPaths.h"
#include "common/ScreenColours.h"
#include "data/DataSet.h"
#include "maps_pictures/BigPictureLayout.h"
#include "maps_pictures/BigPictureSettings.h"
#include "maps_pictures/BigPictureWindow.h"
#include "maps_pictures/MapWindow.h"
#include "maps_pictures/PictureInfoForm.h"
#include "maps_pictures/SmallPictures.h"
#include "platform/ProgramResources.h"
#include "widgets/PersonForm.h"

#include <QKeyEvent>
#include <QPointer>
#include <QScrollBar>

using namespace pemmaro;
using namespace pemmaro::test;

namespace {

constexpr QRgb red = 0xff0000;
constexpr QRgb blue = 0x0000ff;

QRgb rgb(const QImage& image, QPoint point) {
    return image.pixel(point) & 0xffffffu;
}

// A JPEG's plain colour comes back within a few steps of each channel.
bool near(QRgb shown, QRgb wanted) {
    return std::abs(qRed(shown) - qRed(wanted)) < 8 &&
           std::abs(qGreen(shown) - qGreen(wanted)) < 8 &&
           std::abs(qBlue(shown) - qBlue(wanted)) < 8;
}

void press(QWidget& widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(&widget, static_cast<Qt::Key>(key), modifiers);
}

std::vector<TBigPictureForm*> big_picture_windows() {
    std::vector<TBigPictureForm*> found;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* pictures = qobject_cast<TBigPictureForm*>(window);
            pictures && window->isVisible())
            found.push_back(pictures);
    }
    return found;
}

class BigPictures : public ::testing::Test {
protected:
    void SetUp() override {
        ensure_program_resources();
        context_.texts = Ttextfile_handler(read_file(PEMMARO_SAMPLE_DISC_DIR "/Pemmaro.txt"));
        base_directory_state().base_directory = folder_.path();
        species_.family_directory_name = "ANATIDAE";
        species_.unique_id = 2101;
        species_.scientific_name = "Dendrocygna javanica";
        whistling_.name = "javanica";
        place_.name = "Keoladeo National Park";
        place_.country = "India";
        photographer_.key = "D. Mervaine";
        photographer_.person_text_1 = "Photographs water birds of the plains.";
        for (int n = 1; n <= 3; ++n) {
            Tbig_picture& picture = pictures_[static_cast<std::size_t>(n - 1)];
            picture.species = &species_;
            picture.picture_number = n;
            if (n > 1) {
                picture.previous_picture = &pictures_[static_cast<std::size_t>(n - 2)];
                pictures_[static_cast<std::size_t>(n - 2)].next_picture = &picture;
            }
        }
        species_.first_big_picture = &pictures_[0];
        pictures_[0].caption = "A flock resting on a lotus pond";
        pictures_[0].locality = &place_;
        pictures_[0].picture_value = 50300;
        pictures_[0].photographer = &photographer_;
        pictures_[1].subspecies_ref = Trecord_ssp_data{&whistling_, false};
        pictures_[2].subspecies_ref = Trecord_ssp_data{&whistling_, false};
        write_picture(1, {400, 300}, Qt::red);
        write_picture(2, {300, 400}, Qt::blue);
        write_picture(3, {400, 300}, Qt::red);
    }

    void write_picture(int n, QSize size, Qt::GlobalColor colour) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        const std::string path = folder_.file("big_pict/ANATIDAE/2101." + big_picture_extension(n));
        write_file(path, "");
        ASSERT_TRUE(image.save(QString::fromStdString(path), "JPG", 95));
    }

    // A window set up on the species, shown in its normal (restored) state at that size.
    std::unique_ptr<TBigPictureForm> window(const Tsubspecies* subspecies_only = nullptr,
                                            QSize size = {600, 450}) {
        auto form = std::make_unique<TBigPictureForm>(context_, nullptr);
        form->setAttribute(Qt::WA_DeleteOnClose, false);
        EXPECT_TRUE(form->SetUp(species_, subspecies_only, nullptr, nullptr));
        form->resize(size);
        form->show();
        QApplication::processEvents();
        return form;
    }

    ScopedProgramState program_state_;
    ScopedResponder responder_;
    TempDir folder_;
    TestContext context_;
    Tspecies species_;
    Tsubspecies whistling_;
    Tlocality place_;
    Tperson photographer_;
    std::array<Tbig_picture, 3> pictures_{};
};

TEST_F(BigPictures, StepsThroughTheSetAndASubspeciesPassesOverTheOthers) {
    auto form = window();
    EXPECT_EQ(form->Picture, &pictures_[0]);
    EXPECT_FALSE(form->previous_button->isVisible());
    EXPECT_TRUE(form->next_button->isVisible());
    press(*form, Qt::Key_Right);
    EXPECT_EQ(form->Picture, &pictures_[1]);
    EXPECT_EQ(form->picture_size(), QSize(300, 400)) << "the second file, .jp2";
    press(*form, Qt::Key_Right);
    EXPECT_EQ(form->Picture, &pictures_[2]);
    EXPECT_FALSE(form->next_button->isVisible());
    press(*form, Qt::Key_Right);
    EXPECT_EQ(form->Picture, &pictures_[2]) << "no step past the last";
    form->previous_button->click();
    EXPECT_EQ(form->Picture, &pictures_[1]);

    // Opened for the subspecies: the first picture (of no subspecies) is not
    // in the set, and a neighbour whose file is missing has no button.
    std::filesystem::remove(folder_.file("big_pict/ANATIDAE/2101.jp3"));
    auto only = window(&whistling_);
    EXPECT_EQ(only->Picture, &pictures_[1]);
    EXPECT_FALSE(only->previous_button->isVisible());
    EXPECT_FALSE(only->next_button->isVisible());
    press(*only, Qt::Key_Left);
    press(*only, Qt::Key_Right);
    EXPECT_EQ(only->Picture, &pictures_[1]);

    // One picture: neither button.
    pictures_[0].next_picture = nullptr;
    auto single = window();
    EXPECT_FALSE(single->previous_button->isVisible());
    EXPECT_FALSE(single->next_button->isVisible());
}

TEST_F(BigPictures, ScalesToTallAndWideClientsAndShowsTheColourButtonOnlyWithRoomBeside) {
    auto form = window(nullptr, {400, 600});
    EXPECT_FALSE(form->Zoomed());
    EXPECT_EQ(form->picture_rect(), QRect(0, 150, 400, 300)) << "full width, centred";
    EXPECT_FALSE(form->background_color_button->isVisible());
    QImage shown = form->grab().toImage();
    EXPECT_TRUE(near(rgb(shown, {200, 300}), red));
    EXPECT_EQ(rgb(shown, {200, 20}), rgb(shown, {200, 580}));
    EXPECT_FALSE(near(rgb(shown, {200, 20}), red)) << "the background above and below";

    form->resize(800, 300);
    QApplication::processEvents();
    // Full height; the width rounded up by one, as the window always has.
    EXPECT_EQ(form->picture_rect(), QRect(199, 0, 401, 300));
    EXPECT_TRUE(form->background_color_button->isVisible());

    // A chosen colour is every big picture window's background from then on.
    const BigPictureSettings saved = big_picture_settings();
    form->choose_colour = [](QWidget*, const QColor&) { return QColor(Qt::blue); };
    form->background_color_button->click();
    shown = form->grab().toImage();
    EXPECT_EQ(rgb(shown, {100, 150}), blue);
    EXPECT_TRUE(near(rgb(shown, {400, 150}), red));
    big_picture_settings() = saved;

    // The rules behind them, on the screen sizes they were made for.
    EXPECT_TRUE(fits_enlarged({500, 400}, {1024, 768}));
    EXPECT_EQ(restored_client_size({500, 400}, true, {1024, 768}), QSize(500, 400));
    EXPECT_EQ(restored_client_size({1600, 1200}, false, {1024, 768}), QSize(512, 384));
    EXPECT_EQ(restored_client_size({600, 1200}, false, {1024, 768}), QSize(230, 460));
}

TEST_F(BigPictures, MaximisedDrawsItsOwnSizeCentredOrScrolled) {
    auto form = window();
    form->showMaximized();
    QApplication::processEvents();
    ASSERT_TRUE(form->Zoomed());
    const QSize client = form->client_size();
    EXPECT_EQ(form->picture_rect().size(), QSize(400, 300));
    EXPECT_EQ(form->picture_rect().center(), QRect(QPoint(0, 0), client).center());
    EXPECT_FALSE(form->horizontal_scroll_bar()->isVisible());

    write_picture(2, client + QSize(300, 200), Qt::blue);
    press(*form, Qt::Key_Right);
    EXPECT_TRUE(form->horizontal_scroll_bar()->isVisible());
    EXPECT_TRUE(form->vertical_scroll_bar()->isVisible());
    EXPECT_EQ(form->picture_rect().size(), form->picture_size());
    EXPECT_EQ(form->picture_rect().topLeft(), -QPoint(form->horizontal_scroll_bar()->value(),
                                                      form->vertical_scroll_bar()->value()));
    EXPECT_GT(form->horizontal_scroll_bar()->value(), 0) << "scrolled to the picture's centre";
}

TEST_F(BigPictures, DecodesAtAReducedScaleWhenShownAtLessThanHalf) {
    write_picture(3, {1600, 1200}, Qt::red);
    auto form = window(nullptr, {400, 300});
    press(*form, Qt::Key_Right);
    press(*form, Qt::Key_Right);
    EXPECT_EQ(form->picture_size(), QSize(1600, 1200));
    form->grab();
    EXPECT_EQ(form->decoded_picture().size(), QSize(400, 300)) << "a quarter";
    form->resize(1000, 750);
    QApplication::processEvents();
    form->grab();
    EXPECT_EQ(form->decoded_picture().size(), QSize(1600, 1200)) << "whole again when larger";
}

TEST_F(BigPictures, AMissingFileAsksForTheDataAndCancelledOpensNothing) {
    std::filesystem::remove(folder_.file("big_pict/ANATIDAE/2101.jp1"));
    int asked = 0;
    set_folder_prompt([&](const std::string&) -> std::optional<std::string> {
        ++asked;
        return std::nullopt;
    });
    EXPECT_EQ(ShowBigPictures(context_, nullptr, species_, nullptr, nullptr), nullptr);
    set_folder_prompt(nullptr);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(big_picture_windows().empty());

    // A file that is no picture is said so, and opens nothing either.
    write_file(folder_.file("big_pict/ANATIDAE/2101.jp1"), "not a photograph");
    EXPECT_EQ(ShowBigPictures(context_, nullptr, species_, nullptr, nullptr), nullptr);
    ASSERT_EQ(responder_.responder.requests.size(), 1u);
    EXPECT_NE(responder_.responder.requests[0].text.find("2101.jp1"), std::string::npos);
    EXPECT_TRUE(big_picture_windows().empty());
}

// Headers that claim billions of pixels are refused before any pixel is
// allocated: the big picture says so, the small one is as good as absent.
TEST_F(BigPictures, PicturesClaimingGigapixelsGiveAMessageNotACrash) {
    const std::string big = folder_.file("big_pict/ANATIDAE/2101.jp1");
    std::string bytes = read_file(big);
    const std::size_t frame = bytes.find("\xff\xc0");
    ASSERT_NE(frame, std::string::npos);
    bytes.replace(frame + 5, 4, "\xea\x60\xea\x60"); // 60000 by 60000
    write_file(big, bytes);
    const std::string small = folder_.file("smalpict/ANATIDAE/2101.jpg");
    write_file(small, bytes);

    EXPECT_EQ(ShowBigPictures(context_, nullptr, species_, nullptr, nullptr), nullptr);
    ASSERT_EQ(responder_.responder.requests.size(), 1u);
    EXPECT_EQ(responder_.responder.requests[0].text,
              "Can not show the picture \"" + big + "\": picture too large.");
    EXPECT_TRUE(big_picture_windows().empty());

    TSmallPictures pictures;
    EXPECT_FALSE(pictures.acquire(species_).has_value());
    EXPECT_TRUE(species_.small_picture_missing);
    EXPECT_EQ(pictures.loaded_count(), 0u);
}

TEST_F(BigPictures, InformationCreditAndTheLocalityOpeningItsMap) {
    auto form = window();
    form->TitleProvider = [](const Tspecies& species, const std::optional<Trecord_ssp_data>&) {
        return species.scientific_name;
    };
    press(*form, Qt::Key_Right);
    press(*form, Qt::Key_Left);
    EXPECT_EQ(form->windowTitle(),
              QString::fromUtf8("Dendrocygna javanica      \u00a9 D. Mervaine"));
    EXPECT_TRUE(form->information_button->isVisible());
    EXPECT_TRUE(form->credit_button->isVisible());

    EXPECT_EQ(
        picture_information_text(pictures_[0], context_.texts),
        "A flock resting on a lotus pond \x0dKeoladeo National Park (India).\x0d 05-03-2000.");
    EXPECT_NE(picture_information_text(pictures_[1], context_.texts).find("javanica"),
              std::string::npos);

    press(*form, Qt::Key_I, Qt::ControlModifier);
    TPictureInfoForm& info = *form->InfoWindow;
    ASSERT_TRUE(info.isVisible());
    const QImage& canvas = info.canvas();
    std::optional<QPoint> link;
    for (int y = 0; y < canvas.height() && !link; ++y) {
        for (int x = 0; x < canvas.width() && !link; ++x) {
            if (rgb(canvas, {x, y}) == (screen_properties().screen_green.rgb() & 0xffffffu))
                link = QPoint(x, y - 3);
        }
    }
    ASSERT_TRUE(link) << "the locality is underlined";
    QTest::mouseClick(&info, Qt::LeftButton, {}, {2, 2});
    EXPECT_FALSE(info.map_window()->isVisible()) << "plain text opens nothing";
    QTest::mouseClick(&info, Qt::LeftButton, {}, *link);
    QPointer<TMapForm> map = info.map_window();
    ASSERT_TRUE(map->isVisible());
    EXPECT_EQ(map->Locality, &place_);
    EXPECT_EQ(map->Species, &species_);

    press(*form, Qt::Key_Escape);
    EXPECT_FALSE(info.isVisible());
    EXPECT_FALSE(map->isVisible()) << "the map closes with the information";
    press(*form, Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(form->PersonWindow->isVisible());
    EXPECT_EQ(form->PersonWindow->person_key(), "D. Mervaine");
    press(*form, Qt::Key_Escape);
    EXPECT_FALSE(form->PersonWindow->isVisible());
    EXPECT_TRUE(form->isVisible());
    press(*form, Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());

    // A picture without locality, date and caption has no information button;
    // without a photographer no credit button.
    auto plain = window(&whistling_);
    EXPECT_FALSE(plain->information_button->isVisible());
    EXPECT_FALSE(plain->credit_button->isVisible());
}

TEST_F(BigPictures, AFewColoursScreenIsWarnedOnceBeforeTheWindowOpens) {
    context_.settings.path = folder_.file("Pemmaro.ini");
    big_picture_settings().colour_warning_due = true;
    give_colour_warning_if_due(context_.settings, context_.texts, 256, 12);
    give_colour_warning_if_due(context_.settings, context_.texts, 256, 12);
    ASSERT_EQ(responder_.responder.requests.size(), 1u);
    EXPECT_EQ(responder_.responder.requests[0].icon, MessageIcon::information);
    EXPECT_NE(responder_.responder.requests[0].text.find("only 256 colours"), std::string::npos);
    EXPECT_EQ(context_.settings.read_string("GENERAL", "Next Month for Colors Warning", ""), "1");
    read_big_picture_settings(context_.settings, 256, 1);
    EXPECT_TRUE(big_picture_settings().colour_warning_due) << "January: due again";
    read_big_picture_settings(context_.settings, 65536, 1);
    EXPECT_FALSE(big_picture_settings().colour_warning_due) << "enough colours";
}

TEST(BigPictureRules, TheColourWarningIsDueFromItsStoredMonth) {
    EXPECT_FALSE(colour_warning_due("12", 11));
    EXPECT_TRUE(colour_warning_due("12", 12));
    EXPECT_TRUE(colour_warning_due("1", 5)) << "set in December: due in any month";
    EXPECT_TRUE(colour_warning_due("", 1));
    EXPECT_TRUE(colour_warning_due("x7", 1)) << "not a number counts 0";
    EXPECT_EQ(next_warning_month(12), 1);
}

class DisplayOpensPictures : public SampleDiscWindows {};

TEST_F(DisplayOpensPictures, CtrlPOpensTheSpeciesFirstPictureWithItsCaption) {
    base_directory_state().base_directory = PEMMARO_SAMPLE_BASE_DIR "/";
    TChildForm& main = open_main_window();
    TShowForm& surface = main.surface();
    press(surface, Qt::Key_Return); // the first family unfolds
    press(surface, Qt::Key_Down);   // its first species
    press(surface, Qt::Key_P, Qt::ControlModifier);
    std::vector<TBigPictureForm*> opened = big_picture_windows();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0]->Picture, opened[0]->Species->first_big_picture);
    EXPECT_TRUE(opened[0]->windowTitle().startsWith(
        QString::fromStdString(opened[0]->Species->language_name)));
    opened[0]->close();
    QApplication::processEvents();
    EXPECT_TRUE(big_picture_windows().empty());
}

} // namespace
