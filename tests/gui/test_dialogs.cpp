// The browsing window's dialogs and pop-ups on the sample disc: name options
// with their live preview and Cancel, text size, find and find again, the
// person and threatened-status pop-ups, the about and introduction windows.

#include "SampleDiscWindows.h"
#include "browse/FindDialog.h"
#include "browse/NameOptionsDialog.h"
#include "browse/TextSizeDialog.h"
#include "browse/ThreatenedStatusExplicationForm.h"
#include "common/CoreContext.h"
#include "common/QtTextMeasurer.h"
#include "common/ScreenColours.h"
#include "common/TextEngine.h"
#include "data/DataSet.h"
#include "platform/ProgramResources.h"
#include "tools/AboutForm.h"
#include "tools/IntroductionForm.h"
#include "widgets/PersonForm.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <cmath>

using namespace pemmaro;
using namespace pemmaro::test;

namespace {

// Runs the action on the next modal dialog of that kind once it is up.
template <class Dialog> void on_next_dialog(std::function<void(Dialog&)> act) {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            act(*dialog);
        }
    });
    poll->start(10);
}

bool is_link_colour(QRgb pixel) {
    constexpr QRgb mask = 0xF0F0F0;
    return (pixel & mask) == (screen_properties().screen_green.rgb() & mask);
}

// The first link-coloured pixel of the image from the top, left to right.
std::optional<QPoint> first_link_pixel(const QImage& image, int from_y = 0) {
    for (int y = std::max(from_y, 0); y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (is_link_colour(image.pixel(x, y)))
                return QPoint(x, y);
    return std::nullopt;
}

void press_mouse(QWidget& widget, QPoint at) {
    QMouseEvent event(QEvent::MouseButtonPress, at, widget.mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &event);
}

// A line of the display as the test compares it.
struct ShownLine {
    LineKind kind;
    std::string text;
    bool operator==(const ShownLine&) const = default;
};

std::vector<ShownLine> shown_lines(TShowForm& surface) {
    std::vector<ShownLine> lines;
    for (const SHST_TShowString& line : surface.display().lines())
        lines.push_back({line.kind, line.text});
    return lines;
}

std::ptrdiff_t current_position(TShowForm& surface) {
    TShowStrings& display = surface.display();
    return std::distance(display.lines().begin(), *display.current_line);
}

} // namespace

class Dialogs : public SampleDiscWindows {
protected:
    TChildForm& open_window() {
        TChildForm& window = open_main_window();
        paint(window);
        return window;
    }
    static void key(TChildForm& window, int key) {
        QTest::keyClick(&window.surface(), static_cast<Qt::Key>(key));
        paint(window);
    }
    static std::string current_text(TChildForm& window) {
        return (*window.surface().display().current_line)->text;
    }
};

TEST_F(Dialogs, NameOptionsAlwaysShowANameAndCancelPutsTheWindowBack) {
    TChildForm& window = open_window();
    EXPECT_TRUE(window.findChild<QAction*>("names_menu_item")->isVisible());
    TShowForm& surface = window.surface();
    key(window, Qt::Key_Return); // unfolds the first family
    key(window, Qt::Key_Down);
    key(window, Qt::Key_Down);
    const std::vector<ShownLine> before = shown_lines(surface);
    const std::ptrdiff_t current = current_position(surface);
    const std::string current_name = current_text(window);
    const std::uint32_t opening = surface.display().options().name_options();

    std::uint32_t previewed = 0;
    on_next_dialog<TNameOptionsDialog>([&](TNameOptionsDialog& dialog) {
        EXPECT_TRUE(dialog.OtherLanguageCheckbox->isChecked());
        EXPECT_TRUE(dialog.ScientificCheckbox->isChecked());
        dialog.ScientificMainRadioButton->click();
        dialog.OtherLanguageCheckbox->click();
        // Unchecking the only name shown brings the other back, first.
        dialog.ScientificCheckbox->click();
        EXPECT_TRUE(dialog.OtherLanguageCheckbox->isChecked());
        EXPECT_TRUE(dialog.OtherLanguageMainRadioButton->isChecked());
        previewed = surface.display().options().name_options();
        dialog.CancelBtn->click();
    });
    window.choose_names();
    EXPECT_EQ(previewed, pack_name_options(false, true, 2)) << "applied while the dialog is open";
    EXPECT_EQ(surface.display().options().name_options(), opening);
    EXPECT_EQ(shown_lines(surface), before);
    EXPECT_EQ(current_position(surface), current);
    EXPECT_EQ(current_text(window), current_name);

    on_next_dialog<TNameOptionsDialog>([](TNameOptionsDialog& dialog) {
        dialog.OtherLanguageCheckbox->click();
        dialog.OKBtn->click();
    });
    window.choose_names();
    EXPECT_EQ(surface.display().options().name_options(), pack_name_options(true, false, 1));
}

