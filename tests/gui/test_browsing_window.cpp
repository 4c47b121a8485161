#include "FakeMediaDevices.h"
#include "SampleDiscWindows.h"
#include "app/Startup.h"
#include "browse/BrowsingWindowRules.h"
#include "browse/SoundEditor.h"
#include "browse/SoundSource.h"
#include "browse/WindowCaption.h"
#include "common/BaseDirectory.h"
#include "common/CoreContext.h"
#include "common/GeneralSettings.h"
#include "common/LanguageTexts.h"
#include "common/Product.h"
#include "common/SettingsFile.h"
#include "data/DataSet.h"
#include "tools/WebBrowserWindow.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <filesystem>

using namespace pemmaro;
using namespace pemmaro::test;

namespace {

const std::string title = "Pemmaro - Birds of the Solvara Region 1.0";

std::string caption_of(const QWidget* window) {
    return window->windowTitle().toStdString();
}

QAction* item(const TChildForm& window, const char* name) {
    return window.findChild<QAction*>(name);
}

// Where programs are looked for, for the life of the object.
class ScopedPath {
public:
    explicit ScopedPath(const std::string& path)
        : before_(qgetenv("PATH")) {
        qputenv("PATH", QByteArray::fromStdString(path));
    }
    ~ScopedPath() { qputenv("PATH", before_); }
    ScopedPath(const ScopedPath&) = delete;
    ScopedPath& operator=(const ScopedPath&) = delete;

private:
    QByteArray before_;
};

// Types the text into the next find dialog and confirms it.
void answer_next_input(const QString& text) {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, text] {
        if (auto* dialog =
                qobject_cast<TFindInShowStringsDialog*>(QApplication::activeModalWidget())) {
            dialog->Edit_control->setText(text);
            dialog->accept();
            poll->deleteLater();
        }
    });
    poll->start(10);
}

} // namespace

class BrowsingWindows : public SampleDiscWindows {
protected:
    static void free_closed_windows() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        settle();
    }
    static void unfold_current_family(TChildForm& window) {
        paint(window);
        QTest::keyClick(&window.surface(), Qt::Key_Return);
        paint(window);
    }
    static std::vector<int> unfolded(TChildForm& window) {
        return window.surface().state_for_saving().unfolded_families;
    }
};

TEST_F(BrowsingWindows, DiscCheckAsksTheDriveOffTheUserInterfaceThread) {
    ScopedFakeMediaDevices media;
    media.devices.disc_present = false;
    TChildForm& main_window = open_main_window();
    main_window.check_cd_rom();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !main_window.status_panel_text(1).isEmpty(); }));
    EXPECT_EQ(main_window.status_panel_text(1).toStdString(), text("AUDIO_CD_2", 1));
    EXPECT_NE(media.devices.caller, std::this_thread::get_id());
    EXPECT_EQ(media.devices.open_devices(), 0u);
}

TEST_F(BrowsingWindows, CaptionsAreRenumberedWhenAWindowCloses) {
    TChildForm& main_window = open_main_window();
    QPointer<TChildForm> second = main_window.open_new_window();
    TChildForm* third = main_window.open_new_window();
    EXPECT_EQ(caption_of(&main_window), title);
    EXPECT_EQ(caption_of(second), title + " : 1");
    EXPECT_EQ(caption_of(third), title + " : 2");

    second->close();
    free_closed_windows();
    EXPECT_TRUE(second.isNull()) << "a closed secondary window is freed";
    EXPECT_EQ(top_forms().count(), 2u);
    EXPECT_EQ(caption_of(third), title + " : 1");
}

TEST_F(BrowsingWindows, CtrlTabStepsRoundTheWindowList) {
    TChildForm& main_window = open_main_window();
    main_window.open_new_window();
    TChildForm* last = main_window.open_new_window();
    last->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(last));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&main_window));
    EXPECT_EQ(QApplication::focusWidget(), &main_window.surface());

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab,
                    Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(QTest::qWaitForWindowActive(last));
    EXPECT_EQ(top_forms().previous(&main_window), last);
    EXPECT_EQ(top_forms().next(nullptr), &main_window);
}

