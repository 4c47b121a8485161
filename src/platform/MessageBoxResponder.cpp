#include "platform/MessageBoxResponder.h"

#include "platform/OverrideCursor.h"

#include <QApplication>
#include <QMessageBox>
#include <QMetaObject>
#include <QThread>
#include <optional>

namespace pemmaro {

namespace {

QMessageBox::Icon icon_of(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::error:
        return QMessageBox::Critical;
    case MessageIcon::warning:
        return QMessageBox::Warning;
    case MessageIcon::information:
        return QMessageBox::Information;
    case MessageIcon::question:
        return QMessageBox::Question;
    case MessageIcon::none:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons buttons_of(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::ok:
        return QMessageBox::Ok;
    case MessageButtons::ok_cancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::yes_no:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::yes_no_cancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButton second_button_of(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::ok:
        return QMessageBox::Ok;
    case MessageButtons::ok_cancel:
        return QMessageBox::Cancel;
    case MessageButtons::yes_no:
    case MessageButtons::yes_no_cancel:
        return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

MessageAnswer answer_of(int button, MessageButtons buttons) {
    switch (button) {
    case QMessageBox::Ok:
        return MessageAnswer::ok;
    case QMessageBox::Yes:
        return MessageAnswer::yes;
    case QMessageBox::No:
        return MessageAnswer::no;
    case QMessageBox::Cancel:
        return MessageAnswer::cancel;
    default:
        return safe_answer(buttons); // closed with the window's close button
    }
}

MessageAnswer show_box(const MessageRequest& request) {
    // A box waits for the user, also while the program is busy loading.
    std::optional<OverrideCursor> arrow;
    if (QGuiApplication::overrideCursor() != nullptr)
        arrow.emplace(Qt::ArrowCursor);
    return answer_of(make_message_box(request)->exec(), request.buttons);
}

} // namespace

std::unique_ptr<QMessageBox> make_message_box(const MessageRequest& request) {
    auto box = std::make_unique<QMessageBox>(
        icon_of(request.icon), QString::fromStdString(request.caption),
        QString::fromStdString(request.text), buttons_of(request.buttons));
    if (request.default_button == MessageDefault::second)
        box->setDefaultButton(second_button_of(request.buttons));
    return box;
}

bool can_show_message_boxes() {
    const QString platform = QGuiApplication::platformName();
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr &&
           platform != "offscreen" && platform != "minimal";
}

MessageAnswer MessageBoxResponder::respond(const MessageRequest& request) {
    QCoreApplication* application = QCoreApplication::instance();
    if (application == nullptr)
        return safe_answer(request.buttons);
    if (QThread::currentThread() == application->thread())
        return show_box(request);
    MessageAnswer answer = safe_answer(request.buttons);
    QMetaObject::invokeMethod(
        application, [&] { answer = show_box(request); }, Qt::BlockingQueuedConnection);
    return answer;
}

} // namespace pemmaro