TEST_F(Dialogs, TextSizeRebuildsEveryWindowAndIgnoresWhatIsNoNumber) {
    TChildForm& window = open_window();
    TChildForm* second = window.open_new_window();
    paint(*second);
    key(window, Qt::Key_Return);
    key(*second, Qt::Key_Return);
    ASSERT_FALSE(window.surface().state_for_saving().unfolded_families.empty());

    on_next_dialog<TTextSizeDialog>([](TTextSizeDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Text Size");
        EXPECT_EQ(dialog.edit_control->value(), 15);
        dialog.edit_control->selectAll();
        QTest::keyClick(dialog.edit_control, Qt::Key_Backspace);
        QTest::keyClicks(dialog.edit_control, "big");
        dialog.OKBtn->click();
    });
    window.choose_text_size();
    EXPECT_EQ(display_fonts().base_height(), 15);
    for (TChildForm* each : {&window, second})
        EXPECT_TRUE(each->surface().state_for_saving().unfolded_families.empty())
            << "rebuilt on OK all the same";

    const int old_line_height = second->surface().display().line_height();
    on_next_dialog<TTextSizeDialog>([](TTextSizeDialog& dialog) {
        dialog.edit_control->selectAll();
        QTest::keyClicks(dialog.edit_control, "22");
        dialog.OKBtn->click();
    });
    window.choose_text_size();
    EXPECT_EQ(display_fonts().base_height(), 22);
    EXPECT_EQ(second->surface().display().line_height(),
              line_height(text_measurer(), display_fonts()));
    EXPECT_GT(second->surface().display().line_height(), old_line_height);
}

TEST_F(Dialogs, FindFromTheTopThenFindAgainContinues) {
    TChildForm& window = open_window();
    on_next_dialog<TFindInShowStringsDialog>([](TFindInShowStringsDialog& dialog) {
        EXPECT_TRUE(dialog.CheckBox_search_from_top->isChecked());
        QTest::keyClicks(dialog.Edit_control, "duck");
        dialog.OKBtn->click();
    });
    window.find();
    // The first family's own name ("Ducks, Geese and Swans") is not a hit from the top.
    EXPECT_EQ(current_text(window), "Lesser Whistling Duck");
    window.find_again();
    EXPECT_EQ(current_text(window), "Mandarin Duck");

    on_next_dialog<TFindInShowStringsDialog>([](TFindInShowStringsDialog& dialog) {
        EXPECT_EQ(dialog.Edit_control->selectedText(), "duck");
        dialog.CheckBox_search_from_top->click();
        dialog.OKBtn->click();
    });
    window.find();
    EXPECT_EQ(current_text(window), "White-winged Duck");
    EXPECT_TRUE(responder_.responder.requests.empty());
}

