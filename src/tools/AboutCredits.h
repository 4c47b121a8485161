#pragma once
// The text of the about window, line by line: the product's title and
// version, the credits (the people of the data set's recordings, photographs
// and species texts, then those the language file names), and the maker's
// web address. A line that names a person of the data set is a link to the
// person pop-up; the maker's address is a link to its web site.

#include <string>
#include <vector>

namespace pemmaro {

struct ProductSettings;
struct Tperson;
class Tdata;
class Ttextfile_handler;

struct AboutLine {
    std::string text;                // marked up
    const Tperson* person = nullptr; // the person this line names
    int indent = 0;                  // in steps
};

// The title lines, the credit groups (a heading and its names) and the
// closing lines.
struct AboutText {
    std::vector<AboutLine> head;
    std::vector<std::vector<AboutLine>> groups;
    std::vector<AboutLine> foot;
};

AboutText about_text(const Tdata& data, const Ttextfile_handler& texts,
                     const ProductSettings& product);

// The address opened by a click on the window's one underlined item that is
// not a person; empty when the edition names none.
std::string maker_address(const Ttextfile_handler& texts);

} // namespace pemmaro
