#include "data/DisplayMarkupUnit.h"

#include "data/BirdsDataUnit.h"
#include "platform/Ansi.h"

#include <array>

namespace pemmaro {

namespace {

std::size_t find_tag(std::string_view text, std::size_t from, std::string_view opening,
                     char letter) {
    for (std::size_t at = text.find(opening, from); at != std::string_view::npos;
         at = text.find(opening, at + 1)) {
        const std::size_t letter_at = at + opening.size();
        if (letter_at + 1 < text.size() && ascii_upper(text[letter_at]) == letter &&
            text[letter_at + 1] == '>')
            return at;
    }
    return std::string_view::npos;
}

// Replaces each opening tag of the letter and the next closing tag after it by
// the control character; an unclosed tag gets its closing character at the end.
std::string convert_tag(std::string_view text, char letter, char control) {
    std::string result;
    result.reserve(text.size());
    std::size_t position = 0;
    bool unclosed = false;
    while (position < text.size()) {
        const std::size_t open = find_tag(text, position, "<", letter);
        if (open == std::string_view::npos)
            break;
        result.append(text.substr(position, open - position));
        result.push_back(control);
        const std::size_t after_open = open + 3;
        const std::size_t close = find_tag(text, after_open, "</", letter);
        if (close == std::string_view::npos) {
            position = after_open;
            unclosed = true;
            break;
        }
        result.append(text.substr(after_open, close - after_open));
        result.push_back(control);
        position = close + 4;
    }
    result.append(text.substr(std::min(position, text.size())));
    if (unclosed)
        result.push_back(control);
    return result;
}

} // namespace

std::string convert_display_markup(std::string_view text) {
    if (text.find('<') == std::string_view::npos)
        return std::string(text);
    std::string result = convert_tag(text, 'I', markup_italic);
    result = convert_tag(result, 'B', markup_bold);
    return convert_tag(result, 'U', markup_underline);
}

} // namespace pemmaro
