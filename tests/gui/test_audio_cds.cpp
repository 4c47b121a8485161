// The audio CD choices on the sample disc: the drive dialog, the "My Audio
// CDs" dialog with the display it rebuilds, and the CD information window.

#include "SampleDiscWindows.h"
#include "common/LanguageTexts.h"
#include "common/ScreenColours.h"
#include "common/TextEngine.h"
#include "data/DataSet.h"
#include "sound/AboutAudioCdForm.h"
#include "sound/AudioCdDriveDialog.h"
#include "sound/SelectAudioCdsDialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <deque>
#include <set>

using namespace pemmaro;
using namespace pemmaro::test;

namespace {

// Runs the action on the next modal dialog of that type, once it is up and
// active: before that, its accelerators do not answer keys.
template <class Dialog> void on_next_dialog(std::function<void(Dialog&)> action) {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, action] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (dialog && dialog->isActiveWindow()) {
            poll->deleteLater();
            action(*dialog);
        }
    });
    poll->start(10);
}

void click_at(QWidget& widget, QPoint at) {
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, widget.mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(&widget, &event);
    }
}

// A pixel of the link colour in the image, scanning from the top.
std::optional<QPoint> link_pixel(const QImage& image, int top = 0, int bottom = INT_MAX) {
    const QRgb wanted = screen_properties().screen_green.rgb() & 0xF0F0F0;
    for (int y = std::max(top, 0); y < std::min(bottom, image.height()); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xF0F0F0) == wanted)
                return QPoint(x, y);
    return std::nullopt;
}

class AudioCdWindows : public SampleDiscWindows {
protected:
    std::string initial_settings() const override {
        return "[GENERAL]\r\nCD-ROM drive used for audio CDs=3\r\n";
    }

    static TaudioCD& cd(int cd_index) {
        return pemmaro::data()->audio_cd_store.at(static_cast<std::size_t>(cd_index - 1));
    }

    // Unfolds every family and species of the window; the numbers of the
    // audio CDs whose recordings it then shows.
    static std::set<int> cds_shown(TChildForm& window) {
        TShowStrings& display = window.surface().display();
        for (bool unfolded = true; unfolded;) {
            unfolded = false;
            for (Line line = display.lines().begin(); line != display.end() && !unfolded; ++line)
                if (line->kind == lkFamilyBox || line->kind == lkSpeciesBox)
                    unfolded = display.toggle_fold(line, true).changed;
        }
        window.surface().lines_changed();
        std::set<int> shown;
        for (const SHST_TShowString& line : display.lines())
            if (line.kind == lkAudioCDLine)
                shown.insert(line.audio_cd->cd_index);
        return shown;
    }
};

} // namespace

TEST_F(AudioCdWindows, UncheckingAnOwnedCdHidesItsRecordings) {
    TChildForm& window = open_main_window();
    EXPECT_EQ(cds_shown(window), (std::set<int>{1, 2}));

    std::vector<std::string> titles;
    on_next_dialog<TSelectAudioCDsDialog>([&](TSelectAudioCDsDialog& dialog) {
        for (const auto& row : dialog.rows)
            titles.push_back(row.label->text().toStdString());
        // The CD's number is the accelerator of its box.
        QTest::keyClick(&dialog, Qt::Key_2, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog.rows.at(1).owned->isChecked(); }));
        EXPECT_TRUE(dialog.rows.at(0).owned->isChecked());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    window.choose_audio_cds();

    // Numbered as the data disc lists them (tape 9, then tape 10), not as
    // their tape numbers sort as text.
    ASSERT_EQ(titles.size(), 2u);
    EXPECT_EQ(titles[0], "&1: Solvara Bird Sounds, Sample Edition, CD 1 of 2: non-passerines");
    EXPECT_EQ(titles[1], "&2: Solvara Bird Sounds, Sample Edition, CD 2 of 2: barbets to mynas");
    const NumberSet owned = window.surface().display().options().visible.used_audio_cds;
    EXPECT_EQ(set_to_text(owned), "1");
    EXPECT_EQ(cds_shown(window), std::set<int>{1});
}

TEST_F(AudioCdWindows, ACopiedCdNeedsItsFolderAndCancelKeepsEveryChoice) {
    std::deque<std::optional<std::string>> folders{std::nullopt, "/music/cd2", "/music/cd2"};
    int drive_dialogs = 0;
    SelectAudioCdsServices services;
    services.cd_audio_device_count = 1;
    services.choose_drive = [&](QWidget*) { ++drive_dialogs; };
    services.choose_folder = [&](QWidget*, const std::string&) {
        const std::optional<std::string> folder = folders.front();
        folders.pop_front();
        return folder;
    };
    TSelectAudioCDsDialog one_drive(*pemmaro::data(), services);
    EXPECT_TRUE(one_drive.Button_select_CD_ROM_drive->isHidden());
    services.cd_audio_device_count = 2;
    TSelectAudioCDsDialog dialog(*pemmaro::data(), services);
    EXPECT_FALSE(dialog.Button_select_CD_ROM_drive->isHidden());
    dialog.Button_select_CD_ROM_drive->click();
    EXPECT_EQ(drive_dialogs, 1);

    NumberSet owned;
    owned.set(1).set(2);
    on_next_dialog<TSelectAudioCDsDialog>([&](TSelectAudioCDsDialog& shown) {
        shown.rows.at(1).on_hard_disk->click();
        shown.OKButton->click();
        EXPECT_TRUE(shown.isVisible()) << "a CD on the hard disk without its folder";
        shown.rows.at(1).choose_folder->click(); // cancelled
        EXPECT_TRUE(shown.choices().at(1).hard_disk_directory.empty());
        shown.rows.at(1).choose_folder->click();
        EXPECT_EQ(shown.choices().at(1).hard_disk_directory, "/music/cd2");
        shown.CancelButton->click();
    });
    EXPECT_FALSE(dialog.run(owned));
    ASSERT_EQ(responder_.responder.requests.size(), 1u);
    EXPECT_EQ(
        responder_.responder.requests[0].text,
        "You marked the audio CD \"Solvara Bird Sounds, Sample Edition, CD 2 of 2\" as copied "
        "to the hard disk, but did not choose its folder. Please choose it with the \"...\" "
        "button.");
    EXPECT_EQ(responder_.responder.requests[0].icon, MessageIcon::error);
    EXPECT_FALSE(cd(2).on_hard_disk);
    EXPECT_TRUE(cd(2).hard_disk_directory.empty());

    on_next_dialog<TSelectAudioCDsDialog>([&](TSelectAudioCDsDialog& shown) {
        // Choosing the folder of a copy marks the CD as copied.
        shown.rows.at(1).choose_folder->click();
        EXPECT_TRUE(shown.rows.at(1).on_hard_disk->isChecked());
        shown.rows.at(0).owned->click();
        shown.OKButton->click();
    });
    EXPECT_TRUE(dialog.run(owned));
    EXPECT_TRUE(cd(2).on_hard_disk);
    EXPECT_EQ(cd(2).hard_disk_directory, "/music/cd2");
    EXPECT_FALSE(cd(1).on_hard_disk);
    EXPECT_EQ(set_to_text(owned), "2");
}

