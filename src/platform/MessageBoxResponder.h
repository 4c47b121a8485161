#pragma once
// Shows messages as QMessageBox windows. Calls from other threads are carried
// to the user-interface thread and wait there for the answer.

#include "platform/Messages.h"

#include <QMessageBox>
#include <memory>

namespace pemmaro {

class MessageBoxResponder : public MessageResponder {
public:
    MessageAnswer respond(const MessageRequest& request) override;
};

// The box that shows the request, not yet shown.
std::unique_ptr<QMessageBox> make_message_box(const MessageRequest& request);

// A message box cannot be answered on the offscreen and minimal platforms;
// there messages only go to standard error with the safe answer.
bool can_show_message_boxes();

} // namespace pemmaro
