#include "app/ProgramRun.h"

#include "app/ProgramServices.h"
#include "app/Startup.h"
#include "app/StartupDataLoad.h"
#include "browse/BrowsingWindow.h"
#include "browse/DisplayBitmaps.h"
#include "browse/FindDialog.h"
#include "browse/NameOptionsDialog.h"
#include "browse/TextSizeDialog.h"
#include "common/BaseDirectory.h"
#include "common/CoreContext.h"
#include "common/LanguageTexts.h"
#include "maps_pictures/LocalitiesMap.h"
#include "maps_pictures/SelectAreaWindow.h"
#include "platform/FolderDialog.h"
#include "platform/InstanceLock.h"
#include "platform/MediaDevices.h"
#include "platform/MessageBoxResponder.h"
#include "platform/ModalDialogs.h"
#include "platform/TerminationSignals.h"
#include "sound/AudioCdDrive.h"
#include "sound/AudioCdDriveDialog.h"
#include "sound/ProgramPlayListWindow.h"
#include "sound/SonogramWindow.h"
#include "sound/SoundBars.h"
#include "tools/WebBrowserSettingsDialog.h"
#include "tools/WebBrowserWindow.h"

#include <QApplication>
#include <QIcon>
#include <QPointer>
#include <QTimer>

namespace pemmaro {

// Members are created in the program's window order and destroyed in reverse.
struct ProgramWindows::Windows {
    explicit Windows(BrowsingServices services)
        : main_window(with_shared_dialogs(std::move(services))) {
        shared_dialogs = {&find_dialog, &name_options_dialog, &text_size_dialog};
    }

    BrowsingServices with_shared_dialogs(BrowsingServices services) {
        services.dialogs = &shared_dialogs;
        return services;
    }

    SharedDialogs shared_dialogs; // filled once the dialogs below are made
    // Makes the select-area window at its first use and keeps it to the end.
    RegionAreaSelection area_selection{textfile()};
    TChildForm main_window;
    TFindInShowStringsDialog find_dialog{program_context().texts};
    TNameOptionsDialog name_options_dialog{program_context().texts};
    ProgramPlayListWindow play_list_window{&play_list_services};
    TLocalitiesMapForm localities_map_form{program_context(), &open_url};
    TTextSizeDialog text_size_dialog;
    TWebBrowserSettingsDialog web_browser_settings_dialog;
    TChooseAudioCDPlayerDialog choose_audio_cd_player_dialog{cd_audio_device_count()};
    TSonogramForm sonogram_form{program_context()};
};

ProgramWindows::ProgramWindows()
    : windows_(std::make_unique<Windows>(program_browsing_services())) {}

ProgramWindows::~ProgramWindows() = default;

TChildForm& ProgramWindows::main_window() {
    return windows_->main_window;
}

namespace {

// The responder is installed for the run and removed after it.
class ScopedMessageBoxes {
public:
    ScopedMessageBoxes() {
        if (can_show_message_boxes())
            set_message_responder(&responder_);
    }
    ~ScopedMessageBoxes() {
        if (message_responder() == &responder_)
            set_message_responder(nullptr);
    }
    ScopedMessageBoxes(const ScopedMessageBoxes&) = delete;
    ScopedMessageBoxes& operator=(const ScopedMessageBoxes&) = delete;

private:
    MessageBoxResponder responder_;
};

// A second instance runs only when the user says so.
bool admitted_by_user(const InstanceLock& lock) {
    if (!lock.already_existed())
        return true;
    const std::string question =
        text(other_instance::already_running) + "\n" + text(other_instance::start_again);
    return message(question, MessageIcon::question, MessageButtons::yes_no) == MessageAnswer::yes;
}

// Once the program must end nobody is there to answer: messages go to standard
// error only, folder prompts are cancelled and open dialogs answered as by
// Cancel or No.
void stop_asking_the_user() {
    set_message_responder(nullptr);
    set_folder_prompt(nullptr);
    end_modal_dialogs();
}

// The window closes as by its close button once the dialogs' own event loops
// have unwound, so its state is written from the main loop.
void close_when_dialogs_are_gone(QPointer<QWidget> window) {
    if (!window)
        return;
    if (end_modal_dialogs()) {
        QTimer::singleShot(20, window, [window] { close_when_dialogs_are_gone(window); });
        return;
    }
    QTimer::singleShot(0, window, [window] { window->close(); });
}

int run_windows(const ProgramRunOptions& options, TerminationSignals& termination,
                int wave_output_devices) {
    check_wave_output_devices(wave_output_devices);
    ProgramWindows windows;
    TChildForm& main_window = windows.main_window();
    main_window.initialise_as_main_window();
    QObject::connect(&main_window, &TChildForm::closed, qApp, &QCoreApplication::quit);
    QObject::connect(&termination, &TerminationSignals::termination_requested, &main_window,
                     [&main_window] { close_when_dialogs_are_gone(&main_window); });
    // A request that came while start-up showed a message ends the run at once.
    if (termination.requested())
        close_when_dialogs_are_gone(&main_window);
    main_window.show();
    if (options.on_main_window_shown)
        options.on_main_window_shown(main_window);
    return QApplication::exec();
}

} // namespace

int run_program(const ProgramRunOptions& options) {
    // A request to end that comes during start-up waits in the signal pipe until
    // an event loop runs (the message loop, or a message box's).
    TerminationSignals termination;
    ScopedMessageBoxes message_boxes;
    QObject::connect(&termination, &TerminationSignals::termination_requested,
                     &stop_asking_the_user);
    set_folder_prompt(
        [](const std::string& caption) { return choose_folder(caption, base_directory()); });
    // What needs no data is made while a started load runs.
    load_display_bitmaps();
    QApplication::setWindowIcon(QIcon(":/PROGRAM_ICON_2"));
    QApplication::setApplicationName(ProgramConfiguration::application_title);
    // Other windows (play list, maps) may stay open; only the main window ends the run.
    QApplication::setQuitOnLastWindowClosed(false);
    const int wave_output_devices = wave_output_device_count();
    if (options.started_data_load) {
        // The fonts load while the data set does.
        if (options.started_data_load->wait_until_prepared())
            initialise_display_fonts();
        options.started_data_load->wait();
        initialise_modules_after_data();
    } else {
        initialise_modules(options.program_directory);
    }
    initialise_web_browser();
    const InstanceLock lock(instance_mutex_name());
    const int exit_code =
        admitted_by_user(lock) ? run_windows(options, termination, wave_output_devices) : 0;
    finalise_web_browser();
    finalise_modules();
    set_folder_prompt(nullptr);
    return exit_code;
}

} // namespace pemmaro
