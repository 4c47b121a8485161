#include "SampleDiscWindows.h"
#include "browse/BrowsingWindow.h"
#include "common/LanguageTexts.h"
#include "common/PlayListSettings.h"
#include "data/DataSet.h"
#include "sound/PlayListFile.h"
#include "sound/PlayListWindow.h"
#include "sound/SoundBarDrag.h"

#include <QAction>
#include <QDropEvent>
#include <QMimeData>
#include <QTableWidget>

using namespace pemmaro;
using namespace pemmaro::test;

namespace {

class PlayListWindow : public SampleDiscWindows {
protected:
    // The program's play list window, with file dialogs that answer from the test.
    std::unique_ptr<TPlayListForm> make_form() {
        PlayListServices services = play_list_services();
        services.choose_file_to_open = [this](QWidget*, const std::string&) {
            ++dialogs_;
            return open_path_;
        };
        services.choose_file_to_save = [this](QWidget*, const std::string&) {
            ++dialogs_;
            return save_path_;
        };
        auto form = std::make_unique<TPlayListForm>(services);
        // Drops reach only a window that is shown.
        form->show();
        return form;
    }

    // The first two shown recordings of the first species that has two.
    static std::pair<TPlayListInfo, TPlayListInfo> two_recordings() {
        for (Tspecies& species : data()->species_store) {
            Tcupaitem* first = species.first_recording_item;
            if (first && first->flag_p && first->next_item_of_species &&
                first->next_item_of_species->flag_p)
                return {{first, 1, 1}, {first->next_item_of_species, 2, 1}};
        }
        throw std::runtime_error("no species with two recordings");
    }

