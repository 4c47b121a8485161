#include "platform/ProfileFile.h"

#include "platform/Ansi.h"
#include "platform/FileIO.h"
#include "platform/Log.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <mutex>
#include <sys/file.h>
#include <unistd.h>
#include <unordered_set>
#include <utility>

namespace pemmaro {

namespace {

std::mutex hook_mutex;
std::function<void()> commit_hook;

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

// A line's text without blanks around it nor a CR left at its end without an LF.
std::string_view trim_line(std::string_view text) {
    text = trim_blanks(text);
    while (!text.empty() && text.back() == '\r')
        text = trim_blanks(text.substr(0, text.size() - 1));
    return text;
}

std::optional<std::string_view> header_name(std::string_view line) {
    std::size_t first = 0;
    while (first < line.size() && is_blank(line[first]))
        ++first;
    if (first == line.size() || line[first] != '[')
        return std::nullopt;
    std::size_t close = line.find(']', first + 1);
    if (close == std::string_view::npos)
        return std::nullopt;
    return trim_blanks(line.substr(first + 1, close - first - 1));
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyLine> key_line(std::string_view line) {
    std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    std::string_view value = trim_line(line.substr(equals + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return KeyLine{trim_blanks(line.substr(0, equals)), value};
}

// A name or value must stay on its own line.
std::string single_line(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    return result;
}

QString qt_path(const std::string& path) {
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

enum class ReadOutcome { read, missing, failed };

ReadOutcome read_bytes(const std::string& path, std::string& bytes) {
    const QString name = qt_path(path);
    const QFileInfo info(name);
    if (!info.exists())
        return ReadOutcome::missing;
    if (!info.isFile()) {
        log_line("profile file is not a plain file: " + path);
        return ReadOutcome::failed;
    }
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) {
        log_line("cannot open profile file " + path + ": " + file.errorString().toStdString());
        return ReadOutcome::failed;
    }
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        log_line("cannot read profile file " + path + ": " + file.errorString().toStdString());
        return ReadOutcome::failed;
    }
    bytes.assign(content.constData(), static_cast<std::size_t>(content.size()));
    return ReadOutcome::read;
}

// Holds an exclusive lock on the companion file "<profile file>.lock" while a
// write reads, edits and replaces the profile file, so that writes of several
// processes follow each other instead of one erasing another's. The profile
// file itself cannot carry the lock: every write replaces it by another file.
class CompanionLock {
public:
    explicit CompanionLock(const std::string& path) {
        const QFileInfo info(qt_path(path));
        const QString target = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
        const QByteArray name = QFile::encodeName(target + ".lock");
        fd_ = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        // Where no lock file can be made, the write itself fails and says so.
        if (fd_ < 0)
            return;
        while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
        }
    }
    ~CompanionLock() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    CompanionLock(const CompanionLock&) = delete;
    CompanionLock& operator=(const CompanionLock&) = delete;

private:
    int fd_ = -1;
};

std::string trimmed_default(std::string_view default_value) {
    while (!default_value.empty() && is_blank(default_value.back()))
        default_value.remove_suffix(1);
    return std::string(default_value);
}

} // namespace

ProfileDocument::ProfileDocument(std::string bytes)
    : bytes_(std::move(bytes)) {
    index_lines();
}

void ProfileDocument::index_lines() {
    lines_.clear();
    std::size_t begin = 0;
    while (begin < bytes_.size()) {
        std::size_t newline = bytes_.find('\n', begin);
        if (newline == std::string::npos) {
            lines_.push_back({begin, bytes_.size(), bytes_.size()});
            break;
        }
        std::size_t end = (newline > begin && bytes_[newline - 1] == '\r') ? newline - 1 : newline;
        lines_.push_back({begin, end, newline + 1});
        begin = newline + 1;
    }
}

std::string_view ProfileDocument::line_text(std::size_t index) const {
    const Line& line = lines_[index];
    return std::string_view(bytes_).substr(line.begin, line.end - line.begin);
}

std::string ProfileDocument::line_end() const {
    std::size_t newline = bytes_.find('\n');
    if (newline != std::string::npos && (newline == 0 || bytes_[newline - 1] != '\r'))
        return "\n";
    return "\r\n";
}

std::optional<ProfileDocument::SectionSpan>
ProfileDocument::find_section(std::string_view section) const {
    std::optional<SectionSpan> found;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        std::optional<std::string_view> name = header_name(line_text(i));
        if (!name)
            continue;
        if (found) {
            found->last_line = i - 1;
            return found;
        }
        if (same_text(*name, section))
            found = SectionSpan{i, lines_.size() - 1};
    }
    return found;
}

std::optional<std::size_t> ProfileDocument::find_key_line(const SectionSpan& span,
                                                          std::string_view key) const {
    for (std::size_t i = span.header + 1; i <= span.last_line; ++i) {
        std::optional<KeyLine> line = key_line(line_text(i));
        if (line && same_text(line->key, key))
            return i;
    }
    return std::nullopt;
}

std::optional<std::string> ProfileDocument::value(std::string_view section,
                                                  std::string_view key) const {
    std::optional<SectionSpan> span = find_section(section);
    if (!span)
        return std::nullopt;
    std::optional<std::size_t> index = find_key_line(*span, key);
    if (!index)
        return std::nullopt;
    return std::string(key_line(line_text(*index))->value);
}

std::vector<std::string> ProfileDocument::keys(std::string_view section) const {
    std::vector<std::string> result;
    std::optional<SectionSpan> span = find_section(section);
    if (!span)
        return result;
    std::unordered_set<std::string> seen; // upper-case names
    for (std::size_t i = span->header + 1; i <= span->last_line; ++i) {
        std::optional<KeyLine> line = key_line(line_text(i));
        if (!line)
            continue;
        if (seen.insert(upper_case(line->key)).second)
            result.emplace_back(line->key);
    }
    return result;
}

bool ProfileDocument::has_section(std::string_view section) const {
    return find_section(section).has_value();
}

void ProfileDocument::replace_range(std::size_t from, std::size_t to, std::string_view text) {
    bytes_.replace(from, to - from, text);
    index_lines();
}

void ProfileDocument::set_value(std::string_view section, std::string_view key,
                                std::string_view value) {
    const std::string entry = single_line(key) + "=" + single_line(value);
    const std::string end = line_end();
    std::optional<SectionSpan> span = find_section(section);
    if (!span) {
        std::string text;
        if (!bytes_.empty() && bytes_.back() != '\n')
            text = end;
        text.append("[").append(single_line(section)).append("]");
        text.append(end).append(entry).append(end);
        replace_range(bytes_.size(), bytes_.size(), text);
        return;
    }
    if (std::optional<std::size_t> index = find_key_line(*span, key)) {
        replace_range(lines_[*index].begin, lines_[*index].end, entry);
        return;
    }
    std::size_t last = span->last_line;
    while (last > span->header && trim_line(line_text(last)).empty())
        --last;
    const Line& after = lines_[last];
    if (after.end == after.next) // the last line of a file without a final line end
        replace_range(after.next, after.next, end + entry);
    else
        replace_range(after.next, after.next, entry + end);
}

void ProfileDocument::remove_key(std::string_view section, std::string_view key) {
    std::optional<SectionSpan> span = find_section(section);
    if (!span)
        return;
    if (std::optional<std::size_t> index = find_key_line(*span, key))
        replace_range(lines_[*index].begin, lines_[*index].next, {});
}

void ProfileDocument::remove_section(std::string_view section) {
    if (std::optional<SectionSpan> span = find_section(section))
        replace_range(lines_[span->header].begin, lines_[span->last_line].next, {});
}

ProfileReadResult read_profile_file(const std::string& path) {
    ProfileReadResult result;
    std::string bytes;
    if (read_bytes(path, bytes) == ReadOutcome::read) {
        result.readable = true;
        result.document = ProfileDocument(std::move(bytes));
    }
    return result;
}

bool update_profile_file(const std::string& path,
                         const std::function<void(ProfileDocument&)>& edit) {
    const QFileInfo info(qt_path(path));
    if (info.exists() && !info.isFile()) {
        log_line("profile file is not a plain file: " + path);
        return false;
    }
    const CompanionLock writing(path);
    std::string old_bytes;
    const ReadOutcome outcome = read_bytes(path, old_bytes);
    if (outcome == ReadOutcome::failed)
        return false;
    ProfileDocument document(old_bytes);
    edit(document);
    if (document.bytes() == old_bytes) { // also: no empty file for a no-op on a missing one
        remove_replacement_leftover(path);
        return true;
    }

    FileReplacement file(path);
    const std::string& bytes = document.bytes();
    if (int code = file.open(); code != 0 || (code = file.write_all(bytes.data(), bytes.size()))) {
        log_line("cannot write profile file " + path + ": " + system_error_text(code));
        return false;
    }
    std::function<void()> hook;
    {
        std::lock_guard lock(hook_mutex);
        hook = commit_hook;
    }
    if (hook)
        hook();
    if (int code = file.commit()) {
        log_line("cannot replace profile file " + path + ": " + system_error_text(code));
        return false;
    }
    return true;
}

void set_profile_commit_hook(std::function<void()> hook) {
    std::lock_guard lock(hook_mutex);
    commit_hook = std::move(hook);
}

std::string profile_string(const std::string& path, std::string_view section, std::string_view key,
                           std::string_view default_value, std::size_t max_length) {
    ProfileReadResult file = read_profile_file(path);
    std::optional<std::string> found;
    if (file.readable)
        found = file.document.value(section, key);
    std::string result = found ? std::move(*found) : trimmed_default(default_value);
    if (result.size() > max_length)
        result.resize(max_length);
    return result;
}

long profile_integer(const std::string& path, std::string_view section, std::string_view key,
                     long default_value) {
    ProfileReadResult file = read_profile_file(path);
    if (!file.readable)
        return default_value;
    std::optional<std::string> found = file.document.value(section, key);
    // Windows treats an empty value like a missing one here.
    if (!found || found->empty())
        return default_value;
    return profile_integer_of(*found);
}

long profile_integer_of(std::string_view value) {
    std::size_t i = 0;
    while (i < value.size() && is_blank(value[i]))
        ++i;
    bool negative = false;
    if (i < value.size() && (value[i] == '-' || value[i] == '+')) {
        negative = value[i] == '-';
        ++i;
    }
    int base = 10;
    if (i + 1 < value.size() && value[i] == '0' && (value[i + 1] == 'x' || value[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    long result = 0;
    for (; i < value.size(); ++i) {
        const char c = value[i];
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0)
            break;
        if (result > (LONG_MAX - digit) / base)
            result = LONG_MAX;
        else
            result = result * base + digit;
    }
    return negative ? 0 : result;
}

} // namespace pemmaro
