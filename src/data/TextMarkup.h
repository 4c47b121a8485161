#pragma once
// Data texts mark italic, bold and underlined parts with <I>, <B>, <U> tags;
// the program keeps them as toggle control characters (11, 12, 13).

#include <string>
#include <string_view>

namespace pemmaro {

std::string convert_display_markup(std::string_view text);

} // namespace pemmaro
