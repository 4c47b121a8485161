#include "common/LanguageTexts.h"

#include "common/FileOperations.h"
#include "common/GeneralSettings.h"
#include "common/SettingsFile.h"
#include "platform/Ansi.h"
#include "platform/Messages.h"

#include <QFile>
#include <algorithm>
#include <optional>

namespace pemmaro {

namespace {

constexpr std::size_t line_limit = 255;

// The lines of the file, each cut to its first 255 characters; CR LF or LF ends a line.
std::vector<std::string_view> split_lines(std::string_view content) {
    std::vector<std::string_view> lines;
    std::size_t pos = 0;
    while (pos < content.size()) {
        std::size_t end = content.find('\n', pos);
        const std::size_t next = end == std::string_view::npos ? content.size() : end + 1;
        if (end == std::string_view::npos)
            end = content.size();
        std::string_view line = content.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line.substr(0, line_limit));
        pos = next;
    }
    return lines;
}

bool starts_with_dollar(std::string_view line) {
    return !line.empty() && line.front() == '$';
}

// "$...[NAME]...": the name between the first '[' and the ']' after it.
std::optional<std::string_view> header_name(std::string_view line) {
    if (!starts_with_dollar(line))
        return std::nullopt;
    const std::size_t open = line.find('[');
    if (open == std::string_view::npos)
        return std::nullopt;
    const std::size_t close = line.find(']', open + 1);
    if (close == std::string_view::npos)
        return std::nullopt;
    return line.substr(open + 1, close - open - 1);
}

bool is_comment(std::string_view line) {
    return !line.empty() && (line.front() == '*' || line.front() == '\f');
}

std::string without_remark(std::string_view line) {
    return std::string(line.substr(0, line.find('#')));
}

MessageText unreadable_text_file(const std::string& name, const QFile& file) {
    return "The text file \"" + system_text(name) +
           "\" could not be read: " + system_text(file.errorString().toStdString());
}

Ttextfile_handler& language_texts() {
    static Ttextfile_handler texts;
    return texts;
}

} // namespace

Ttextfile_handler::Ttextfile_handler(std::string_view content) {
    const std::vector<std::string_view> lines = split_lines(content);
    std::size_t current = 0;
    while (current < lines.size() &&
           !(lines[current].size() >= 2 && starts_with_dollar(lines[current])))
        ++current;
    while (current < lines.size()) {
        std::optional<std::string_view> name = header_name(lines[current]);
        ++current;
        if (!name)
            continue;
        std::vector<std::string> section;
        for (; current < lines.size() && !starts_with_dollar(lines[current]); ++current) {
            if (!is_comment(lines[current]))
                section.push_back(without_remark(lines[current]));
        }
        auto [where, added] = sections_.try_emplace(upper_case(*name), std::move(section));
        if (!added) {
            status_ = Status::duplicate_section;
            duplicate_name_ = std::string(*name);
            return;
        }
    }
    out_of_memory_ = text(out_of_memory::message);
}

const std::vector<std::string>* Ttextfile_handler::lines_of(std::string_view section) const {
    auto found = sections_.find(upper_case(section));
    return found == sections_.end() ? nullptr : &found->second;
}

std::string Ttextfile_handler::text(std::string_view section, int n) const {
    const std::vector<std::string>* lines = lines_of(section);
    if (lines == nullptr || n < 1 || static_cast<std::size_t>(n) > lines->size())
        return {};
    return (*lines)[static_cast<std::size_t>(n) - 1];
}

std::vector<std::string> Ttextfile_handler::texts(std::string_view section, int highest_index,
                                                  int max_length, int min_length) const {
    std::vector<std::string> result(static_cast<std::size_t>(std::max(highest_index + 1, 0)));
    const std::vector<std::string>* lines = lines_of(section);
    const std::size_t available = lines ? std::min(lines->size(), result.size()) : 0;
    for (std::size_t i = 0; i < available; ++i) {
        std::string line = (*lines)[i];
        if (line.size() < static_cast<std::size_t>(std::max(min_length, 0)))
            line.resize(static_cast<std::size_t>(min_length), ' ');
        if (max_length > 0 && line.size() > static_cast<std::size_t>(max_length))
            line.resize(static_cast<std::size_t>(max_length));
        result[i] = std::move(line);
    }
    return result;
}

int Ttextfile_handler::line_count(std::string_view section) const {
    const std::vector<std::string>* lines = lines_of(section);
    return lines ? static_cast<int>(lines->size()) : 0;
}

bool Ttextfile_handler::has_section(std::string_view section) const {
    return lines_of(section) != nullptr;
}

Ttextfile_handler& textfile() {
    return language_texts();
}

void open_language_texts() {
    std::string name = read_path(general_settings::section, general_settings::text_file, "");
    if (name.empty())
        name = std::string(general_settings::text_file_default);
    const std::optional<std::string> path = find_data_file(name);
    if (!path)
        fatal("The text file \"" + system_text(name) + "\" was not found!");
    QFile file(QString::fromStdString(*path));
    if (!file.open(QIODevice::ReadOnly))
        fatal(unreadable_text_file(name, file));
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        fatal(unreadable_text_file(name, file));
    Ttextfile_handler handler(
        std::string_view(content.constData(), static_cast<std::size_t>(content.size())));
    if (handler.status() == Ttextfile_handler::Status::duplicate_section)
        fatal("The text file \"" + system_text(name) + "\" holds the section \"" +
              handler.duplicate_name() + "\" more than once.");
    language_texts() = std::move(handler);
    set_message_caption(text(messages_caption::caption));
}

std::string text(std::string_view section, int n) {
    return textfile().text(section, n);
}

std::string text(const TextLine& line) {
    return textfile().text(line);
}

std::vector<std::string> texts(std::string_view section, int highest_index, int max_length,
                               int min_length) {
    return textfile().texts(section, highest_index, max_length, min_length);
}

const std::string& out_of_memory_message() {
    return textfile().out_of_memory_text();
}

} // namespace pemmaro