TEST_F(BrowsingWindows, NewWindowCopiesFoldStateAndNamesThenGoesItsOwnWay) {
    TChildForm& main_window = open_main_window();
    unfold_current_family(main_window);
    const std::uint32_t scientific_first = pack_name_options(true, true, 1);
    main_window.surface().apply_name_options(scientific_first);
    paint(main_window);
    ASSERT_EQ(unfolded(main_window), std::vector<int>{1});

    TChildForm* copy = main_window.open_new_window();
    paint(*copy);
    EXPECT_TRUE(copy->secondary());
    EXPECT_EQ(copy->surface().display().options().name_options(), scientific_first);
    EXPECT_EQ(unfolded(*copy), std::vector<int>{1});
    EXPECT_EQ(copy->surface().display().lines().size(),
              main_window.surface().display().lines().size());

    copy->surface().apply_name_options(pack_name_options(false, true, 2));
    copy->fold_all();
    paint(*copy);
    paint(main_window);
    EXPECT_TRUE(unfolded(*copy).empty());
    EXPECT_EQ(unfolded(main_window), std::vector<int>{1});
    EXPECT_EQ(main_window.surface().display().options().name_options(), scientific_first);
}

TEST_F(BrowsingWindows, ASecondaryWindowHasCloseAndNoneOfTheFirstWindowsItems) {
    TChildForm& main_window = open_main_window();
    TChildForm* second = main_window.open_new_window();
    const QMenu* file_menu = second->findChild<QMenu*>("file_menu");
    ASSERT_NE(file_menu, nullptr);
    EXPECT_EQ(file_menu->actions().back(), item(*second, "exit_menu_item"));
    EXPECT_EQ(item(*second, "exit_menu_item")->text(), "&Close");
    EXPECT_EQ(item(main_window, "exit_menu_item")->text(), "E&xit");
    for (const char* name :
         {"show_intro_form_menu_item", "text_size_menu_item", "copy_to_HD_menu_item"})
        EXPECT_FALSE(item(*second, name)->isVisible()) << name;

    // The rules behind it: the first window of this product offers the intro and text size.
    MenuRuleInputs inputs = menu_rule_inputs(product(), *pemmaro::data(), false, 1);
    EXPECT_TRUE(menu_visibility(inputs).show_intro);
    EXPECT_TRUE(menu_visibility(inputs).text_size);
    inputs.secondary = true;
    const MenuVisibility secondary = menu_visibility(inputs);
    EXPECT_FALSE(secondary.show_intro);
    EXPECT_FALSE(secondary.text_size);
    EXPECT_FALSE(secondary.copy_to_hard_disk);
    EXPECT_EQ(secondary.exit_caption.number, menus::close.number);
}

TEST(MenuRules, FollowTheProductAndTheDataSet) {
    MenuRuleInputs inputs;
    inputs.product = capabilities_of(106);
    inputs.has_audio_cds = true;
    inputs.audio_cd_drive_count = 1;
    MenuVisibility visible = menu_visibility(inputs);
    EXPECT_TRUE(visible.select_area);
    EXPECT_FALSE(visible.copy_to_hard_disk);
    EXPECT_FALSE(visible.systematic_orders);
    EXPECT_FALSE(visible.database_order);
    EXPECT_FALSE(visible.show_all_birds_of_area);
    EXPECT_FALSE(visible.show_birds_of_other_countries);
    EXPECT_FALSE(visible.view_menu);
    EXPECT_FALSE(visible.audio_cd_player) << "one drive leaves nothing to choose";

    inputs.audio_cd_drive_count = 2;
    EXPECT_TRUE(menu_visibility(inputs).audio_cd_player);
    inputs.has_audio_cds = false;
    EXPECT_FALSE(menu_visibility(inputs).audio_cd_player);

    inputs.product = capabilities_of(114);
    inputs.offers_systematic_orders = true;
    inputs.systematic_order_2_item = true;
    visible = menu_visibility(inputs);
    EXPECT_TRUE(visible.systematic_orders);
    EXPECT_TRUE(visible.database_order);
    EXPECT_TRUE(visible.clements_order);
    EXPECT_FALSE(visible.sibley_and_monroe_order);
    EXPECT_TRUE(visible.show_all_birds_of_area);
    EXPECT_TRUE(visible.copy_to_hard_disk);
    EXPECT_FALSE(visible.select_area);
    inputs.product = capabilities_of(101);
    EXPECT_FALSE(menu_visibility(inputs).show_intro);
    EXPECT_TRUE(menu_visibility(inputs).show_birds_of_other_countries);
}

