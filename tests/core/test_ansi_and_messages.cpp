#include "TestSupport.h"
#include "platform/Ansi.h"
#include "platform/Log.h"
#include "platform/Messages.h"
#include "platform/ProcessEnd.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace pemmaro;
using namespace pemmaro::test;

TEST(AnsiText, Windows1252RoundTripsThroughQString) {
    std::string all;
    for (int byte = 1; byte < 256; ++byte)
        all.push_back(static_cast<char>(byte));
    EXPECT_EQ(to_ansi(to_qstring(all)), all);
    EXPECT_EQ(to_qstring("\x80\x96\xe9"), QString::fromUtf8("€–é"));
    EXPECT_EQ(to_ansi(QString::fromUtf8("漢")), "?");
}

TEST(AnsiText, CaseAndBlanks) {
    EXPECT_TRUE(same_text("General", "GENERAL"));
    EXPECT_FALSE(same_text("General", "GENERALS"));
    EXPECT_EQ(upper_case("kz_globs\xe9"), "KZ_GLOBS\xe9");
    EXPECT_EQ(trim_blanks(" \t value \t"), "value");
}

TEST(Messages, CaptionTextIconAndButtonsReachTheResponder) {
    ScopedResponder responder;
    responder.responder.answers = {MessageAnswer::yes};
    set_message_caption("Birds of Solvara");
    EXPECT_EQ(message("Delete?", MessageIcon::question, MessageButtons::yes_no),
              MessageAnswer::yes);
    EXPECT_EQ(message("Again?", MessageIcon::question, MessageButtons::yes_no), MessageAnswer::no);
    ASSERT_EQ(responder.responder.requests.size(), 2u);
    EXPECT_EQ(responder.responder.requests[0].caption, "Birds of Solvara");
    EXPECT_EQ(responder.responder.requests[0].text, "Delete?");
    EXPECT_EQ(responder.responder.requests[0].buttons, MessageButtons::yes_no);
    set_message_caption("Pemmaro");
}

TEST(Messages, WithoutResponderTheSafeAnswerIsGiven) {
    EXPECT_EQ(message("x", MessageIcon::none, MessageButtons::yes_no), MessageAnswer::no);
    EXPECT_EQ(message("x", MessageIcon::none, MessageButtons::ok_cancel), MessageAnswer::cancel);
    EXPECT_EQ(message("x"), MessageAnswer::ok);
}

// The file a death test's child writes for its parent: the child is the test
// program started again, so it names the file by its parent's process id.
std::string file_for_parent(pid_t parent) {
    return std::filesystem::temp_directory_path().string() + "/pemmaro-end-process-" +
           std::to_string(parent);
}

TEST(ProcessEnd, BufferedOutputIsWrittenAndTheCodeKept) {
    // Exit handlers do not run, so nothing else would write what is buffered.
    const std::string path = file_for_parent(getpid());
    EXPECT_EXIT(
        {
            std::FILE* file = std::fopen(file_for_parent(getppid()).c_str(), "w");
            std::setvbuf(file, nullptr, _IOFBF, 4096);
            std::fputs("last words", file);
            end_process(7);
        },
        ::testing::ExitedWithCode(7), "");
    EXPECT_EQ(test::read_file(path), "last words");
    std::filesystem::remove(path);
}

TEST(Messages, FatalShowsTheErrorAndEndsWithExitCodeOne) {
    EXPECT_EXIT(
        {
            set_log_silenced(false);
            fatal("Data error");
        },
        ::testing::ExitedWithCode(1), "Data error");
    ScopedResponder responder;
    ScopedFatalThrows throws;
    EXPECT_THROW(fatal("Data error"), FatalError);
    ASSERT_EQ(responder.responder.requests.size(), 1u);
    EXPECT_EQ(responder.responder.requests[0].icon, MessageIcon::error);
}
