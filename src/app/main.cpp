// Pemmaro: a reference work on the birds of the Solvara region.
//
//   pemmaro                  the program
//   pemmaro --check [FOLDER] loads the data set as start-up does (in FOLDER when
//                            given) and prints its counts; exit code 1 on a data error
//   pemmaro --help, --version; any other argument is a usage error (exit code 2)

#include "app/CommandLine.h"
#include "app/FirstPaintReport.h"
#include "app/ProgramRun.h"
#include "app/Startup.h"
#include "app/StartupDataLoad.h"
#include "browse/BrowsingWindow.h"
#include "common/LanguageTexts.h"
#include "data/DataLoading.h"
#include "platform/Messages.h"
#include "platform/ProcessEnd.h"
#include "platform/ProgramFile.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <algorithm>
#include <cstdio>
#include <new>
#include <string>
#include <vector>

namespace {

std::vector<std::string> arguments_of(int argc, char** argv) {
    return std::vector<std::string>(argv + std::min(argc, 1), argv + argc);
}

// Qt's own options (qt.io: QGuiApplication), which QApplication takes out of
// the arguments; they must not count as usage errors before it exists.
bool is_qt_option(const std::string& argument) {
    static const std::vector<std::string> options = {"-platform",      "-platformpluginpath",
                                                     "-platformtheme", "-plugin",
                                                     "-qmljsdebugger", "-qwindowgeometry",
                                                     "-geometry",      "-qwindowicon",
                                                     "-icon",          "-qwindowtitle",
                                                     "-title",         "-reverse",
                                                     "-session",       "-display",
                                                     "-name",          "-style",
                                                     "-stylesheet",    "-widgetcount",
                                                     "-nograb",        "-dograb",
                                                     "-sync"};
    const std::string name = argument.substr(0, argument.find('='));
    return std::find(options.begin(), options.end(), name) != options.end();
}

int report_usage_error(const std::string& argument) {
    std::fprintf(stderr, "pemmaro: unknown option or argument \"%s\"\n%s", argument.c_str(),
                 pemmaro::usage_text("pemmaro").c_str());
    return pemmaro::exit_usage_error;
}

int check_data_set(int argc, char** argv, const std::string& folder) {
    QCoreApplication application(argc, argv);
    const QString program_directory = QCoreApplication::applicationDirPath();
    if (!folder.empty() && !QDir::setCurrent(QString::fromLocal8Bit(folder.c_str()))) {
        std::fprintf(stderr, "Cannot change to the folder \"%s\".\n", folder.c_str());
        return 1;
    }
    pemmaro::initialise_modules_up_to_data(program_directory.toStdString());
    std::printf("%s\n", pemmaro::data_set_counts(*pemmaro::data()).c_str());
    return 0;
}

int run(int argc, char** argv) {
    // The data set loads while Qt starts; the run waits for it.
    const std::string program_directory = pemmaro::running_program_directory(argv[0]);
    pemmaro::StartupDataLoad data_load(
        [program_directory] { pemmaro::initialise_modules_before_data(program_directory); },
        &pemmaro::load_data_set);
    QApplication application(argc, argv);
    const pemmaro::CommandLine rest = pemmaro::parse_command_line(arguments_of(argc, argv));
    if (rest.action != pemmaro::CommandLine::Action::run)
        return report_usage_error(rest.action == pemmaro::CommandLine::Action::usage_error
                                      ? rest.unknown_option
                                      : std::string(argv[1]));
    return pemmaro::run_program(
        {program_directory,
         [](pemmaro::TChildForm& window) { pemmaro::report_first_paint_when_asked(window); },
         &data_load});
}

} // namespace

int main(int argc, char** argv) {
    try {
        using Action = pemmaro::CommandLine::Action;
        const pemmaro::CommandLine line = pemmaro::parse_command_line(arguments_of(argc, argv));
        switch (line.action) {
        case Action::help:
            std::fputs(pemmaro::help_text("pemmaro").c_str(), stdout);
            return 0;
        case Action::version:
            std::fputs(pemmaro::version_text().c_str(), stdout);
            return 0;
        case Action::check:
            pemmaro::end_process(check_data_set(argc, argv, line.check_folder));
        case Action::usage_error:
            if (!is_qt_option(line.unknown_option))
                return report_usage_error(line.unknown_option);
            break;
        case Action::run:
            break;
        }
        pemmaro::end_process(run(argc, argv));
    } catch (const std::bad_alloc&) {
        const std::string& text = pemmaro::out_of_memory_message();
        pemmaro::fatal(text.empty() ? "Out of memory." : text);
    }
}
