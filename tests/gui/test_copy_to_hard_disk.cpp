// Copying the data folders to the hard disk from the browsing window, for a
// product that offers it, with a data folder that the drive test takes for a
// CD-ROM.

#include "SampleDiscWindows.h"
#include "common/BaseDirectory.h"
#include "common/LanguageTexts.h"
#include "common/Product.h"
#include "platform/Drives.h"
#include "platform/FileIO.h"
#include "tools/CopyToHardDisk.h"
#include "tools/MessageWhileCopyingForm.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace pemmaro;
using namespace pemmaro::test;

namespace {

namespace fs = std::filesystem;

ino_t inode_of(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

// A message responder that hands each question to the test.
class AnsweringResponder : public MessageResponder {
public:
    explicit AnsweringResponder(std::function<MessageAnswer(const MessageRequest&)> answer)
        : answer_(std::move(answer)) {
        set_message_responder(this);
    }
    ~AnsweringResponder() override { set_message_responder(nullptr); }
    MessageAnswer respond(const MessageRequest& request) override {
        requests.push_back(request);
        return answer_(request);
    }
    std::vector<MessageRequest> requests;

private:
    std::function<MessageAnswer(const MessageRequest&)> answer_;
};

// Named pipes stand for files that take their time on a slow disc: copying
// one waits until the test feeds it. Whatever is left is fed at the end.
class SlowFiles {
public:
    ~SlowFiles() {
        for (const std::string& path : paths_) {
            const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
        }
    }
    void make(const std::string& path) {
        ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
        paths_.push_back(path);
    }
    static void feed(const std::string& path) {
        std::thread writer([path] {
            const int fd = ::open(path.c_str(), O_WRONLY);
            if (fd >= 0) {
                static_cast<void>(::write(fd, "song", 4));
                ::close(fd);
            }
        });
        writer.join();
    }

private:
    std::vector<std::string> paths_;
};

class CopyToHardDisk : public SampleDiscWindows {
protected:
    void SetUp() override {
        SampleDiscWindows::SetUp();
        // An edition that offers the copy (the Solvara edition does not).
        product().product_code = 103;
        product().capabilities = capabilities_of(103);
        write_file(disc_.file("big_pict/PYCNONOT/10010101.JPG"), "picture");
        write_file(disc_.file("tapes/07/A05.WAV"), "first song");
        write_file(disc_.file("tapes/07/A06.WAV"), "second song");
        write_file(disc_.file("Voices/lang1/1001.wav"), "name");
        base_directory_state().base_directory = disc_.path();
        set_cd_rom_override(
            [this](const std::string& path) { return path.starts_with(disc_.path()); });
    }
    void TearDown() override {
        set_cd_rom_override(nullptr);
        set_file_fault(nullptr);
        SampleDiscWindows::TearDown();
    }

    // Opens the first window; the copy's folder chooser answers destination_.
    TChildForm& open_window() {
        BrowsingServices services = program_browsing_services();
        services.copy_to_hard_disk = [this](QWidget* window) {
            result_ = copy_data_to_hard_disk(
                window, [this](QWidget*, const std::string&) { return destination_; });
        };
        windows_.push_back(std::make_unique<TChildForm>(services));
        TChildForm& window = *windows_.back();
        window.initialise_as_main_window();
        window.show();
        settle();
        return window;
    }
    static void copy(TChildForm& window) {
        window.findChild<QAction*>("copy_to_HD_menu_item")->trigger();
    }
    std::string copied(const std::string& relative) const { return hard_disk_.file(relative); }

    TempDir disc_;
    TempDir hard_disk_;
    std::optional<std::string> destination_ = hard_disk_.path();
    std::optional<CopyCommandResult> result_;
};

} // namespace

TEST_F(CopyToHardDisk, CopiesFromTheCdRomAndSkipsWhatAnEarlierCopyHasAlready) {
    TChildForm& window = open_window();
    ASSERT_TRUE(window.findChild<QAction*>("copy_to_HD_menu_item")->isVisible());
    copy(window);
    ASSERT_EQ(result_, CopyCommandResult::succeeded);
    EXPECT_EQ(read_file(copied("tapes/07/A05.WAV")), "first song");
    EXPECT_EQ(read_file(copied("big_pict/PYCNONOT/10010101.JPG")), "picture");
    EXPECT_EQ(read_file(copied("Voices/lang1/1001.wav")), "name");
    EXPECT_FALSE(exists(copied("distmaps"))) << "a folder the disc lacks is skipped";
    EXPECT_EQ(base_directory(), hard_disk_.path());
    EXPECT_EQ(setting("GENERAL", "Base Directory"), hard_disk_.path());
    ASSERT_EQ(responder_.responder.requests.size(), 1u);
    EXPECT_EQ(responder_.responder.requests[0].text,
              "The data files have been copied to \"" + hard_disk_.path() +
                  "\" without errors.\nFrom now on Pemmaro takes its data from this folder.");
    EXPECT_EQ(responder_.responder.requests[0].icon, MessageIcon::information);

    // Running from the disc again, onto the complete copy: only the changed file goes.
    base_directory_state().base_directory = disc_.path();
    write_file(disc_.file("tapes/07/A06.WAV"), "second song, again");
    const ino_t song = inode_of(copied("tapes/07/A05.WAV"));
    const ino_t picture = inode_of(copied("big_pict/PYCNONOT/10010101.JPG"));
    copy(window);
    ASSERT_EQ(result_, CopyCommandResult::succeeded);
    EXPECT_EQ(read_file(copied("tapes/07/A06.WAV")), "second song, again");
    // A copied file is a new file: equal files keep theirs.
    EXPECT_EQ(inode_of(copied("tapes/07/A05.WAV")), song);
    EXPECT_EQ(inode_of(copied("big_pict/PYCNONOT/10010101.JPG")), picture);
}

TEST_F(CopyToHardDisk, IsRefusedOffACdRomIntoTheDataFolderAndCancelledWithTheChooser) {
    destination_.reset();
    TChildForm& window = open_window();
    copy(window);
    EXPECT_EQ(result_, CopyCommandResult::cancelled);
    EXPECT_TRUE(responder_.responder.requests.empty());

    // A copy into a folder of the data would copy itself again and again.
    fs::create_directories(disc_.file("tapes/copy"));
    destination_ = disc_.file("tapes/copy");
    copy(window);
    EXPECT_EQ(result_, CopyCommandResult::cancelled);
    ASSERT_EQ(responder_.responder.requests.size(), 1u);
    EXPECT_EQ(responder_.responder.requests[0].text, text(copy_to_hard_disk::inside_data_folder));
    EXPECT_TRUE(fs::is_empty(disc_.file("tapes/copy")));
    responder_.responder.requests.clear();

    set_cd_rom_override([](const std::string&) { return false; });
    copy(window);
    EXPECT_EQ(result_, CopyCommandResult::not_on_cd_rom);
    ASSERT_EQ(responder_.responder.requests.size(), 1u);
    EXPECT_EQ(responder_.responder.requests[0].text, text(copy_to_hard_disk::not_on_cd_rom));
    EXPECT_TRUE(fs::is_empty(hard_disk_.path()));
    EXPECT_EQ(base_directory(), disc_.path());
}

TEST_F(CopyToHardDisk, AFullDiskOrAReadOnlyFolderStopsWithTheFailureMessage) {
    TChildForm& window = open_window();
    const std::string failure = "Copying the data files to \"" + hard_disk_.path() +
                                "\" went wrong.\nPemmaro goes on taking its data from where it "
                                "found them before.";
    set_file_fault([](FileWrite operation, const std::string& path) {
        return operation == FileWrite::write && path.find("/tapes/") != std::string::npos ? ENOSPC
                                                                                          : 0;
    });
    copy(window);
    EXPECT_EQ(result_, CopyCommandResult::failed);
    ASSERT_FALSE(responder_.responder.requests.empty());
    EXPECT_EQ(responder_.responder.requests.back().text, failure);
    EXPECT_EQ(responder_.responder.requests.back().icon, MessageIcon::error);
    EXPECT_TRUE(exists(copied("big_pict/PYCNONOT/10010101.JPG")));
    EXPECT_TRUE(fs::is_empty(copied("tapes/07"))) << "no half file is left";
    EXPECT_FALSE(exists(copied("Voices"))) << "the copy stops at the error";
    EXPECT_EQ(base_directory(), disc_.path());

    responder_.responder.requests.clear();
    set_file_fault([](FileWrite, const std::string&) { return EROFS; });
    copy(window);
    EXPECT_EQ(result_, CopyCommandResult::failed);
    ASSERT_FALSE(responder_.responder.requests.empty());
    EXPECT_EQ(responder_.responder.requests.back().text, failure);
    EXPECT_EQ(base_directory(), disc_.path());
    EXPECT_EQ(setting("GENERAL", "Base Directory"), "<none>");
}

TEST_F(CopyToHardDisk, TheAbortQuestionHoldsTheCopyAtAFileBoundaryNoGoesOnYesStops) {
    SlowFiles slow;
    slow.make(disc_.file("tapes/07/A07.WAV"));
    write_file(disc_.file("tapes/07/A08.WAV"), "third song");
    slow.make(disc_.file("tapes/07/A09.WAV"));
    TChildForm& window = open_window();

    QPointer<TMessageWhileCopyingForm> form;
    std::weak_ptr<TCopyFilesToHardDiskThread> worker;
    auto held_within_seconds = [&] {
        for (int i = 0; i < 500 && !form->thread().held(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return form->thread().held();
    };
    AnsweringResponder responder([&](const MessageRequest& request) {
        if (request.buttons != MessageButtons::yes_no)
            return MessageAnswer::ok;
        const bool first = !exists(copied("tapes/07/A07.WAV"));
        // Asked in the middle of a file: the worker finishes it, then waits.
        EXPECT_FALSE(form->thread().held());
        SlowFiles::feed(disc_.file(first ? "tapes/07/A07.WAV" : "tapes/07/A09.WAV"));
        EXPECT_TRUE(held_within_seconds());
        if (first) {
            EXPECT_FALSE(exists(copied("tapes/07/A08.WAV"))) << "no new file while asking";
            return MessageAnswer::no;
        }
        EXPECT_FALSE(exists(copied("Voices")));
        return MessageAnswer::yes;
    });
    // Each time the window shows a slow file being copied, the user aborts.
    int aborts = 0;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!form)
            form = qobject_cast<TMessageWhileCopyingForm*>(QApplication::activeModalWidget());
        if (!form || form->thread().ended())
            return;
        worker = form->thread().weak_from_this();
        const QString copying = form->progress_label->text();
        if ((aborts == 0 && copying.endsWith("A07.WAV")) ||
            (aborts == 1 && copying.endsWith("A09.WAV"))) {
            ++aborts;
            form->button->click();
        }
    });
    watch.start(10);
    copy(window);
    watch.stop();

    EXPECT_EQ(aborts, 2);
    EXPECT_EQ(result_, CopyCommandResult::aborted);
    ASSERT_EQ(responder.requests.size(), 3u);
    EXPECT_EQ(responder.requests[0].text, "The program has not finished copying files. Are you "
                                          "certain you want to abort prematurely?");
    EXPECT_EQ(responder.requests[2].text,
              "Copying was aborted.\nThe files copied so far stay on the hard disk; Pemmaro goes "
              "on using the data disc.");
    EXPECT_EQ(read_file(copied("tapes/07/A08.WAV")), "third song") << "copying went on after No";
    EXPECT_EQ(read_file(copied("tapes/07/A09.WAV")), "song");
    EXPECT_FALSE(exists(copied("Voices"))) << "nothing more after Yes";
    EXPECT_EQ(base_directory(), disc_.path());
    EXPECT_TRUE(QTest::qWaitFor([&] { return worker.expired(); }, 5000));
}
