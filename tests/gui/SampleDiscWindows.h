#pragma once
// Browsing windows on the sample disc: the program's modules set up as at
// start-up on a private copy of the disc's files, so each test has its own
// settings file.

#include "ProgramState.h"
#include "TestSupport.h"
#include "app/ProgramServices.h"
#include "app/Startup.h"
#include "browse/BrowsingWindow.h"
#include "browse/DisplayBitmaps.h"
#include "browse/DisplaySurface.h"
#include "browse/FindDialog.h"
#include "browse/NameOptionsDialog.h"
#include "browse/TextSizeDialog.h"
#include "browse/WindowList.h"
#include "common/GeneralSettings.h"
#include "platform/ProfileFile.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace pemmaro::test {

class SampleDiscWindows : public ::testing::Test {
protected:
    // Settings written before the modules start (for example saved windows).
    virtual std::string initial_settings() const { return {}; }
    // Whether the introduction window may come up over the windows under test.
    virtual bool show_introduction() const { return false; }

    void SetUp() override {
        copy_files(PEMMARO_SAMPLE_DISC_DIR, folder_.path());
        write_file(settings_path(), initial_settings());
        update_profile_file(settings_path(), [this](ProfileDocument& settings) {
            settings.set_value(general_settings::section, general_settings::show_picture_at_startup,
                               show_introduction() ? "Yes" : "No");
        });
        initialise_modules(folder_.path());
        load_display_bitmaps();
        find_dialog_ = std::make_unique<TFindInShowStringsDialog>(textfile());
        name_options_dialog_ = std::make_unique<TNameOptionsDialog>(textfile());
        text_size_dialog_ = std::make_unique<TTextSizeDialog>();
        shared_dialogs_ = {find_dialog_.get(), name_options_dialog_.get(), text_size_dialog_.get()};
    }

    void TearDown() override {
        windows_.clear();
        finalise_modules();
    }

    // The program's services, with the dialogs the program shares among its windows.
    BrowsingServices services() const {
        BrowsingServices services = program_browsing_services();
        services.dialogs = &shared_dialogs_;
        return services;
    }

    std::string settings_path() const { return folder_.file("Pemmaro.ini"); }
    std::string setting(std::string_view section, std::string_view key) const {
        return profile_string(settings_path(), section, key, "<none>", 200);
    }

    // A main window restored from the settings file, shown and painted.
    TChildForm& open_main_window() {
        windows_.push_back(std::make_unique<TChildForm>(services()));
        TChildForm& window = *windows_.back();
        window.initialise_as_main_window();
        window.show();
        settle();
        return window;
    }

    static void settle() {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    }

    // Paints the window now, so the surface knows what it showed.
    static void paint(TChildForm& window) {
        window.surface().viewport()->repaint();
        settle();
    }

    ScopedProgramState program_state_;
    TempDir folder_;
    ScopedCurrentDirectory current_{folder_.path()};
    ScopedResponder responder_;
    ScopedFatalThrows fatal_throws_;
    std::unique_ptr<TFindInShowStringsDialog> find_dialog_;
    std::unique_ptr<TNameOptionsDialog> name_options_dialog_;
    std::unique_ptr<TTextSizeDialog> text_size_dialog_;
    SharedDialogs shared_dialogs_;
    std::vector<std::unique_ptr<TChildForm>> windows_;
};

} // namespace pemmaro::test