TEST_F(AudioCdWindows, TheDriveDialogTakesAStoredDriveBeyondTheDevicesAsTheLast) {
    TChooseAudioCDPlayerDialog two_devices(2);
    on_next_dialog<TChooseAudioCDPlayerDialog>([](TChooseAudioCDPlayerDialog& dialog) {
        EXPECT_TRUE(dialog.RadioButtons[0]->isVisible());
        EXPECT_TRUE(dialog.RadioButtons[1]->isChecked());
        EXPECT_EQ(dialog.RadioButtons[1]->text().toStdString(),
                  "Drive 2 (audio CD images on the hard disk)");
        EXPECT_FALSE(dialog.RadioButtons[2]->isVisible());
        EXPECT_FALSE(dialog.RadioButtons[3]->isVisible());
        dialog.OKButton->click();
    });
    EXPECT_TRUE(two_devices.run());
    EXPECT_EQ(setting("GENERAL", "CD-ROM drive used for audio CDs"), "2");

    TChooseAudioCDPlayerDialog one_device(1);
    on_next_dialog<TChooseAudioCDPlayerDialog>([](TChooseAudioCDPlayerDialog& dialog) {
        EXPECT_TRUE(dialog.RadioButtons[0]->isChecked());
        EXPECT_FALSE(dialog.RadioButtons[1]->isVisible());
        dialog.CancelButton->click();
    });
    EXPECT_FALSE(one_device.run());
    EXPECT_EQ(setting("GENERAL", "CD-ROM drive used for audio CDs"), "2");
}

TEST_F(AudioCdWindows, TheAudioCdLineOpensTheCdsWindowWhoseLinkOpensItsPage) {
    std::vector<std::string> opened;
    BrowsingServices services = program_browsing_services();
    services.open_url = [&](const std::string& address) { opened.push_back(address); };
    windows_.push_back(std::make_unique<TChildForm>(services));
    TChildForm& window = *windows_.back();
    window.initialise_as_main_window();
    window.show();
    settle();
    cds_shown(window);
    TShowStrings& display = window.surface().display();
    auto line = std::find_if(display.lines().begin(), display.end(),
                             [](const SHST_TShowString& l) { return l.kind == lkAudioCDLine; });
    ASSERT_NE(line, display.end());
    window.surface().scroll_to(display.offset_of(line) - 40);
    paint(window);
    const int top = line->drawn_y - window.surface().scroll_position();
    const std::optional<QPoint> underline =
        link_pixel(window.surface().back_buffer(), top, top + line->advance + 20);
    ASSERT_TRUE(underline.has_value());
    click_at(*window.surface().viewport(), *underline - QPoint(0, 4));

    auto* about = window.findChild<TAboutAudioCDForm*>();
    ASSERT_NE(about, nullptr);
    ASSERT_TRUE(about->isVisible());
    const TaudioCD& shown = *line->audio_cd;
    EXPECT_EQ(about->windowTitle().toStdString(), shown.media_text_2);
    std::string shown_text = without_markup(about->wrapped_text());
    std::replace(shown_text.begin(), shown_text.end(), '\n', ' ');
    EXPECT_EQ(shown_text, shown.media_text_1 +
                              " You can find more about this CD on the web site of its publisher.");
    const std::optional<QPoint> link = link_pixel(about->canvas());
    ASSERT_TRUE(link.has_value());
    click_at(*about, *link - QPoint(0, 3));
    EXPECT_EQ(opened, std::vector<std::string>{shown.media_text_4});
    EXPECT_FALSE(about->isVisible());

    // Opened at the window's corner, it stays 5 pixels inside the window.
    const QRect client(window.mapToGlobal(QPoint(0, 0)), window.size());
    services.open_audio_cd_information(&window, shown, client.bottomRight(), services.open_url);
    EXPECT_EQ(window.findChildren<TAboutAudioCDForm*>().size(), 1u);
    EXPECT_EQ(about->geometry().right(), client.right() - 5);
    EXPECT_EQ(about->geometry().bottom(), client.bottom() - 5);
    QTest::keyClick(about, Qt::Key_Escape);
    EXPECT_FALSE(about->isVisible());
}
