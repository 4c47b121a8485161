#pragma once
// The text engine: the table of display fonts built from the text size, the
// markup codes that display texts carry, word wrap and paragraph advances.
// Measuring goes through TextMeasurer, so wrapping is tested with a fake
// fixed-width measurer and used with Qt's font metrics.

#include <array>
#include <memory>
#include <string>
#include <string_view>

namespace pemmaro {

namespace markup {
inline constexpr char line_break = 10;
inline constexpr char italic = 11;
inline constexpr char bold = 12;
inline constexpr char link = 13;
inline constexpr char smaller = 14;
inline constexpr char larger = 15;
inline constexpr char red = 16;
inline constexpr char green = 17;
} // namespace markup

bool is_markup_code(char c); // 11 to 17
std::string without_markup(std::string_view text);

enum class FontStyle { italic = 0, plain = 1, bold = 2 };
enum class FontColour { black = 0, red = 1 };

// One display font: "Arial" at a pixel height, in a style and colour.
struct DisplayFont {
    FontStyle style = FontStyle::plain;
    int step = 0; // -2 .. +2
    FontColour colour = FontColour::black;
    int height = 15;
    bool is_italic() const { return style == FontStyle::italic; }
    bool is_bold() const { return style == FontStyle::bold; }
    bool operator==(const DisplayFont&) const = default;
};

inline constexpr std::string_view display_typeface = "Arial";
// The average character width of a font: this sentence's width divided by 72.
inline constexpr std::string_view average_char_width_sample =
    "The quick brown fox, seen at dawn, jumps over the lazy dog by the river.";
static_assert(average_char_width_sample.size() == 72);
inline constexpr int default_text_size = 15;

class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    // Width in pixels of the text (no markup codes) in the font.
    virtual int text_width(const DisplayFont& font, std::string_view text) const = 0;
    // The font's text height (line spacing of the font's metrics); <= 0 when unknown.
    virtual int text_height(const DisplayFont& font) const = 0;
};

// The 30 display fonts (style × size step × colour), the line height h and the
// row height, for one text size.
class DisplayFonts {
public:
    DisplayFonts() { build(default_text_size); }
    explicit DisplayFonts(int base_height) { build(base_height); }

    void build(int base_height);
    const DisplayFont& font(FontStyle style, int step, FontColour colour) const;
    const DisplayFont& normal() const { return font(FontStyle::plain, 0, FontColour::black); }
    const DisplayFont& scientific() const { return font(FontStyle::italic, 0, FontColour::black); }
    int base_height() const { return base_height_; }

    bool operator==(const DisplayFonts&) const = default;

private:
    std::array<DisplayFont, 30> fonts_{};
    int base_height_ = default_text_size;
};

// The line height h of the base font (13 with a message when it is unknown)
// and the row height max(30, 3h/2).
int line_height(const TextMeasurer& measurer, const DisplayFonts& fonts);
int row_height(int line_height);

struct WrappedText {
    std::string text; // with line breaks inserted
    int lines = 1;
    int widest = 0;
};

// Breaks the text at blanks so that each line leaves more than 4 pixels of the
// width free; existing line breaks always end a line.
WrappedText wrap_text(std::string_view text, int available_width, const DisplayFont& font,
                      const TextMeasurer& measurer);

// (lines - 1) × h when the paragraph's last line does not count, else lines × h.
int paragraph_advance(int lines, int line_height, bool last_line_counts);

// The program's fonts: rebuilt when the text size changes.
DisplayFonts& display_fonts();

} // namespace pemmaro