TEST_F(Dialogs, RecordistAndThreatStatusOpenTheirPopUpsUntilTheNextClickOrKey) {
    TChildForm& window = open_window();
    TShowForm& surface = window.surface();
    // Family 1, its first species, its first recording's details.
    for (int k :
         {Qt::Key_Return, Qt::Key_Down, Qt::Key_Return, Qt::Key_Down, Qt::Key_Down, Qt::Key_Return})
        key(window, k);
    const Tcutpart* recording = nullptr;
    int recordist_top = 0;
    for (const SHST_TShowString& line : surface.display().lines()) {
        if (line.kind == lkRecordistLine) {
            recordist_top = line.drawn_y - surface.scroll_position();
            break;
        }
        if (line.kind == lkSoundBar && line.sound_bar && !recording)
            recording = line.sound_bar->item->cut_part;
    }
    ASSERT_NE(recording, nullptr);
    ASSERT_NE(recording->recordist, nullptr);
    const std::optional<QPoint> underline = first_link_pixel(surface.back_buffer(), recordist_top);
    ASSERT_TRUE(underline.has_value());
    press_mouse(*surface.viewport(), *underline + QPoint(2, -4));
    ASSERT_NE(window.person_form(), nullptr);
    EXPECT_TRUE(window.person_form()->isVisible());
    EXPECT_EQ(window.person_form()->person_key(), recording->recordist->key);
    key(window, Qt::Key_Up);
    EXPECT_FALSE(window.person_form()->isVisible());

    // The first threatened species of the family: its status is a link.
    for (SHST_TShowString& line : surface.display().lines()) {
        if (line.kind != lkThreatStatus)
            continue;
        surface.scroll_to(line.drawn_y - 20);
        paint(window);
        const std::optional<QPoint> status =
            first_link_pixel(surface.back_buffer(), line.drawn_y - surface.scroll_position());
        ASSERT_TRUE(status.has_value());
        press_mouse(*surface.viewport(), *status + QPoint(2, -4));
        break;
    }
    ASSERT_NE(window.threat_explanation_form(), nullptr);
    EXPECT_TRUE(window.threat_explanation_form()->isVisible());
    press_mouse(*surface.viewport(), QPoint(5, 5));
    EXPECT_FALSE(window.threat_explanation_form()->isVisible());
}

TEST_F(Dialogs, PersonPopUpSizesToItsTexts) {
    QWidget owner;
    owner.resize(800, 600);
    owner.show();
    TPersonForm form(program_context(), &owner);
    const int h = line_height(text_measurer(), display_fonts());

    const Tperson nameless{"T. Brannick", "", ""};
    form.ShowPerson(owner.mapToGlobal(QPoint(20, 20)), nameless, false);
    EXPECT_EQ(form.height(), static_cast<int>(std::lround(1.5 * h))) << "the title line only";
    EXPECT_LT(form.width(), 300);
    // Nothing is drawn below the title but the frame.
    const QImage drawn = form.grab().toImage();
    for (int y = h + 5; y < drawn.height() - 1; ++y)
        for (int x = 1; x < drawn.width() - 1; ++x)
            ASSERT_EQ(drawn.pixel(x, y), drawn.pixel(1, drawn.height() - 2)) << x << "," << y;

    const Tperson talkative{"H. Kestowe", "Hollis Kestowe",
                            "Recordist in southern India and Sri Lanka, mostly of the birds of "
                            "the wet hill forests, at dawn and in the monsoon"};
    form.ShowPerson(owner.mapToGlobal(QPoint(700, 560)), talkative, true);
    EXPECT_EQ(form.width(), 400);
    EXPECT_EQ(form.text_lines(1), 1);
    EXPECT_GT(form.text_lines(2), 1);
    EXPECT_EQ(form.height(), static_cast<int>(std::lround((1 + 1 + form.text_lines(2) + 0.5) * h)));
    // Moved left and up to stay inside the owner.
    const QRect owner_area(owner.mapToGlobal(QPoint(0, 0)), owner.size());
    EXPECT_LE(form.geometry().right(), owner_area.right() - 5 + 1);
    EXPECT_LE(form.geometry().bottom(), owner_area.bottom() - 5 + 1);
}