    // The drop of a sound bar's recording on the grid.
    static void drop(TPlayListForm& form, const TPlayListInfo& info) {
        QMimeData mime;
        mime.setData(recording_mime_type,
                     QByteArray::fromStdString(
                         std::to_string(info.recording_item->species->unique_id) + "," +
                         cut_part_reference_code(*info.recording_item->cut_part) + "," +
                         std::to_string(info.number)));
        QWidget* viewport = form.grid()->viewport();
        QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &mime, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent event(QPointF(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &event);
    }

    std::vector<std::string> questions() const {
        std::vector<std::string> texts;
        for (const MessageRequest& request : responder_.responder.requests)
            if (request.buttons == MessageButtons::yes_no_cancel)
                texts.push_back(request.text);
        return texts;
    }
    // The answers to the next questions (the responder answers by the message's index).
    void answer(std::initializer_list<MessageAnswer> answers) {
        RecordingResponder& responder = responder_.responder;
        responder.answers.resize(responder.requests.size(), MessageAnswer::ok);
        responder.answers.insert(responder.answers.end(), answers);
    }

    int dialogs_ = 0;
    std::optional<std::string> open_path_;
    std::optional<std::string> save_path_;
};

} // namespace

TEST_F(PlayListWindow, DropsEditsAndTheUnsavedChangesQuestion) {
    const auto [first, second] = two_recordings();
    std::unique_ptr<TPlayListForm> form = make_form();
    EXPECT_EQ(form->windowTitle().toStdString(), "Play List: Untitled");
    drop(*form, first);
    drop(*form, second);
    ASSERT_EQ(form->list().row_count(), 2);
    EXPECT_EQ(form->list().row(2)->recording_item, second.recording_item);
    EXPECT_TRUE(form->grid()->item(1, 0)->text().endsWith(" 2"));
    EXPECT_TRUE(form->modified());

    // New and Open, cancelled at the question: nothing happens.
    answer({MessageAnswer::cancel, MessageAnswer::cancel});
    form->new_list();
    form->open_list();
    EXPECT_EQ(form->list().row_count(), 2);
    EXPECT_EQ(dialogs_, 0);
    const std::string question = text(play_lists::save_changes_before_name) + "Untitled" +
                                 text(play_lists::save_changes_after_name);
    EXPECT_EQ(questions(), (std::vector<std::string>{question, question}));

    // Yes, but the save dialog is cancelled: the changes stay.
    answer({MessageAnswer::yes});
    form->new_list();
    EXPECT_EQ(form->list().row_count(), 2);
    EXPECT_TRUE(form->modified());

    // Saved as a name without extension; then a deletion is a change to be
    // asked about too, and No lets it go.
    save_path_ = folder_.file("calls");
    ASSERT_TRUE(form->save_as());
    EXPECT_EQ(form->file_path(), folder_.file("calls.pl"));
    EXPECT_EQ(form->windowTitle().toStdString(), "Play List: calls");
    EXPECT_FALSE(form->modified());
    form->grid()->setFocus();
    QTest::keyClick(form->grid(), Qt::Key_Delete);
    EXPECT_EQ(form->list().row_count(), 1);
    EXPECT_TRUE(form->modified());
    answer({MessageAnswer::no});
    form->new_list();
    EXPECT_FALSE(form->list().has_recordings());
    EXPECT_FALSE(form->modified());
    EXPECT_TRUE(form->unnamed());

    // The saved file still holds both rows, and opens again from the recent files.
    const auto* recent = form->findChild<QAction*>("previous_file_1");
    ASSERT_NE(recent, nullptr);
    EXPECT_EQ(recent->text(), "&1 calls");
    const_cast<QAction*>(recent)->trigger();
    EXPECT_EQ(form->list().row_count(), 2);
    EXPECT_EQ(form->windowTitle().toStdString(), "Play List: calls");
}

TEST_F(PlayListWindow, TheProgramEndsOnlyAsTheUserSays) {
    const auto [first, second] = two_recordings();
    std::unique_ptr<TPlayListForm> form = make_form();
    TChildForm& main = open_main_window();
    drop(*form, first);
    save_path_ = folder_.file("kept.pl");
    ASSERT_TRUE(form->save_as());
    drop(*form, second);

    answer({MessageAnswer::cancel});
    EXPECT_FALSE(main.close());
    EXPECT_TRUE(main.isVisible());
    EXPECT_EQ(questions().size(), 1u);

    // No: the program ends, and the play list closes with it without asking again.
    answer({MessageAnswer::no});
    EXPECT_TRUE(main.close());
    EXPECT_TRUE(form->close());
    EXPECT_EQ(questions().size(), 2u);

    // The next start loads the list the program had, under the file's name.
    form.reset();
    EXPECT_EQ(setting(play_list_settings::section, play_list_settings::current),
              folder_.file("kept.pl"));
    std::unique_ptr<TPlayListForm> next = make_form();
    EXPECT_EQ(next->windowTitle().toStdString(), "Play List: kept");
    EXPECT_EQ(next->list().row_count(), 1);
    EXPECT_EQ(next->list().row(1)->recording_item, first.recording_item);
    EXPECT_FALSE(next->modified());

    // A damaged file is reported and leaves the list as it was.
    write_file(folder_.file("damaged.pl"), "[GENERAL]\r\nCDROM=something else\r\n");
    EXPECT_FALSE(next->open_file(folder_.file("damaged.pl")));
    EXPECT_EQ(next->windowTitle().toStdString(), "Play List: kept");
    EXPECT_EQ(next->list().row(1)->recording_item, first.recording_item);
    EXPECT_EQ(responder_.responder.requests.back().text, text(play_lists::damaged_file));
}

TEST_F(PlayListWindow, PlayOpensAShowWindowWhoseClosingStopsTheList) {
    TChildForm& main = open_main_window();
    auto form = make_form();
    const auto [first, second] = two_recordings();
    form->add_recording(first);
    form->add_recording(second);
    const auto show_windows = [&main] {
        std::vector<TChildForm*> windows;
        for (TChildForm* child : main.findChildren<TChildForm*>())
            if (child->show_window())
                windows.push_back(child);
        return windows;
    };

    form->play_or_stop();
    settle();
    ASSERT_EQ(show_windows().size(), 1u);
    QPointer<TChildForm> show = show_windows().front();
    EXPECT_TRUE(show->show_handler()->is_play_list());
    EXPECT_TRUE(form->playing());
    show->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(show.isNull());
    EXPECT_FALSE(form->playing()) << "the closed window ends the list's playing";

    // Stop closes the window that plays.
    form->play_or_stop();
    settle();
    ASSERT_EQ(show_windows().size(), 1u);
    show = show_windows().front();
    form->play_or_stop();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(show.isNull());
    EXPECT_FALSE(form->playing());
}
