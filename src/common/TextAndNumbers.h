#pragma once
// Text and number helpers.

#include <string>
#include <string_view>

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

std::string capitalise_first(std::string_view text);

// Two extended reals: a pair of the values of a map frame.
struct PointExt {
    long double x = 0;
    long double y = 0;
};

} // namespace pemmaro
