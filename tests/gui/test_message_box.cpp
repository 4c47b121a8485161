// The message box a request becomes: caption, text, buttons and the button
// that Enter presses.

#include "platform/MessageBoxResponder.h"

#include <QPushButton>
#include <gtest/gtest.h>

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

} // namespace
} // namespace pemmaro
