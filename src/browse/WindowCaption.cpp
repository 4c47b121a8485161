#include "browse/WindowCaption.h"

#include "browse/DisplayLines.h"
#include "data/DataSet.h"

namespace pemmaro {

namespace {

const std::string* name_of_kind(const Tspecies& species, int kind) {
    if (kind == 1)
        return &species.scientific_name;
    if (kind == 2)
        return &species.language_name;
    return nullptr;
}

bool all_blanks(const std::string& text) {
    return text.find_first_not_of(' ') == std::string::npos;
}

} // namespace

std::string species_window_caption(const Tspecies& species,
                                   const std::optional<Trecord_ssp_data>& subspecies,
                                   std::uint32_t name_options, const Ttextfile_handler& texts) {
    const std::string* first = name_of_kind(species, name_kind_at(1, name_options));
    std::string caption = first ? *first : std::string();
    const std::string* second = name_of_kind(species, name_kind_at(2, name_options));
    if (second && !second->empty() && !all_blanks(caption))
        caption += " (" + *second + ")";
    if (species.flag_e && subspecies) {
        caption += ", ";
        caption += subspecies->subspecies ? subspecies->subspecies->name
                                          : std::string("error with subspecies name");
        caption += " " + shstr_text(texts, kz_shstr::subspecies);
        if (subspecies->is_p)
            caption += " (" + shstr_text(texts, kz_shstr::not_certain) + ")";
    }
    return caption;
}

} // namespace pemmaro
