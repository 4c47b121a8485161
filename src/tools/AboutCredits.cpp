#include "tools/AboutCredits.h"

#include "common/LanguageTexts.h"
#include "common/Product.h"
#include "common/TextEngine.h"
#include "common/TextLines.h"
#include "data/DataSet.h"
#include "platform/Ansi.h"

#include <set>

namespace pemmaro {

namespace {

std::string toggled(char code, const std::string& text) {
    return code + text + code;
}

// The people that a role names, in the order of the people's index.
std::vector<const Tperson*> in_index_order(const Tdata& data,
                                           const std::set<const Tperson*>& named) {
    std::vector<const Tperson*> people;
    for (const auto& entry : data.persons) {
        if (named.count(entry.object))
            people.push_back(entry.object);
    }
    return people;
}

std::vector<const Tperson*> recordists(const Tdata& data) {
    std::set<const Tperson*> named;
    for (const Tcutpart& cut_part : data.cut_part_store) {
        if (cut_part.recordist)
            named.insert(cut_part.recordist);
    }
    return in_index_order(data, named);
}

std::vector<const Tperson*> photographers(const Tdata& data) {
    std::set<const Tperson*> named;
    for (const Tbig_picture& picture : data.big_picture_store) {
        if (picture.photographer)
            named.insert(picture.photographer);
    }
    return in_index_order(data, named);
}

std::vector<const Tperson*> text_authors(const Tdata& data) {
    std::set<const Tperson*> named;
    for (const Tspecies& species : data.species_store) {
        if (species.text_author)
            named.insert(species.text_author);
    }
    return in_index_order(data, named);
}

void add_group(AboutText& text, const std::string& heading, const std::vector<AboutLine>& names) {
    if (names.empty())
        return;
    std::vector<AboutLine> group{{toggled(markup::bold, heading)}};
    group.insert(group.end(), names.begin(), names.end());
    text.groups.push_back(std::move(group));
}

std::vector<AboutLine> person_lines(const std::vector<const Tperson*>& people) {
    std::vector<AboutLine> lines;
    for (const Tperson* person : people)
        lines.push_back({toggled(markup::link, person->key), person, 1});
    return lines;
}

// "A. Name, B. Name": each name a link when the data set knows the person.
std::vector<AboutLine> named_lines(const Tdata& data, const std::string& names) {
    std::vector<AboutLine> lines;
    std::size_t start = 0;
    while (start < names.size()) {
        std::size_t end = names.find(',', start);
        if (end == std::string::npos)
            end = names.size();
        const std::string name(trim_blanks(std::string_view(names).substr(start, end - start)));
        start = end + 1;
        if (name.empty())
            continue;
        if (const Tperson* person = data.person_by_key(name))
            lines.push_back({toggled(markup::link, person->key), person, 1});
        else
            lines.push_back({name, nullptr, 1});
    }
    return lines;
}

} // namespace

AboutText about_text(const Tdata& data, const Ttextfile_handler& texts,
                     const ProductSettings& product) {
    AboutText text;
    text.head.push_back({toggled(markup::bold, product.product_title)});
    text.head.push_back({texts.text(kz_about::subtitle)});
    text.head.push_back({texts.text(kz_about::version) + " " + product.product_version});
    add_group(text, texts.text(kz_about::sound_recordings), person_lines(recordists(data)));
    add_group(text, texts.text(kz_about::photographs), person_lines(photographers(data)));
    add_group(text, texts.text(kz_about::species_texts), person_lines(text_authors(data)));
    for (int n = 1; n <= about_credits::further_headings; ++n)
        add_group(text, texts.text(kz_about::further_heading(n)),
                  named_lines(data, texts.text(about_credits::names_under(n))));
    bool names_people = false;
    for (const std::vector<AboutLine>& group : text.groups)
        for (const AboutLine& line : group)
            names_people = names_people || line.person;
    if (names_people)
        text.foot.push_back({toggled(markup::italic, texts.text(kz_about::click_a_name))});
    if (const std::string address = maker_address(texts); !address.empty())
        text.foot.push_back(
            {texts.text(kz_about::more_on_the_web) + " " + toggled(markup::link, address)});
    const std::string maker = texts.text(about_credits::maker);
    text.foot.push_back(
        {texts.text(kz_about::copyright) + (maker.empty() ? "" : " \xA9 " + maker)});
    text.foot.push_back({texts.text(kz_about::all_rights_reserved)});
    text.foot.push_back({texts.text(kz_about::no_copies)});
    return text;
}

std::string maker_address(const Ttextfile_handler& texts) {
    return texts.text(about_credits::maker_address);
}

} // namespace pemmaro
