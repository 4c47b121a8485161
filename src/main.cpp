// Pemmaro: a reference work on the birds of the Solvara region.

#include "common/ApplicationUnit.h"
#include "common/TextfileUnit.h"
#include "platform/Messages.h"

#include <QApplication>
#include <new>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    try {
        return pemmaro::run_program({QCoreApplication::applicationDirPath().toStdString(), {}});
    } catch (const std::bad_alloc&) {
        const std::string& text = pemmaro::out_of_memory_message();
        pemmaro::fatal(text.empty() ? "Out of memory." : text);
    }
}
