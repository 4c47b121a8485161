#include "SampleDiscWindows.h"
#include "browse/WindowCaption.h"
#include "common/LanguageTexts.h"
#include "data/DataSet.h"
#include "data/RecordingsAndPicturesList.h"
#include "maps_pictures/RecordingsAndPicturesListForm.h"
#include "platform/Ansi.h"

#include <QAction>
#include <QClipboard>
#include <QPlainTextEdit>

using namespace pemmaro;
using namespace pemmaro::test;

namespace {

// The clipboard as the test found it.
class ScopedClipboard {
public:
    ScopedClipboard()
        : before_(QGuiApplication::clipboard()->text()) {}
    ~ScopedClipboard() { QGuiApplication::clipboard()->setText(before_); }
    ScopedClipboard(const ScopedClipboard&) = delete;
    ScopedClipboard& operator=(const ScopedClipboard&) = delete;

private:
    QString before_;
};

std::string clipboard_text() {
    return to_ansi(QGuiApplication::clipboard()->text());
}

} // namespace

class WhatWasThat : public SampleDiscWindows {
protected:
    ScopedClipboard clipboard_;
};

TEST_F(WhatWasThat, TheMenuOpensTheWindowsListAndCopyTakesEveryLine) {
    TChildForm& window = open_main_window();
    QAction* what_was_that = window.findChild<QAction*>("what_was_that_menu_item");
    ASSERT_NE(what_was_that, nullptr);
    EXPECT_TRUE(what_was_that->isVisible());
    what_was_that->trigger();
    settle();
    auto* form = window.findChild<TRecordingsAndOrPicturesListForm*>();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->windowTitle(), "Pictures and Recordings Shown");
    QAction* copy = form->findChild<QAction*>("copy_to_clipboard_menu_item");
    ASSERT_NE(copy, nullptr);

    // An empty list copies an empty text.
    QGuiApplication::clipboard()->setText("left from before");
    copy->trigger();
    EXPECT_EQ(clipboard_text(), "");

    // The shows add while the window is open: it follows, in the window's names.
    const Tspecies& species = *pemmaro::data()->first_family[1]->first_species[1];
    const std::string title = species_window_caption(
        species, std::nullopt, window.surface().display().options().name_options(), textfile());
    window.pictures_list().AddRecording(species, 2);
    window.pictures_list().AddPictureAndRecording(species, 1, 3);
    const std::string expected =
        "1: Recording: " + title + " (2)\n2: Picture & Recording: " + title + " (1,3)";
    EXPECT_EQ(to_ansi(form->Memo->toPlainText()), expected);
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));
    QTest::keyClick(form->Memo, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard_text(), expected);
    EXPECT_FALSE(form->Memo->textCursor().hasSelection());

    // The same window again; Escape closes it; a rebuilt display starts anew.
    what_was_that->trigger();
    EXPECT_EQ(window.findChildren<TRecordingsAndOrPicturesListForm*>().size(), 1);
    QTest::keyClick(form->Memo, Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());
    window.findChild<QAction*>("show_threatened_statuses_menu_item")->trigger();
    EXPECT_EQ(window.pictures_list().Count(), 0);
    what_was_that->trigger();
    EXPECT_EQ(to_ansi(form->Memo->toPlainText()), "");
}
