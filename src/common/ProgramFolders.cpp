#include "common/ProgramFolders.h"

#include <QDir>
#include <QLocale>

namespace pemmaro {

namespace {

std::string with_slash(std::string path) {
    if (path.empty() || path.back() != '/')
        path += '/';
    return path;
}

char first_char_or(const QString& text, char fallback) {
    if (text.isEmpty() || text.at(0).unicode() > 0x7F)
        return fallback;
    return static_cast<char>(text.at(0).unicode());
}

// The separator between hours and minutes in the system's short time format.
QString time_separator_of(const QLocale& locale) {
    const QString format = locale.timeFormat(QLocale::ShortFormat);
    for (QChar ch : format) {
        if (!ch.isLetter() && !ch.isSpace() && ch != '\'')
            return QString(ch);
    }
    return {};
}

} // namespace

std::string installed_data_directory_of(const std::string& program_directory) {
    const QDir bin(QString::fromStdString(program_directory));
    if (bin.dirName() != "bin")
        return {};
    const QString data = QDir::cleanPath(bin.absoluteFilePath("../share/pemmaro"));
    return QDir(data).exists() ? with_slash(data.toStdString()) : std::string();
}

CommonServices& common_services() {
    static CommonServices services;
    return services;
}

void initialise_common_services(const std::string& program_directory) {
    CommonServices& services = common_services();
    services.startup_directory = with_slash(QDir::currentPath().toStdString());
    services.program_directory = with_slash(program_directory);
    services.installed_data_directory = installed_data_directory_of(services.program_directory);
    const QLocale locale = QLocale::system();
    // An empty system value keeps the previous separator.
    services.decimal_separator = first_char_or(locale.decimalPoint(), services.decimal_separator);
    services.time_separator = first_char_or(time_separator_of(locale), services.time_separator);
}

} // namespace pemmaro
