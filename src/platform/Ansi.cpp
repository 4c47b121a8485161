#include "platform/Ansi.h"

#include <array>

namespace pemmaro {

namespace {

// Windows-1252 0x80..0x9F; 0 marks the five unassigned codes.
constexpr std::array<char16_t, 32> high_controls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char16_t unicode_of(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        char16_t mapped = high_controls[byte - 0x80];
        return mapped != 0 ? mapped : byte;
    }
    return byte;
}

char ansi_of(char16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return static_cast<char>(unit);
    for (std::size_t i = 0; i < high_controls.size(); ++i) {
        if (high_controls[i] == unit)
            return static_cast<char>(0x80 + i);
    }
    if (unit >= 0x80 && unit <= 0x9F)
        return static_cast<char>(unit); // the unassigned codes map to themselves
    return '?';
}

} // namespace

QString to_qstring(std::string_view ansi) {
    QString result;
    result.reserve(static_cast<qsizetype>(ansi.size()));
    for (char c : ansi)
        result.append(QChar(unicode_of(static_cast<unsigned char>(c))));
    return result;
}

std::string to_ansi(const QString& text) {
    std::string result;
    result.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        QChar ch = text.at(i);
        if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ++i;
            result.push_back('?');
            continue;
        }
        result.push_back(ansi_of(ch.unicode()));
    }
    return result;
}

std::string upper_case(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        c = ascii_upper(c);
    return result;
}

bool same_text(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (ascii_upper(a[i]) != ascii_upper(b[i]))
            return false;
    }
    return true;
}

std::string_view trim_blanks(std::string_view text) {
    auto is_blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && is_blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace pemmaro