TEST_F(Dialogs, ThreatExplanationLinkIsHitAFewPixelsAboveItsUnderline) {
    QWidget owner;
    owner.resize(800, 600);
    owner.show();
    std::vector<std::string> opened;
    TThreatenedStatusExplicationForm form(
        program_context(), [&](const std::string& address) { opened.push_back(address); }, &owner);
    form.ShowThreatExplanation(owner.mapToGlobal(QPoint(10, 10)),
                               {"Vulnerable", "Critically Endangered", "Endangered"});
    EXPECT_EQ(form.width(), 300);
    EXPECT_GT(form.line_count(), 9);
    const std::optional<QPoint> underline = first_link_pixel(form.canvas());
    ASSERT_TRUE(underline.has_value());
    // Beyond a font's height above the line, then just above it.
    press_mouse(form, *underline + QPoint(2, -form.fontMetrics().height() - 2));
    EXPECT_TRUE(opened.empty());
    press_mouse(form, *underline + QPoint(0, -5));
    EXPECT_EQ(opened, std::vector<std::string>{"https://www.iucnredlist.org/"});
}

TEST_F(Dialogs, AboutCreditsOpenThePersonAndTheMakersAddress) {
    ensure_program_resources();
    std::vector<std::string> opened;
    TAboutForm about(*pemmaro::data(), program_context(), {},
                     [&](const std::string& address) { opened.push_back(address); });
    about.show();
    EXPECT_EQ(about.windowTitle().toStdString(),
              product().product_title + " " + text("KZ_ABOUT", 1));
    std::vector<std::string> named;
    for (const TAboutForm::ClickableRow& row : about.clickable_rows())
        named.push_back(row.person->key);
    for (const char* recordist : {"K. Orvin", "A. Vandrel", "S. Quillon"})
        EXPECT_NE(std::find(named.begin(), named.end(), recordist), named.end()) << recordist;

    const TAboutForm::ClickableRow& first = about.clickable_rows().front();
    const std::optional<QPoint> link = first_link_pixel(about.canvas(), first.first);
    ASSERT_TRUE(link.has_value());
    press_mouse(about, *link + QPoint(1, -4));
    ASSERT_NE(about.shown_person_form(), nullptr);
    EXPECT_EQ(about.shown_person_form()->person_key(), first.person->key);
    EXPECT_TRUE(opened.empty());

    // The last underline is the maker's address.
    std::optional<QPoint> last;
    for (std::optional<QPoint> at = first_link_pixel(about.canvas()); at;
         at = first_link_pixel(about.canvas(), at->y() + 1))
        last = at;
    press_mouse(about, *last + QPoint(1, -4));
    EXPECT_EQ(about.shown_person_form(), nullptr);
    EXPECT_EQ(opened, std::vector<std::string>{"https://www.pemmaro.example/"});

    bool closed = false;
    QObject::connect(&about, &TAboutForm::closed, [&] { closed = true; });
    QTest::keyClick(&about, Qt::Key_Escape);
    EXPECT_TRUE(closed);
}

class Introduction : public Dialogs {
protected:
    bool show_introduction() const override { return true; }
};

TEST_F(Introduction, ShowsOnceAfterStartUpAndAnyKeyClosesIt) {
    ensure_program_resources();
    TChildForm& window = open_window();
    EXPECT_TRUE(window.findChild<QAction*>("show_intro_form_menu_item")->isChecked());
    QPointer<TIntroductionForm> intro;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        intro = window.findChild<TIntroductionForm*>();
        return intro && intro->isVisible();
    }));
    EXPECT_EQ(intro->size(), QSize(630, 465));
    // The picture lies under the title at (5, 65).
    const QImage drawn = intro->grab().toImage();
    EXPECT_NE(drawn.pixel(300, 200), qRgb(255, 255, 255));
    EXPECT_EQ(drawn.pixel(300, 62), qRgb(255, 255, 255));
    QTest::keyClick(intro, Qt::Key_Shift);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(intro.isNull());
    TChildForm* second = window.open_new_window();
    QTest::qWait(250);
    EXPECT_EQ(second->findChild<TIntroductionForm*>(), nullptr);
    EXPECT_EQ(window.findChild<TIntroductionForm*>(), nullptr) << "once";
}
