#pragma once
// Shows messages as QMessageBox windows. Calls from other threads are carried
// to the user-interface thread and wait there for the answer.

#include "platform/Messages.h"

namespace pemmaro {

class MessageBoxResponder : public MessageResponder {
public:
    MessageAnswer respond(const MessageRequest& request) override;
};

// A message box cannot be answered on the offscreen and minimal platforms;
// there messages only go to standard error with the safe answer.
bool can_show_message_boxes();

} // namespace pemmaro
