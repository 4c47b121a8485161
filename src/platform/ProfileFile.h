#pragma once
// Windows-style profile (INI) files: sections of key=value lines.
//
// Reading: section and key names are compared without case; the first section
// and the first key of a name win; blanks around names and values are trimmed
// and one pair of matching surrounding quotes is removed from a value.
// Writing keeps every other line byte for byte (line ends, comments, odd bytes)
// and replaces the file through a temporary file and a rename, so a crash never
// leaves half a file.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pemmaro {

// One profile file held in memory; parsing and editing never fail.
class ProfileDocument {
public:
    ProfileDocument() = default;
    explicit ProfileDocument(std::string bytes);

    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    // Keys of a section in file order (first occurrence of each name).
    std::vector<std::string> keys(std::string_view section) const;
    bool has_section(std::string_view section) const;

    // Replaces the first key of that name, or adds it at the end of the first
    // section of that name, or adds the section at the end of the file.
    // CR and LF inside the value become blanks so a value cannot add lines.
    void set_value(std::string_view section, std::string_view key, std::string_view value);
    void remove_key(std::string_view section, std::string_view key);
    void remove_section(std::string_view section);

    const std::string& bytes() const { return bytes_; }

private:
    struct Line {
        std::size_t begin; // offset of the line in bytes_
        std::size_t end;   // offset of its line end (or of the end of bytes_)
        std::size_t next;  // offset of the following line
    };
    struct SectionSpan {
        std::size_t header;    // index into lines_
        std::size_t last_line; // last line index belonging to the section
    };

    void index_lines();
    std::optional<SectionSpan> find_section(std::string_view section) const;
    std::optional<std::size_t> find_key_line(const SectionSpan& span, std::string_view key) const;
    std::string_view line_text(std::size_t index) const;
    std::string line_end() const;
    void replace_range(std::size_t from, std::size_t to, std::string_view text);

    std::string bytes_;
    std::vector<Line> lines_;
};

struct ProfileReadResult {
    bool readable = false; // false: missing, a directory or unreadable
    ProfileDocument document;
};

ProfileReadResult read_profile_file(const std::string& path);

// Applies the edit to the file's current content and saves it atomically.
// Writes of several processes to one file follow each other (a lock on the
// companion file "<file>.lock"). Returns false (and changes nothing) when the
// file cannot be read as an existing plain file or cannot be written (the
// write goes through FileReplacement, and so through the file fault seam).
bool update_profile_file(const std::string& path,
                         const std::function<void(ProfileDocument&)>& edit);

// Test seam: called after the new content is written to the temporary file and
// before it replaces the old file.
void set_profile_commit_hook(std::function<void()> hook);

// GetPrivateProfileString / GetPrivateProfileInt semantics on one file.
std::string profile_string(const std::string& path, std::string_view section, std::string_view key,
                           std::string_view default_value, std::size_t max_length);
long profile_integer(const std::string& path, std::string_view section, std::string_view key,
                     long default_value);
// The integer reading of a profile value: leading decimal (or 0x hex) digits,
// 0 when there are none, 0 for negative values.
long profile_integer_of(std::string_view value);

} // namespace pemmaro
