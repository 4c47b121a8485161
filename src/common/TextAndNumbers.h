#pragma once
// Text, number and geometry helpers, and font measurements.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class QFont;

namespace pemmaro {

std::string int_to_text(long long n);
// Rounds to the nearest integer, a half to the even one (2.5 gives 2, 3.5 gives 4).
int round_half_even(double value);
// Right-aligned in the width, leading blanks replaced by "0": -1 in 8 gives "000000-1".
std::string int_to_text_zero_padded(long long n, int width);

struct IntConversion {
    long value = 0;
    bool error = false;
};
// Blanks trimmed; a conversion error gives the default and the error flag.
IntConversion text_to_int(std::string_view text, long default_value);

struct TextRect {
    long left = 0, top = 0, right = 0, bottom = 0;
    bool error = false;
};
std::string rect_to_text(long left, long top, long right, long bottom);
// Four comma-separated parts read with text_to_int (default 1).
TextRect text_to_rect(std::string_view text);

std::string remove_char(std::string_view text, char c);
std::string remove_blanks(std::string_view text);
std::string capitalise_first(std::string_view text);
// Returns the text up to the first comma and removes it and the comma from text.
std::string take_until_comma(std::string& text);
bool is_digit(char c);
bool is_upper_letter(char c); // after upper-casing: 'A' to 'Z'

struct PointExt {
    long double x = 0;
    long double y = 0;
};
PointExt add(PointExt a, PointExt b);
PointExt subtract(PointExt a, PointExt b);
long double distance(PointExt a, PointExt b);

int font_line_height(const QFont& font);
int text_width(const QFont& font, std::string_view text);
int average_char_width(const QFont& font);
extern const std::string_view average_char_width_sample; // 72 characters

// A zero-initialised memory block owned by the caller; allocation failure shows
// "Could not globally allocate!" and gives an empty block.
class GlobalBlock {
public:
    GlobalBlock() = default;
    static GlobalBlock allocate(std::size_t size);
    bool is_valid() const { return data_ != nullptr; }
    std::size_t size() const { return size_; }
    char* data() { return data_.get(); }
    const char* data() const { return data_.get(); }

private:
    std::unique_ptr<char[]> data_;
    std::size_t size_ = 0;
};

} // namespace pemmaro