TEST_F(BrowsingWindows, Product106HidesTheOrdersAndStartsWithTheSoundMenuDisabled) {
    TChildForm& main_window = open_main_window();
    for (const char* name :
         {"database_systematic_order_menu_item", "Clements_systematic_order_menu_item",
          "Sibley_and_Monroe_systematic_order_menu_item", "show_all_birds_of_area_menu_item"})
        EXPECT_FALSE(item(main_window, name)->isVisible()) << name;
    EXPECT_FALSE(item(main_window, "sound_menu")->isEnabled());
    EXPECT_TRUE(item(main_window, "show_threatened_statuses_menu_item")->isChecked());
    EXPECT_EQ(item(main_window, "find_menu_item")->text(), "&Find...\tCtrl+F");
}

TEST_F(BrowsingWindows, ThreatenedToggleAndOrderChoiceFoldBackToFamilyRows) {
    TChildForm& main_window = open_main_window();
    unfold_current_family(main_window);
    ASSERT_EQ(unfolded(main_window), std::vector<int>{1});
    QAction* threatened = item(main_window, "show_threatened_statuses_menu_item");
    threatened->trigger();
    paint(main_window);
    EXPECT_FALSE(main_window.surface().display().options().show_threatened);
    EXPECT_FALSE(threatened->isChecked());
    EXPECT_TRUE(unfolded(main_window).empty());

    // An order the data set does not fully cover is applied with a warning.
    unfold_current_family(main_window);
    pemmaro::data()->order_complete[1] = false;
    main_window.choose_systematic_order(1);
    paint(main_window);
    EXPECT_TRUE(unfolded(main_window).empty());
    ASSERT_EQ(responder_.responder.requests.size(), 1u);
    EXPECT_EQ(responder_.responder.requests[0].caption, "Warning");
    EXPECT_EQ(responder_.responder.requests[0].text,
              "There is at least one species not in the database order.");
    EXPECT_EQ(responder_.responder.requests[0].icon, MessageIcon::warning);
    pemmaro::data()->order_complete[1] = true;
    main_window.choose_systematic_order(1);
    EXPECT_EQ(responder_.responder.requests.size(), 1u);
    Tdata incomplete;
    EXPECT_EQ(order_check_warning(incomplete, 3),
              "There is at least one species not in the Sibley and Monroe order.");
}

TEST_F(BrowsingWindows, FindGoesToTheBirdAndReportsWhatItCannotFind) {
    TChildForm& main_window = open_main_window();
    answer_next_input("whiskered");
    main_window.find();
    paint(main_window);
    const DisplayState found = main_window.surface().state_for_saving();
    EXPECT_GT(found.current_family, 1);
    EXPECT_GT(found.current_species, 0);
    EXPECT_TRUE(responder_.responder.requests.empty());
    EXPECT_EQ(main_window.status_panel_text(0), main_window.surface().status_text());

    answer_next_input("no such bird");
    main_window.find();
    ASSERT_EQ(responder_.responder.requests.size(), 1u);
    EXPECT_EQ(responder_.responder.requests[0].text,
              "No bird name containing \"no such bird\" was found among the birds shown.");
    EXPECT_EQ(responder_.responder.requests[0].icon, MessageIcon::warning);
    paint(main_window);
    EXPECT_EQ(main_window.surface().state_for_saving().current_family, found.current_family);
}

TEST_F(BrowsingWindows, SoundSourceDescriptions) {
    write_file(folder_.file("media/TAPES/01/a01.wav"), "RIFF");
    base_directory_state().base_directory = folder_.file("media/");
    Tcutpart file;
    file.tape_number = 1;
    file.side_letter = 'A';
    file.cut_number = 1;
    // The path as it is spelt on disk.
    EXPECT_EQ(sound_source_description(file, program_context()).to_utf8(),
              "Sound file: " + folder_.file("media/TAPES/01/a01.wav"));

    TaudioCD cd;
    cd.media_text_1 = "Solvara Bird Sounds 1";
    Tcutpart span;
    span.is_sound_file = false;
    span.audio_cd = &cd;
    span.track = 3;
    span.length_ms = 24560;
    EXPECT_EQ(sound_source_description(span, program_context()).to_utf8(),
              "Audio CD \"Solvara Bird Sounds 1\"\nTrack 3, length 24.6 seconds.");
    span.offset_ms = 12300;
    cd.on_hard_disk = true;
    cd.hard_disk_directory = folder_.file("cd1/");
    write_file(folder_.file("cd1/03 Third track.wav"), "RIFF");
    EXPECT_EQ(sound_source_description(span, program_context()).to_utf8(),
              "Audio CD \"Solvara Bird Sounds 1\"\nTrack 3, starting at 12.3 seconds, length 24.6 "
              "seconds.\nPlayed from the hard disk file '" +
                  folder_.file("cd1/03 Third track.wav") + "'.");
}

