// Pemmaro: a reference work on the birds of the Solvara region.
//
//   pemmaro                  the program
//   pemmaro --check [FOLDER] loads the data set as start-up does (in FOLDER when
//                            given) and prints its counts; exit code 1 on a data error

#include "app/ProgramRun.h"
#include "app/Startup.h"
#include "common/LanguageTexts.h"
#include "data/DataLoading.h"
#include "platform/Messages.h"
#include "platform/ProcessEnd.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#include <cstring>
#include <new>

namespace {

int check_data_set(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QString program_directory = QCoreApplication::applicationDirPath();
    if (argc > 2 && !QDir::setCurrent(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "Cannot change to the folder \"%s\".\n", argv[2]);
        return 1;
    }
    pemmaro::initialise_modules_up_to_data(program_directory.toStdString());
    std::printf("%s\n", pemmaro::data_set_counts(*pemmaro::data()).c_str());
    return 0;
}

int run(int argc, char** argv) {
    // The browser plugin's engine shares OpenGL contexts, which Qt can only set
    // up when told before the application exists; it costs nothing unused.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    return pemmaro::run_program({QCoreApplication::applicationDirPath().toStdString(), {}});
}

} // namespace

int main(int argc, char** argv) {
    try {
        if (argc > 1 && std::strcmp(argv[1], "--check") == 0)
            pemmaro::end_process(check_data_set(argc, argv));
        pemmaro::end_process(run(argc, argv));
    } catch (const std::bad_alloc&) {
        const std::string& text = pemmaro::out_of_memory_message();
        pemmaro::fatal(text.empty() ? "Out of memory." : text);
    }
}
