// The shows of a browsing window on the sample disc: the show settings dialog
// and its rules, the Show! command and the show window it opens, the slides
// show and its log.

#include "SampleDiscWindows.h"
#include "browse/WindowList.h"
#include "common/BaseDirectory.h"
#include "common/LanguageTexts.h"
#include "common/Product.h"
#include "common/SlidesAndSoundsShowSettings.h"
#include "data/DataSet.h"
#include "data/RecordingsAndPicturesList.h"
#include "maps_pictures/BigPictureDemoForm.h"
#include "sound/DemoSettingsDialog.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QTimer>

using namespace pemmaro;
using namespace pemmaro::test;

namespace {

QRadioButton* radio(QWidget& dialog, const QString& caption) {
    for (QRadioButton* button : dialog.findChildren<QRadioButton*>())
        if (button->text() == caption)
            return button;
    return nullptr;
}

bool enabled(QWidget& dialog, const char* name) {
    auto* widget = dialog.findChild<QWidget*>(name);
    return widget && widget->isEnabled();
}

} // namespace

class Shows : public SampleDiscWindows {};

TEST_F(Shows, DialogEnablesWhatTheShowTypeUsesAndReadsABadSpeedAs25) {
    TDemoSettingsDialog dialog(product(), textfile());
    ShowSettings settings;
    settings.slide_interval = 7;
    settings.sound_quality_level = 2;
    dialog.set_settings(settings, true);
    EXPECT_TRUE(radio(dialog, "Slides and sounds")->isChecked());
    // With sounds the slides change with the recordings: no interval to set.
    EXPECT_FALSE(enabled(dialog, "MaskEdit_every_X_seconds"));
    EXPECT_TRUE(enabled(dialog, "CheckBox_show_species_names"));
    EXPECT_TRUE(enabled(dialog, "RadioGroup_sounds_quality"));

    radio(dialog, "Slides only")->setChecked(true);
    EXPECT_TRUE(enabled(dialog, "MaskEdit_every_X_seconds"));
    EXPECT_FALSE(enabled(dialog, "GroupBox_sounds"));
    EXPECT_FALSE(enabled(dialog, "TPlaySoundOptionsFrame"));

    radio(dialog, "Sounds only")->setChecked(true);
    EXPECT_FALSE(enabled(dialog, "GroupBox_slides"));
    EXPECT_FALSE(enabled(dialog, "CheckBox_show_species_names"));
    EXPECT_TRUE(enabled(dialog, "GroupBox_sounds"));

    radio(dialog, "Slides only")->setChecked(true);
    dialog.findChild<QLineEdit*>("MaskEdit_every_X_seconds")->setText("");
    const ShowSettings chosen = dialog.settings();
    EXPECT_TRUE(chosen.slides);
    EXPECT_FALSE(chosen.sounds);
    EXPECT_EQ(chosen.slide_interval, TDemoSettingsDialog::invalid_interval);
    EXPECT_EQ(chosen.sound_quality_level, 2);

    // Without a species that has a picture for shows only sounds remain.
    dialog.set_settings(settings, false);
    EXPECT_TRUE(radio(dialog, "Sounds only")->isChecked());
    EXPECT_FALSE(enabled(dialog, "RadioGroup_slides_or_and_sounds"));
}

TEST_F(Shows, ShowCommandWritesTheSettingsAndOpensOneShowWindowWithoutMenu) {
    TChildForm& window = open_main_window();
    QAction* show = window.findChild<QAction*>("show_menu_item");
    ASSERT_NE(show, nullptr);
    EXPECT_TRUE(show->isVisible());
    int dialogs = 0;
    QTimer accept;
    QObject::connect(&accept, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<TDemoSettingsDialog*>(QApplication::activeModalWidget())) {
            ++dialogs;
            radio(*dialog, "Sounds only")->setChecked(true);
            dialog->accept();
        }
    });
    accept.start(10);
    show->trigger();
    settle();
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(setting("SLIDES AND SOUNDS SHOW", "Show Type"), "Sounds Only");
    TChildForm* show_window = window.show_window_ref();
    ASSERT_NE(show_window, nullptr);
    EXPECT_TRUE(show_window->show_window());
    EXPECT_EQ(show_window->windowTitle(), "Playing Recordings");
    EXPECT_FALSE(show_window->menuBar()->isVisible());
    EXPECT_EQ(top_forms().count(), 1u) << "a show window is not in the window list";

    // While it runs, Show! brings it up instead of asking again.
    show->trigger();
    settle();
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(window.show_window_ref(), show_window);

    QPointer<TChildForm> closing = show_window;
    QTest::keyClick(show_window, Qt::Key_Escape);
    settle();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(closing.isNull());
    EXPECT_EQ(window.show_window_ref(), nullptr);
}

TEST_F(Shows, SlidesShowLogsEachPictureItShowsAndEscapeEndsIt) {
    base_directory_state().base_directory = PEMMARO_SAMPLE_BASE_DIR "/";
    TChildForm& window = open_main_window();
    ShowSettings settings;
    settings.slides = true;
    settings.sounds = false;
    settings.slide_interval = 1;
    window.start_show_with(settings);
    settle();
    QPointer<TBigPictureDemoForm> form = window.findChild<TBigPictureDemoForm*>();
    ASSERT_NE(form, nullptr);
    TRecordingsAndOrPicturesList& list = window.pictures_list();
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Entries[0].species, form->Species);
    EXPECT_EQ(form->slide_interval_ms(), 1000);

    ASSERT_TRUE(QTest::qWaitFor([&] { return list.Count() == 2; }, 5000));
    const TRecordingsAndOrPicturesEntry& second = list.Entries[1];
    EXPECT_EQ(second.species, form->Species) << "the entry is the picture on show";
    EXPECT_EQ(second.picture_number, form->Picture->picture_number);
    EXPECT_NE(second.species, list.Entries[0].species) << "never the same species twice running";
    EXPECT_EQ(second.recording_number, 0);
    EXPECT_EQ(form->sound_bar(), nullptr);
    EXPECT_TRUE(form->NoNavigation);

    QTest::keyClick(form, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form.isNull());
    EXPECT_EQ(list.Count(), 2);
}
