#include "platform/ProgramFile.h"

#include <QFileInfo>

namespace pemmaro {

std::string running_program_directory(const char* argv0) {
    const QString running = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    const QFileInfo program(running.isEmpty() ? QString::fromLocal8Bit(argv0) : running);
    return program.absolutePath().toStdString();
}

} // namespace pemmaro