TEST_F(BrowsingWindows, LoadIntoEditorAsksUntilAnEditorIsThereAndStartsIt) {
    const ScopedPath no_editors(folder_.file("no-editors"));
    SoundEditorChoice choice;
    {
        // The Windows editions' default names nothing here: no editor on the path,
        // the chooser starts among the installed programs.
        choice.program = "c:\\Program Files\\Cool2000\\Cool2000.exe";
        std::vector<std::string> offered;
        EXPECT_EQ(load_into_editor(choice, settings_file(), "a.wav",
                                   [&](const std::string& start) -> std::optional<std::string> {
                                       offered.push_back(start);
                                       return std::nullopt;
                                   }),
                  EditorStart::cancelled);
        EXPECT_EQ(offered, std::vector<std::string>{"/usr/bin"});
        EXPECT_TRUE(responder_.responder.requests.empty());

        // The first sound editor on the path is the default.
        const std::string found = folder_.file("programs/audacity");
        write_file(found, "#!/bin/sh\n");
        std::filesystem::permissions(found, std::filesystem::perms::owner_all);
        const ScopedPath programs(folder_.file("no-editors") + ":" + folder_.file("programs"));
        EXPECT_EQ(current_sound_editor(choice), found);
        select_sound_editor(choice, settings_file(),
                            [&](const std::string& start) -> std::optional<std::string> {
                                offered.push_back(start);
                                return std::nullopt;
                            });
        EXPECT_EQ(offered.back(), found);
    }

    // An editor that writes down the file it was given.
    const std::string editor = folder_.file("editor.sh");
    const std::string record = folder_.file("opened.txt");
    write_file(editor, "#!/bin/sh\necho \"$1\" > '" + record + "'\n");
    std::filesystem::permissions(editor, std::filesystem::perms::owner_all);
    EXPECT_EQ(load_into_editor(choice, settings_file(), folder_.file("tapes/01/A01.WAV"),
                               [&](const std::string&) { return std::optional(editor); }),
              EditorStart::started);
    EXPECT_EQ(setting("GENERAL", "Sound Editing Program"), editor);
    for (int i = 0; i < 500 && read_file(record).empty(); ++i)
        QTest::qWait(10);
    EXPECT_EQ(read_file(record), folder_.file("tapes/01/A01.WAV") + "\n");

    // A file that cannot be run.
    const std::string not_a_program = folder_.file("notes.txt");
    write_file(not_a_program, "text");
    choice.program = not_a_program;
    EXPECT_EQ(load_into_editor(choice, settings_file(), "a.wav",
                               [](const std::string&) { return std::nullopt; }),
              EditorStart::failed);
    ASSERT_FALSE(responder_.responder.requests.empty());
    const MessageRequest& failure = responder_.responder.requests.back();
    EXPECT_EQ(failure.caption, "Error when executing program");
    EXPECT_EQ(failure.icon, MessageIcon::warning);
    EXPECT_EQ(failure.text, editor_failure_text());
    EXPECT_TRUE(failure.text.ends_with(
        "If the file name is incorrect: please correct it in the Options dialog."));
}

