#pragma once
// Message boxes and fatal errors. Every text is also written to standard error.
// The user interface installs a responder that shows a real box; tests install
// one that records each message and answers it. Without a responder the safe
// answer is given (OK, Cancel or No).

#include "platform/MessageText.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace pemmaro {

enum class MessageIcon { none, error, warning, information, question };
enum class MessageButtons { ok, ok_cancel, yes_no, yes_no_cancel };
enum class MessageAnswer { ok, cancel, yes, no };
// The button that Enter presses: the first (OK or Yes) or the second.
enum class MessageDefault { first, second };

// Caption and text as the user reads them, in UTF-8.
struct MessageRequest {
    std::string caption;
    std::string text;
    MessageIcon icon = MessageIcon::none;
    MessageButtons buttons = MessageButtons::ok;
    MessageDefault default_button = MessageDefault::first;
};

class MessageResponder {
public:
    virtual ~MessageResponder() = default;
    // Called on the user-interface thread, or on a thread that has no carrier
    // to it (platform/UserThread.h); implementations that show windows must
    // take such a call to the user-interface thread.
    virtual MessageAnswer respond(const MessageRequest& request) = 0;
};

// Non-owning; the responder must outlive its installation. nullptr restores the default.
void set_message_responder(MessageResponder* responder);
MessageResponder* message_responder();

// The caption of every message box (Windows-1252): the language file's caption
// at first, the product title once the product is known.
const std::string& message_caption();
void set_message_caption(std::string caption);

MessageAnswer message(const MessageText& text, MessageIcon icon = MessageIcon::none,
                      MessageButtons buttons = MessageButtons::ok,
                      MessageDefault default_button = MessageDefault::first);
MessageAnswer message_with_caption(const MessageText& caption, const MessageText& text,
                                   MessageIcon icon = MessageIcon::none,
                                   MessageButtons buttons = MessageButtons::ok,
                                   MessageDefault default_button = MessageDefault::first);

// The message with the error icon, then the end of the program with exit code 1.
// On a worker that waits for the user (platform/UserThread.h) it throws
// WorkerFatalError instead, for the user-interface thread to report with fatal().
[[noreturn]] void fatal(const MessageText& text);
struct WorkerFatalError {
    MessageText text;
};
// Test seam: replaces the exit; the handler, given the text in UTF-8, must not
// return (throw instead).
void set_fatal_handler(std::function<void(const std::string&)> handler);

// Collects messages and answers them from a queue (default: the safe answer).
class RecordingResponder : public MessageResponder {
public:
    MessageAnswer respond(const MessageRequest& request) override;
    std::vector<MessageRequest> requests;
    std::vector<MessageAnswer> answers; // given in order, then the safe answer
};

MessageAnswer safe_answer(MessageButtons buttons);

} // namespace pemmaro
