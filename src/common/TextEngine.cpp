#include "common/TextEngine.h"

#include "platform/Messages.h"

#include <algorithm>
#include <vector>

namespace pemmaro {

namespace {

constexpr int free_pixels_needed = 4;
constexpr std::size_t measure_limit = 501;
constexpr int unknown_line_height = 13;

std::size_t index_of(FontStyle style, int step, FontColour colour) {
    return static_cast<std::size_t>(static_cast<int>(style) * 10 + (step + 2) * 2 +
                                    static_cast<int>(colour));
}

int plain_height(int base_height, int step) {
    constexpr std::array<int, 5> offsets = {-2, -1, 0, 2, 4};
    return base_height + offsets[static_cast<std::size_t>(step + 2)];
}

// Where the text's first measure_limit characters without markup end: what
// lies beyond is never measured.
std::size_t measured_end(std::string_view text) {
    std::size_t plain = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (!is_markup_code(text[at]) && ++plain == measure_limit)
            return at + 1;
    }
    return text.size();
}

int measured_width(std::string_view text, const DisplayFont& font, const TextMeasurer& measurer) {
    return measurer.text_width(font, without_markup(text.substr(0, measured_end(text))));
}

bool fits(std::string_view text, int available_width, const DisplayFont& font,
          const TextMeasurer& measurer) {
    return available_width - measured_width(text, font, measurer) > free_pixels_needed;
}

// Wraps one line that holds no line break; appends it to result. Widths grow
// with the prefix, so the longest prefix that fits is found by halving over
// the blanks. A line that does not fit measures as its measured part, so no
// break beyond that part fits: only the blanks inside it and the first one
// after it are candidates, which keeps megabyte paragraphs linear.
void wrap_line(std::string_view line, int available_width, const DisplayFont& font,
               const TextMeasurer& measurer, WrappedText& result) {
    std::vector<std::size_t> blanks;
    while (true) {
        int width = measured_width(line, font, measurer);
        std::size_t kept = line.size();
        if (available_width - width <= free_pixels_needed) {
            blanks.clear();
            const std::size_t end = measured_end(line);
            for (std::size_t at = line.find(' '); at != std::string_view::npos;
                 at = line.find(' ', at + 1)) {
                blanks.push_back(at);
                if (at >= end)
                    break;
            }
            if (!blanks.empty()) {
                // At least the first word stays, whether it fits or not.
                std::size_t low = 0;
                std::size_t high = blanks.size();
                while (high - low > 1) {
                    const std::size_t middle = (low + high) / 2;
                    if (fits(line.substr(0, blanks[middle]), available_width, font, measurer))
                        low = middle;
                    else
                        high = middle;
                }
                kept = blanks[low];
                width = measured_width(line.substr(0, kept), font, measurer);
            }
        }
        result.widest = std::max(result.widest, width);
        result.text.append(line.substr(0, kept));
        if (kept >= line.size())
            return;
        result.text.push_back(markup::line_break);
        ++result.lines;
        line.remove_prefix(kept + 1);
    }
}

} // namespace

bool is_markup_code(char c) {
    return c >= markup::italic && c <= markup::green;
}

std::string without_markup(std::string_view text) {
    std::string plain;
    plain.reserve(text.size());
    for (char c : text) {
        if (!is_markup_code(c))
            plain.push_back(c);
    }
    return plain;
}

void DisplayFonts::build(int base_height) {
    base_height_ = base_height;
    for (int step = -2; step <= 2; ++step) {
        const int plain = plain_height(base_height, step);
        for (FontColour colour : {FontColour::black, FontColour::red}) {
            fonts_[index_of(FontStyle::plain, step, colour)] = {FontStyle::plain, step, colour,
                                                                plain};
            fonts_[index_of(FontStyle::italic, step, colour)] = {FontStyle::italic, step, colour,
                                                                 plain};
            fonts_[index_of(FontStyle::bold, step, colour)] = {FontStyle::bold, step, colour,
                                                               std::max(plain, 14)};
        }
    }
}

const DisplayFont& DisplayFonts::font(FontStyle style, int step, FontColour colour) const {
    return fonts_[index_of(style, std::clamp(step, -2, 2), colour)];
}

int line_height(const TextMeasurer& measurer, const DisplayFonts& fonts) {
    const int height = measurer.text_height(fonts.normal());
    if (height > 0)
        return height;
    message("\"GetTextMetrics()\" returned FALSE!");
    return unknown_line_height;
}

int row_height(int line_height) {
    return std::max(30, (3 * line_height) / 2);
}

WrappedText wrap_text(std::string_view text, int available_width, const DisplayFont& font,
                      const TextMeasurer& measurer) {
    WrappedText result;
    result.text.reserve(text.size() + 8);
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(markup::line_break, start);
        wrap_line(text.substr(start, end == std::string_view::npos ? text.npos : end - start),
                  available_width, font, measurer, result);
        if (end == std::string_view::npos)
            return result;
        result.text.push_back(markup::line_break);
        ++result.lines;
        start = end + 1;
    }
}

int paragraph_advance(int lines, int line_height, bool last_line_counts) {
    return (last_line_counts ? lines : lines - 1) * line_height;
}

DisplayFonts& display_fonts() {
    static DisplayFonts fonts;
    return fonts;
}

} // namespace pemmaro
