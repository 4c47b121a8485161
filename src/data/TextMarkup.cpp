#include "data/TextMarkup.h"

#include "data/DataSet.h"
#include "platform/Ansi.h"

#include <QVarLengthArray>
#include <array>
#include <optional>

namespace pemmaro {

namespace {

constexpr std::array<char, 3> style_letters = {'I', 'B', 'U'};
constexpr std::array<char, 3> style_controls = {markup_italic, markup_bold, markup_underline};

struct Tag {
    std::size_t at;
    std::size_t style;
    bool opening;
    bool converted;
    std::size_t length() const { return opening ? 3 : 4; }
};

// Texts hold few tags: these stay on the stack.
using TagList = QVarLengthArray<Tag, 16>;

std::optional<std::size_t> style_of(char letter) {
    for (std::size_t style = 0; style < style_letters.size(); ++style) {
        if (ascii_upper(letter) == style_letters[style])
            return style;
    }
    return std::nullopt;
}

// "<" + letter + ">" and "</" + letter + ">", in either case, in text order.
// Tags cannot overlap, so the styles never disturb each other.
TagList find_tags(std::string_view text) {
    TagList tags;
    for (std::size_t at = text.find('<'); at != std::string_view::npos;
         at = text.find('<', at + 1)) {
        const bool opening = at + 1 < text.size() && text[at + 1] != '/';
        const std::size_t letter_at = opening ? at + 1 : at + 2;
        if (letter_at + 1 >= text.size() || text[letter_at + 1] != '>')
            continue;
        if (const std::optional<std::size_t> style = style_of(text[letter_at]))
            tags.push_back({at, *style, opening, opening});
    }
    return tags;
}

// Each opening tag, in order, takes the first closing tag of its style after
// it that no earlier opening tag took; a closing tag nobody takes stays text.
// Returns how many opening tags of each style found none.
std::array<std::size_t, 3> pair_tags(TagList& tags) {
    std::array<std::size_t, 3> waiting{};
    for (Tag& tag : tags) {
        if (tag.opening) {
            ++waiting[tag.style];
        } else if (waiting[tag.style] > 0) {
            tag.converted = true;
            --waiting[tag.style];
        }
    }
    return waiting;
}

} // namespace

// Each converted tag becomes its style's control character; an opening tag
// without a closing one gets its closing character at the very end.
std::string convert_display_markup(std::string_view text) {
    if (text.find('<') == std::string_view::npos)
        return std::string(text);
    TagList tags = find_tags(text);
    const std::array<std::size_t, 3> unclosed = pair_tags(tags);
    std::string result;
    result.reserve(text.size() + unclosed[0] + unclosed[1] + unclosed[2]);
    std::size_t position = 0;
    for (const Tag& tag : tags) {
        if (!tag.converted)
            continue;
        result.append(text.substr(position, tag.at - position));
        result.push_back(style_controls[tag.style]);
        position = tag.at + tag.length();
    }
    result.append(text.substr(position));
    for (std::size_t style = 0; style < unclosed.size(); ++style)
        result.append(unclosed[style], style_controls[style]);
    return result;
}

} // namespace pemmaro
