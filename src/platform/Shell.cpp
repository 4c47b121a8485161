#include "platform/Shell.h"

#include "platform/Paths.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QUrl>
#include <unistd.h>

namespace pemmaro {

namespace {

QStringList to_argument_list(const std::vector<std::string>& arguments) {
    QStringList list;
    list.reserve(static_cast<qsizetype>(arguments.size()));
    for (const std::string& argument : arguments)
        list.append(QString::fromLocal8Bit(argument));
    return list;
}

std::string to_local(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

} // namespace

ProcessOutcome start_program(const std::string& application,
                             const std::vector<std::string>& arguments, bool wait) {
    ProcessOutcome outcome;
    QProcess process;
    process.setProgram(QFile::decodeName(application.c_str()));
    process.setArguments(to_argument_list(arguments));

    if (!wait) {
        // A detached start puts the program in a session of its own, so it outlives us
        // and a signal to our group does not reach it.
        outcome.started = process.startDetached();
        if (!outcome.started)
            outcome.error_text = to_local(process.errorString());
        return outcome;
    }

    // A group of its own keeps a terminal's interrupt for us from reaching the child.
    process.setChildProcessModifier([] { ::setpgid(0, 0); });
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(QIODevice::ReadOnly);
    if (!process.waitForStarted(-1)) {
        outcome.error_text = to_local(process.errorString());
        return outcome;
    }
    outcome.started = true;
    if (!process.waitForFinished(-1)) {
        outcome.waited = false;
        outcome.error_text = to_local(process.errorString());
        return outcome;
    }
    // A program ended by a signal has no exit code of its own.
    outcome.exit_code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return outcome;
}

bool open_with_desktop(const std::string& name_or_address) {
    QUrl url;
    if (std::optional<std::string> existing = resolve_existing_path(name_or_address))
        url = QUrl::fromLocalFile(QFile::decodeName(existing->c_str()));
    else
        url = QUrl::fromUserInput(QString::fromLocal8Bit(name_or_address), QDir::currentPath());
    return QDesktopServices::openUrl(url);
}

} // namespace pemmaro
