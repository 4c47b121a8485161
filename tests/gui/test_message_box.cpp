// The message box a request becomes: caption, text, buttons and the button
// that Enter presses.

#include "ProgramState.h"
#include "TestContext.h"
#include "TestSupport.h"
#include "common/LanguageTexts.h"
#include "common/SettingsFile.h"
#include "data/DataFileReader.h"
#include "platform/MessageBoxResponder.h"

#include <QApplication>
#include <QCursor>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>
#include <optional>

namespace pemmaro {
namespace {

QMessageBox::StandardButton default_of(const QMessageBox& box) {
    return box.defaultButton() ? box.standardButton(box.defaultButton()) : QMessageBox::NoButton;
}

TEST(MessageBoxes, ShowTheRequestWithItsButtonsAndDefault) {
    MessageRequest request{"Caption", "Play anyway?", MessageIcon::question,
                           MessageButtons::ok_cancel};
    auto box = make_message_box(request);
    EXPECT_EQ(box->windowTitle(), "Caption");
    EXPECT_EQ(box->text(), "Play anyway?");
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_NE(default_of(*box), QMessageBox::Cancel) << "Qt's own choice stands for the first";

    struct Case {
        MessageButtons buttons;
        QMessageBox::StandardButton second;
    };
    for (Case c : {Case{MessageButtons::ok_cancel, QMessageBox::Cancel},
                   Case{MessageButtons::yes_no, QMessageBox::No},
                   Case{MessageButtons::yes_no_cancel, QMessageBox::No}}) {
        request.buttons = c.buttons;
        request.default_button = MessageDefault::second;
        EXPECT_EQ(default_of(*make_message_box(request)), c.second);
    }
}

TEST(MessageBoxes, ShowTheArrowEvenWhileTheProgramIsBusy) {
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    std::optional<Qt::CursorShape> over_the_box;
    QTimer::singleShot(0, [&] {
        over_the_box = QGuiApplication::overrideCursor()->shape();
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->done(QMessageBox::Ok);
    });
    MessageBoxResponder boxes;
    EXPECT_EQ(boxes.respond({"Pemmaro", "Error occured with a subspecies", MessageIcon::error}),
              MessageAnswer::ok);
    EXPECT_EQ(over_the_box, Qt::ArrowCursor);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QGuiApplication::restoreOverrideCursor();
}

// What the boxes of the real message path show.
class ShownBoxes : public MessageResponder {
public:
    ShownBoxes() { set_message_responder(this); }
    ~ShownBoxes() override { set_message_responder(nullptr); }
    ShownBoxes(const ShownBoxes&) = delete;
    ShownBoxes& operator=(const ShownBoxes&) = delete;

    MessageAnswer respond(const MessageRequest& request) override {
        texts.push_back(make_message_box(request)->text());
        return safe_answer(request.buttons);
    }

    std::vector<QString> texts;
};

// Language texts are Windows-1252; file names are the system's (UTF-8).
TEST(MessageBoxes, PathsAndLanguageTextsEachKeepTheirOwnEncoding) {
    test::TempDir home;
    const std::string folder = home.file("j\xc3\xbcrgen/");
    test::write_file(folder + "keep", "");
    const QString shown_folder = QString::fromStdString(home.path()) + QString::fromUtf8("jürgen/");
    ShownBoxes boxes;

    {
        const test::ScopedProgramState program_state;
        settings_file().path = folder + "Pemmaro.ini";
        check_settings_file();
    }
    {
        test::TestContext context;
        context.texts = Ttextfile_handler("$[KZ_DATA]\r\nFehler \xe0 \r\n beim Lesen von \r\n");
        test::ScopedCurrentDirectory inside(folder);
        test::ScopedFatalThrows throws;
        TDataFileReader reader(context);
        std::vector<std::string> lines;
        EXPECT_THROW(reader.read_section("taxa.txt", "FAMILIES", 9, lines, open_file),
                     test::FatalError);
    }

    ASSERT_EQ(boxes.texts.size(), 2u);
    EXPECT_EQ(boxes.texts[0], "There is a problem with the file " + shown_folder + "Pemmaro.ini");
    EXPECT_EQ(boxes.texts[1],
              QString::fromUtf8("Fehler à 2 beim Lesen von ") + shown_folder + "taxa.txt");
}

} // namespace
} // namespace pemmaro