TEST_F(BrowsingWindows, SpeciesCaptions) {
    Tspecies pitta;
    pitta.scientific_name = "Pitta moluccensis";
    pitta.language_name = "Blue-winged Pitta";
    const std::uint32_t other_first = pack_name_options(true, true, 2);
    EXPECT_EQ(species_window_caption(pitta, std::nullopt, other_first, textfile()),
              "Blue-winged Pitta (Pitta moluccensis)");
    EXPECT_EQ(
        species_window_caption(pitta, std::nullopt, pack_name_options(true, false, 1), textfile()),
        "Pitta moluccensis");
    pitta.language_name = "   ";
    EXPECT_EQ(species_window_caption(pitta, std::nullopt, other_first, textfile()), "   ");

    pitta.language_name = "Blue-winged Pitta";
    Tsubspecies megarhyncha;
    megarhyncha.name = "megarhyncha";
    const Trecord_ssp_data uncertain{&megarhyncha, true};
    EXPECT_EQ(species_window_caption(pitta, uncertain, other_first, textfile()),
              "Blue-winged Pitta (Pitta moluccensis)")
        << "only species with subspecies groups";
    pitta.flag_e = true;
    EXPECT_EQ(species_window_caption(pitta, uncertain, other_first, textfile()),
              "Blue-winged Pitta (Pitta moluccensis), megarhyncha Subspecies (not certain)");
    EXPECT_EQ(
        species_window_caption(pitta, Trecord_ssp_data{nullptr, false}, other_first, textfile()),
        "Blue-winged Pitta (Pitta moluccensis), error with subspecies name Subspecies");
}

TEST_F(BrowsingWindows, ANewBaseDirectoryBringsTheSmallPicturesOfOpenSpecies) {
    TChildForm& main_window = open_main_window();
    unfold_current_family(main_window);
    QTest::keyClick(&main_window.surface(), Qt::Key_Down);
    paint(main_window);
    QTest::keyClick(&main_window.surface(), Qt::Key_Return); // the Lesser Whistling Duck
    paint(main_window);
    const auto small_pictures = [&] {
        const LineList& lines = main_window.surface().display().lines();
        return std::count_if(lines.begin(), lines.end(), [](const SHST_TShowString& line) {
            return line.kind == lkSmallPicture;
        });
    };
    ASSERT_EQ(small_pictures(), 0) << "no picture under the first base directory";

    QImage picture(60, 40, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    std::filesystem::create_directories(folder_.file("media/smalpict/ANATIDAE"));
    ASSERT_TRUE(
        picture.save(QString::fromStdString(folder_.file("media/smalpict/ANATIDAE/2101.jpg"))));
    set_folder_prompt([&](const std::string&) { return std::optional(folder_.file("media")); });
    EXPECT_TRUE(ask_for_base_directory());
    set_folder_prompt(nullptr);
    EXPECT_EQ(small_pictures(), 1);
}

TEST_F(BrowsingWindows, TheReadmeIsTheEditionsWriteFileElseItsHtmlOrTextOne) {
    TChildForm& main_window = open_main_window();
    EXPECT_TRUE(item(main_window, "readme_menu_item")->isVisible());
    EXPECT_EQ(find_readme(), folder_.file("Readme.html"));
    write_file(folder_.file("README.WRI"), "Write");
    write_file(folder_.file("Readme.txt"), "text");
    EXPECT_EQ(find_readme(), folder_.file("README.WRI"));
    std::filesystem::remove(folder_.file("README.WRI"));
    std::filesystem::remove(folder_.file("Readme.html"));
    EXPECT_EQ(find_readme(), folder_.file("Readme.txt"));
    std::filesystem::remove(folder_.file("Readme.txt"));
    EXPECT_EQ(find_readme(), std::nullopt);
    EXPECT_FALSE(item(*main_window.open_new_window(), "readme_menu_item")->isVisible());
}

// Only unfolded families come back after a restart, and a recording's
// quality letter stands on its line without unfolding anything.
TEST(Help, PromisesOnlyWhatTheProgramDoes) {
    const std::string help = read_file(PEMMARO_HELP_FILE);
    ASSERT_FALSE(help.empty());
    EXPECT_EQ(help.find("families and species were unfolded"), std::string::npos);
    EXPECT_NE(help.find("which families were unfolded"), std::string::npos);
    EXPECT_EQ(help.find("Unfold its details to see a letter"), std::string::npos);
}

TEST_F(BrowsingWindows, HelpAndRecentInfoOpenTheirPages) {
    use_integrated_web_browser() = false;
    std::vector<std::string> opened;
    set_desktop_handler([&](const std::string& address) { opened.push_back(address); });
    TChildForm& main_window = open_main_window();
    item(main_window, "recent_info_on_the_web_menu_item")->trigger();
    item(main_window, "help_menu_item")->trigger();
    set_desktop_handler(nullptr);
    use_integrated_web_browser() = true;
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0], product().update_address);
    EXPECT_TRUE(opened[0].starts_with("https://")) << opened[0];
    EXPECT_EQ(opened[1], folder_.file("Pemmaro.html"));
}
