#pragma once
// The language text file: every text the user reads, in named sections, one
// text per line, addressed by section and line number counted from 1.

#include "common/TextLines.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace pemmaro {

class Ttextfile_handler {
public:
    enum class Status { ok, duplicate_section };

    // Parses the whole content of a language text file.
    explicit Ttextfile_handler(std::string_view content);
    Ttextfile_handler() = default;

    Status status() const { return status_; }
    // The section name read twice, with the status duplicate_section.
    const std::string& duplicate_name() const { return duplicate_name_; }

    std::string text(std::string_view section, int n) const;
    std::string text(const TextLine& line) const { return text(line.section, line.number); }
    // Elements 0..highest_index get the section's lines in order; shorter lines
    // are padded with blanks to min_length, longer ones cut to a positive max_length.
    std::vector<std::string> texts(std::string_view section, int highest_index, int max_length = 0,
                                   int min_length = 0) const;
    int line_count(std::string_view section) const;
    // Line 1 of "OUT_OF_MEMORY", ready before memory runs out.
    const std::string& out_of_memory_text() const { return out_of_memory_; }
    bool has_section(std::string_view section) const;

    bool operator==(const Ttextfile_handler&) const = default;

private:
    const std::vector<std::string>* lines_of(std::string_view section) const;

    std::map<std::string, std::vector<std::string>> sections_; // upper-cased names
    Status status_ = Status::ok;
    std::string duplicate_name_;
    std::string out_of_memory_;
};

// The program's one language text object.
Ttextfile_handler& textfile();

// Opens the language text file named by "Text File" (default "Pemmaro.txt")
// with the data-file lookup; missing file or duplicated section: fatal.
void open_language_texts();

// Shorthands on the program's language texts.
std::string text(std::string_view section, int n);
std::string text(const TextLine& line);
std::vector<std::string> texts(std::string_view section, int highest_index, int max_length = 0,
                               int min_length = 0);

// Text that is shown when memory runs out (line 1 of "OUT_OF_MEMORY").
const std::string& out_of_memory_message();

} // namespace pemmaro
