#include "common/TextAndNumbers.h"

#include "platform/Ansi.h"
#include "platform/Messages.h"

#include <QFont>
#include <QFontMetrics>
#include <charconv>
#include <cmath>
#include <limits>
#include <new>

namespace pemmaro {

const std::string_view average_char_width_sample =
    "The quick brown fox, seen at dawn, jumps over the lazy dog by the river.";
static_assert(
    std::string_view("The quick brown fox, seen at dawn, jumps over the lazy dog by the river.")
        .size() == 72);

std::string int_to_text(long long n) {
    return std::to_string(n);
}

int round_half_even(double value) {
    const double lower = std::floor(value);
    const double fraction = value - lower;
    double rounded = lower;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(lower, 2.0) != 0.0))
        rounded = lower + 1;
    return static_cast<int>(rounded);
}

std::string int_to_text_zero_padded(long long n, int width) {
    std::string text = int_to_text(n);
    if (width > 0 && text.size() < static_cast<std::size_t>(width))
        text.insert(0, static_cast<std::size_t>(width) - text.size(), '0');
    return text;
}

IntConversion text_to_int(std::string_view text, long default_value) {
    std::string_view trimmed = trim_blanks(text);
    if (!trimmed.empty() && trimmed.front() == '+')
        trimmed.remove_prefix(1);
    std::int32_t value = 0;
    const char* end = trimmed.data() + trimmed.size();
    auto [stop, error] = std::from_chars(trimmed.data(), end, value);
    if (trimmed.empty() || error != std::errc() || stop != end)
        return {default_value, true};
    return {value, false};
}

std::string rect_to_text(long left, long top, long right, long bottom) {
    return int_to_text(left) + "," + int_to_text(top) + "," + int_to_text(right) + "," +
           int_to_text(bottom);
}

TextRect text_to_rect(std::string_view text) {
    std::string rest(text);
    long values[4] = {};
    bool error = false;
    for (long& value : values) {
        IntConversion part = text_to_int(take_until_comma(rest), 1);
        value = part.value;
        error = error || part.error;
    }
    return {values[0], values[1], values[2], values[3], error};
}

std::string remove_char(std::string_view text, char c) {
    std::string result;
    for (char ch : text) {
        if (ch != c)
            result.push_back(ch);
    }
    return result;
}

std::string remove_blanks(std::string_view text) {
    return remove_char(text, ' ');
}

std::string capitalise_first(std::string_view text) {
    std::string result(text);
    if (!result.empty())
        result[0] = ascii_upper(result[0]);
    return result;
}

std::string take_until_comma(std::string& text) {
    const std::size_t comma = text.find(',');
    std::string word = text.substr(0, comma);
    text.erase(0, comma == std::string::npos ? text.size() : comma + 1);
    return word;
}

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

bool is_upper_letter(char c) {
    const char upper = ascii_upper(c);
    return upper >= 'A' && upper <= 'Z';
}

PointExt add(PointExt a, PointExt b) {
    return {a.x + b.x, a.y + b.y};
}

PointExt subtract(PointExt a, PointExt b) {
    return {a.x - b.x, a.y - b.y};
}

long double distance(PointExt a, PointExt b) {
    const PointExt d = subtract(a, b);
    return std::sqrt(d.x * d.x + d.y * d.y);
}

int font_line_height(const QFont& font) {
    const int height = QFontMetrics(font).height();
    if (height > 0)
        return height;
    message("\"GetTextMetrics()\" returned FALSE!");
    return 13;
}

int text_width(const QFont& font, std::string_view text) {
    return QFontMetrics(font).horizontalAdvance(to_qstring(text));
}

int average_char_width(const QFont& font) {
    return text_width(font, average_char_width_sample) /
           static_cast<int>(average_char_width_sample.size());
}

GlobalBlock GlobalBlock::allocate(std::size_t size) {
    GlobalBlock block;
    block.data_.reset(new (std::nothrow) char[size == 0 ? 1 : size]());
    if (!block.data_) {
        message("Could not globally allocate!", MessageIcon::error);
        return {};
    }
    block.size_ = size;
    return block;
}

} // namespace pemmaro
