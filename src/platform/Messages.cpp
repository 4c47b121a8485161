#include "platform/Messages.h"

#include "platform/Log.h"
#include "platform/ProcessEnd.h"
#include "platform/UserThread.h"

#include <cstdlib>
#include <mutex>

namespace pemmaro {

namespace {

struct MessageState {
    std::mutex mutex;
    MessageResponder* responder = nullptr;
    std::string caption = "Pemmaro"; // until the language texts give one
    std::function<void(const std::string&)> fatal_handler;
};

MessageState& state() {
    static MessageState instance;
    return instance;
}

// Messages are part of the program's record on standard error even where no
// box can be seen.
void write_to_standard_error(const MessageRequest& request) {
    log_line(request.caption + ": " + request.text);
}

} // namespace

MessageAnswer safe_answer(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::ok:
        return MessageAnswer::ok;
    case MessageButtons::yes_no:
        return MessageAnswer::no;
    case MessageButtons::ok_cancel:
    case MessageButtons::yes_no_cancel:
        return MessageAnswer::cancel;
    }
    return MessageAnswer::cancel;
}

void set_message_responder(MessageResponder* responder) {
    std::lock_guard lock(state().mutex);
    state().responder = responder;
}

MessageResponder* message_responder() {
    std::lock_guard lock(state().mutex);
    return state().responder;
}

const std::string& message_caption() {
    return state().caption;
}

void set_message_caption(std::string caption) {
    std::lock_guard lock(state().mutex);
    state().caption = std::move(caption);
}

MessageAnswer message_with_caption(const MessageText& caption, const MessageText& text,
                                   MessageIcon icon, MessageButtons buttons,
                                   MessageDefault default_button) {
    MessageRequest request{caption.to_utf8(), text.to_utf8(), icon, buttons, default_button};
    write_to_standard_error(request);
    MessageAnswer answer = safe_answer(buttons);
    run_on_user_thread([&] {
        if (MessageResponder* responder = message_responder())
            answer = responder->respond(request);
    });
    return answer;
}

MessageAnswer message(const MessageText& text, MessageIcon icon, MessageButtons buttons,
                      MessageDefault default_button) {
    std::string caption;
    {
        std::lock_guard lock(state().mutex);
        caption = state().caption;
    }
    return message_with_caption(caption, text, icon, buttons, default_button);
}

void fatal(const MessageText& text) {
    if (has_user_thread_carrier())
        throw WorkerFatalError{text};
    message(text, MessageIcon::error);
    std::function<void(const std::string&)> handler;
    {
        std::lock_guard lock(state().mutex);
        handler = state().fatal_handler;
    }
    if (handler)
        handler(text.to_utf8());
    end_process(1);
}

void set_fatal_handler(std::function<void(const std::string&)> handler) {
    std::lock_guard lock(state().mutex);
    state().fatal_handler = std::move(handler);
}

MessageAnswer RecordingResponder::respond(const MessageRequest& request) {
    requests.push_back(request);
    std::size_t index = requests.size() - 1;
    return index < answers.size() ? answers[index] : safe_answer(request.buttons);
}

} // namespace pemmaro
