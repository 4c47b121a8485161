#pragma once
// Diagnostics that are not for the user go through here, so tests can silence them.

#include <string_view>

namespace pemmaro {

void log_line(std::string_view text);
void set_log_silenced(bool silenced);

} // namespace pemmaro
