#include "data/TextMarkup.h"

#include "data/DataSet.h"
#include "platform/Ansi.h"

#include <vector>

namespace pemmaro {

namespace {

// Where the tags "<" + letter + ">" (or "</" + letter + ">"), in either case, begin.
std::vector<std::size_t> tag_positions(std::string_view text, std::string_view opening,
                                       char letter) {
    std::vector<std::size_t> positions;
    for (std::size_t at = text.find(opening); at != std::string_view::npos;
         at = text.find(opening, at + 1)) {
        const std::size_t letter_at = at + opening.size();
        if (letter_at + 1 < text.size() && ascii_upper(text[letter_at]) == letter &&
            text[letter_at + 1] == '>')
            positions.push_back(at);
    }
    return positions;
}

// Each opening tag of the letter, in order, becomes the control character, and
// so does the first closing tag after it that no earlier opening tag took. An
// opening tag that finds none gets its closing character at the very end.
std::string convert_tag(std::string_view text, char letter, char control) {
    const std::vector<std::size_t> openings = tag_positions(text, "<", letter);
    if (openings.empty())
        return std::string(text);
    const std::vector<std::size_t> closings = tag_positions(text, "</", letter);
    std::vector<std::size_t> taken;
    std::size_t next = 0;
    for (std::size_t opening : openings) {
        while (next < closings.size() && closings[next] < opening)
            ++next; // a closing tag before every later opening tag stays text
        if (next < closings.size())
            taken.push_back(closings[next++]);
    }
    std::string result;
    result.reserve(text.size());
    std::size_t position = 0;
    std::size_t opening_index = 0;
    std::size_t taken_index = 0;
    while (position < text.size()) {
        if (opening_index < openings.size() && openings[opening_index] == position) {
            result.push_back(control);
            position += 3;
            ++opening_index;
        } else if (taken_index < taken.size() && taken[taken_index] == position) {
            result.push_back(control);
            position += 4;
            ++taken_index;
        } else {
            result.push_back(text[position++]);
        }
    }
    result.append(openings.size() - taken.size(), control);
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
