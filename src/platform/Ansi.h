#pragma once
// Texts of the data disc and the language file are Windows-1252 bytes kept in
// std::string; they become QString only where they meet Qt.

#include <QString>
#include <string>
#include <string_view>

namespace pemmaro {

QString to_qstring(std::string_view ansi);
// Characters without a Windows-1252 code become '?'.
std::string to_ansi(const QString& text);

constexpr char ascii_upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
std::string upper_case(std::string_view text);
bool same_text(std::string_view a, std::string_view b); // ASCII case-insensitive
std::string_view trim_blanks(std::string_view text);    // blanks and tabs

} // namespace pemmaro
