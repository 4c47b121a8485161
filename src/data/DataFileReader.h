#pragma once
// The reader of the data text files: named sections of lines ("@#[NAME]"),
// unnamed records ("@#[]"), continuation lines ("#*&"). One file is open at a
// time; the line at which a read stopped is kept for the next read.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pemmaro {

struct CommonServices;
struct CoreContext;
struct ProductSettings;

// Reading flags.
inline constexpr int report_missing = 1;
inline constexpr int open_file = 2;
inline constexpr int optional_file = 4;
inline constexpr int close_file = 8;
inline constexpr int rewind_file = 16;

struct SectionRead {
    int count = 0;            // lines stored
    bool found = false;       // the header was found
    bool file_present = true; // false only when an optional file is absent
};

class TDataFileReader {
public:
    // Data files are looked for in the context's folders (current, start-up
    // and program directory); the fatal reports take the words of its texts.
    explicit TDataFileReader(const CoreContext& context);

    // Reads the next section of that name into lines[0..highest_index]; elements
    // from count on are empty afterwards (unless the section was not found).
    // Missing files and sections (as the flags say) and I/O errors are fatal.
    SectionRead read_section(std::string_view file_name, std::string_view section_name,
                             int highest_index, std::vector<std::string>& lines, int flags);

    const std::string& full_file_name() const { return full_name_; }
    // The line at which the last read stopped is exactly this text.
    bool last_line_is(std::string_view text) const { return has_last_line_ && last_line_ == text; }
    bool is_open() const { return open_; }
    void close();

private:
    [[noreturn]] void io_error(int code, const std::string& full_name) const;
    bool next_line();
    void open(std::string_view file_name, int flags, SectionRead& result);

    const CommonServices* folders_;
    std::array<std::string, 6> texts_; // the lines of "KZ_DATA" at 1..5
    std::string content_;
    std::size_t position_ = 0; // start of the line after last_line_
    std::string_view last_line_;
    bool has_last_line_ = false;
    bool just_opened_ = false;
    bool open_ = false;
    std::string full_name_;
    // Elements of this vector at and above lines_in_use_ are known to be empty.
    const std::vector<std::string>* lines_owner_ = nullptr;
    std::size_t lines_in_use_ = 0;
};

// Field conversions.
// A signed decimal integer: leading blanks allowed, nothing after the digits.
std::optional<long> number_of(std::string_view text);
// -1 for an empty text, else the leading number (what was read so far counts).
long optional_number_of(std::string_view text);
// The leading digits of the text (after blanks and a sign) as a number, 0 when none.
long leading_number_of(std::string_view text);
// The value after a keyword: the five characters that follow one character after
// it, digits only; fatal "Error occured when converting <description>!" when
// nothing is left; 0 when the keyword is absent.
long keyword_value(std::string_view line, std::string_view keyword, std::string_view description);
struct CommaSplit {
    std::string_view first;
    std::string_view second;
};
CommaSplit split_at_first_comma(std::string_view text);
// "12.5" or "-3.25" or "7"; none when unreadable.
std::optional<long double> decimal_with_point(std::string_view text);

// "<file> corrupt! Error <n>" (Spanish and Dutch editions have their own words).
[[noreturn]] void corrupt_file_report(const ProductSettings& product, std::string_view file_name,
                                      int number);

} // namespace pemmaro
