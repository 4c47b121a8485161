#include "common/TextAndNumbers.h"

#include "platform/Ansi.h"

#include <charconv>
#include <cmath>

namespace pemmaro {

namespace {

// The text up to the first comma; it and the comma leave the text.
std::string take_until_comma(std::string& text) {
    const std::size_t comma = text.find(',');
    std::string word = text.substr(0, comma);
    text.erase(0, comma == std::string::npos ? text.size() : comma + 1);
    return word;
}

} // namespace

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

std::string capitalise_first(std::string_view text) {
    std::string result(text);
    if (!result.empty())
        result[0] = ascii_upper(result[0]);
    return result;
}

} // namespace pemmaro
