#include "data/DataFileReader.h"

#include "common/CoreContext.h"
#include "common/FileOperations.h"
#include "common/LanguageTexts.h"
#include "common/Product.h"
#include "platform/FileIO.h"
#include "platform/Messages.h"

#include <QDir>
#include <array>
#include <charconv>
#include <cstdint>

namespace pemmaro {

namespace {

constexpr std::string_view header_start = "@#[";
constexpr std::string_view continuation_start = "#*&";
constexpr int file_not_found_code = 2;

std::string expanded_name(std::string_view file_name) {
    return QDir::current()
        .absoluteFilePath(QString::fromStdString(std::string(file_name)))
        .toStdString();
}

int read_whole_file(const std::string& path, std::string& content) {
    PosixFile file;
    if (int code = file.open(path, PosixFile::Mode::read))
        return code;
    content.clear();
    std::array<char, 1 << 16> buffer;
    for (;;) {
        std::size_t count = 0;
        if (int code = file.read(buffer.data(), buffer.size(), count))
            return code;
        if (count == 0)
            break;
        content.append(buffer.data(), count);
    }
    return file.close();
}

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

TDataFileReader::TDataFileReader(const CoreContext& context)
    : folders_(&context.common) {
    for (const TextLine& line :
         {kz_data::input_output_error, kz_data::with_data_file, kz_data::error_in_data_file,
          kz_data::the_section, kz_data::is_missing})
        texts_[static_cast<std::size_t>(line.number)] = context.texts.text(line);
}

void TDataFileReader::io_error(int code, const std::string& full_name) const {
    fatal(texts_[kz_data::input_output_error.number] + std::to_string(code) +
          texts_[kz_data::with_data_file.number] + system_text(full_name));
}

void TDataFileReader::open(std::string_view file_name, int flags, SectionRead& result) {
    close();
    const std::optional<std::string> path = find_data_file(file_name, *folders_);
    if (!path) {
        if (flags & optional_file) {
            result.file_present = false;
            return;
        }
        io_error(file_not_found_code, expanded_name(file_name));
    }
    full_name_ = *path;
    if (int code = read_whole_file(full_name_, content_))
        io_error(code, full_name_);
    open_ = true;
    position_ = 0;
    has_last_line_ = false;
    just_opened_ = true;
}

void TDataFileReader::close() {
    content_.clear();
    content_.shrink_to_fit();
    open_ = false;
    position_ = 0;
    has_last_line_ = false;
}

// Moves to the next line; false at the end of the file.
bool TDataFileReader::next_line() {
    if (position_ >= content_.size()) {
        has_last_line_ = false;
        return false;
    }
    const std::string_view rest = std::string_view(content_).substr(position_);
    std::size_t end = rest.find('\n');
    const std::size_t length = end == std::string_view::npos ? rest.size() : end;
    position_ += end == std::string_view::npos ? rest.size() : end + 1;
    last_line_ = rest.substr(0, length);
    if (!last_line_.empty() && last_line_.back() == '\r')
        last_line_.remove_suffix(1);
    has_last_line_ = true;
    return true;
}

SectionRead TDataFileReader::read_section(std::string_view file_name, std::string_view section_name,
                                          int highest_index, std::vector<std::string>& lines,
                                          int flags) {
    SectionRead result;
    if (flags & open_file) {
        open(file_name, flags, result);
        if (!result.file_present)
            return result;
    }
    if (!open_)
        io_error(file_not_found_code, expanded_name(file_name));
    if (flags & rewind_file) {
        position_ = 0;
        has_last_line_ = false;
    }
    std::string header(header_start);
    header.append(section_name).push_back(']');

    // The line that ended the previous read may itself be the header.
    if (!just_opened_ && has_last_line_ && last_line_.starts_with(header))
        result.found = true;
    while (!result.found && next_line())
        result.found = last_line_.starts_with(header);
    just_opened_ = false;

    if (result.found) {
        const auto highest = static_cast<std::size_t>(std::max(highest_index, 0));
        if (lines.size() < highest + 1)
            lines.resize(highest + 1);
        std::size_t count = 0;
        while (next_line()) {
            const bool continuation = last_line_.starts_with(continuation_start);
            if ((count > highest && !continuation) || last_line_.starts_with(header_start))
                break;
            if (continuation) {
                if (count > 0)
                    lines[count - 1].append(last_line_.substr(continuation_start.size()));
            } else {
                lines[count++].assign(last_line_);
            }
        }
        const std::size_t in_use = &lines == lines_owner_ ? lines_in_use_ : lines.size();
        for (std::size_t i = count; i <= highest && i < in_use; ++i)
            lines[i].clear();
        lines_owner_ = &lines;
        lines_in_use_ = in_use > highest + 1 ? in_use : count;
        result.count = static_cast<int>(count);
    } else if (flags & report_missing) {
        fatal(texts_[kz_data::error_in_data_file.number] + system_text(full_name_) + "\n" +
              texts_[kz_data::the_section.number] + " \"" + header + "\" " +
              texts_[kz_data::is_missing.number]);
    }
    if (flags & close_file)
        close();
    return result;
}

std::optional<long> number_of(std::string_view text) {
    while (!text.empty() && is_blank(text.front()))
        text.remove_prefix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    std::int32_t value = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

long leading_number_of(std::string_view text) {
    while (!text.empty() && is_blank(text.front()))
        text.remove_prefix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        value = std::min(value * 10 + (c - '0'), 2147483647L);
    }
    return negative ? -value : value;
}

long optional_number_of(std::string_view text) {
    return text.empty() ? -1 : leading_number_of(text);
}

long keyword_value(std::string_view line, std::string_view keyword, std::string_view description) {
    const std::size_t at = line.find(keyword);
    if (at == std::string_view::npos)
        return 0;
    const std::size_t from = std::min(at + keyword.size() + 1, line.size());
    std::string digits;
    for (char c : line.substr(from, 5)) {
        if (c >= '0' && c <= '9')
            digits.push_back(c);
    }
    const std::optional<long> value = number_of(digits);
    if (!value)
        fatal("Error occured when converting " + std::string(description) + "!");
    return *value;
}

CommaSplit split_at_first_comma(std::string_view text) {
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos)
        return {text, {}};
    return {text.substr(0, comma), text.substr(comma + 1)};
}

std::optional<long double> decimal_with_point(std::string_view text) {
    while (!text.empty() && is_blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back()))
        text.remove_suffix(1);
    const bool negative = text.starts_with('-');
    const std::size_t point = text.find('.');
    const std::optional<long> whole = number_of(text.substr(0, point));
    if (!whole)
        return std::nullopt;
    long double value = static_cast<long double>(std::labs(*whole));
    if (point != std::string_view::npos) {
        long double scale = 0.1L;
        for (char c : text.substr(point + 1)) {
            if (c < '0' || c > '9')
                return std::nullopt;
            value += static_cast<long double>(c - '0') * scale;
            scale /= 10;
        }
    }
    return negative ? -value : value;
}

void corrupt_file_report(const ProductSettings& product, std::string_view file_name, int number) {
    const char* middle = product.edition_spanish ? " corrupto! Error "
                         : product.edition_dutch ? " corrupt! Fout "
                                                 : " corrupt! Error ";
    fatal(std::string(file_name) + middle + std::to_string(number));
}

} // namespace pemmaro
