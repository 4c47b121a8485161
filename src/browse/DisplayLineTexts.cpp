#include "browse/DisplayLineTexts.h"

#include "browse/DisplayLines.h"
#include "common/LanguageTexts.h"
#include "common/Product.h"
#include "common/ProgramFolders.h"
#include "common/TextAndNumbers.h"

#include <vector>

namespace pemmaro {

namespace {

constexpr std::string_view missing_subspecies = "error with subspecies name";

std::string capitalised_text(const Ttextfile_handler& texts, const TextLine& line) {
    return capitalise_first(texts.text(line));
}

bool recorded_abroad(const Tlocality* locality, const ProductSettings& settings) {
    return settings.capabilities.tells_country_of_recordings_abroad && locality &&
           !locality->country.empty() && locality->country != settings.home_country &&
           (settings.second_country.empty() || locality->country != settings.second_country);
}

} // namespace

void separate(std::string& text, char separator) {
    if (!text.empty() && text.back() != markup::line_break)
        text += separator;
}

std::string recordist_line(const Tcupaitem& item, const CoreContext& context) {
    const Tspecies& species = *item.species;
    const Tcutpart& cut_part = *item.cut_part;
    const ProductSettings& settings = context.product;
    const Ttextfile_handler& texts = context.texts;
    std::string line;
    if (item.subspecies_ref && !species.flag_n) {
        const Trecord_ssp_data& reference = *item.subspecies_ref;
        if (!species.flag_e) {
            separate(line);
            line += capitalised_text(texts, ssp::subspecies) + " " + markup::italic +
                    (reference.subspecies ? reference.subspecies->name
                                          : std::string(missing_subspecies)) +
                    markup::italic;
            if (reference.is_p)
                line += " (" + texts.text(ssp::not_certain) + ")";
            line += ".";
        } else if (reference.is_p) {
            separate(line);
            line += capitalised_text(texts, ssp::subspecies_not_certain) + ".";
        }
        if (settings.capabilities.breaks_line_after_subspecies_remark && !line.empty())
            line += markup::line_break;
    }
    if (cut_part.recordist) {
        separate(line);
        line += capitalise_first(shstr_text(texts, kz_shstr::recorded_by)) + " " + markup::link +
                cut_part.recordist->key + markup::link + ".";
    }
    for (const std::string* part :
         {&item.item_text_2, &cut_part.cut_text_1, &cut_part.cut_text_2}) {
        if (!part->empty()) {
            separate(line);
            line += *part;
        }
    }
    if (settings.capabilities.marks_home_country_recordings && item.flag_x1) {
        separate(line);
        line += std::string(1, markup::smaller) + markup::bold + settings.home_country_text_2 +
                markup::bold;
    }
    return line;
}

std::string locality_line(const Tcupaitem& item, const CoreContext& context) {
    const Tcutpart& cut_part = *item.cut_part;
    std::string line = std::string(1, markup::link) +
                       (cut_part.locality ? locality_display_name(*cut_part.locality) : "") +
                       markup::link;
    if (cut_part.time != -1 || cut_part.date != -1)
        line += " ";
    if (cut_part.time != -1) {
        line += recording_time_text(cut_part.time, context.common.time_separator);
        line += cut_part.date != -1 ? ", " : ".";
    }
    if (cut_part.date != -1)
        line += recording_date_text(cut_part.date) + ".";
    return line.size() == 2 ? std::string() : line;
}

std::string item_note(const Tcupaitem& item) {
    std::string note = item.item_text_1;
    if (note.size() < 25 && !note.empty() && note.back() == '.')
        note.pop_back();
    return note;
}

std::string annotation_of(const Tcupaitem& other, const CoreContext& context) {
    const Ttextfile_handler& texts = context.texts;
    std::vector<std::string> parts;
    const Tspecies& species = *other.species;
    if (species.flag_m)
        parts.push_back(shstr_text(texts, kz_shstr::migrant));
    else if (species.flag_a && context.product.capabilities.annotates_accidental_species)
        parts.push_back(shstr_text(texts, kz_shstr::accidental));
    if (other.number != 100)
        parts.push_back(std::to_string(other.number) + "%");
    if (!other.type_letter.empty())
        parts.push_back(other.type_letter);
    if (const std::string note = item_note(other); !note.empty())
        parts.push_back(note);
    std::string joined;
    for (const std::string& part : parts)
        joined += (joined.empty() ? "" : ". ") + part;
    return joined;
}

std::string species_text(const Tspecies& species, const CoreContext& context) {
    const Ttextfile_handler& texts = context.texts;
    std::string paragraph = species.taxa_text_3;
    if (species.text_author) {
        separate(paragraph);
        paragraph += shstr_text(texts, kz_shstr::author) + ": " + markup::link +
                     species.text_author->key + markup::link + ".";
    }
    if (species.flag_e && species.first_subspecies == nullptr) {
        separate(paragraph, markup::line_break);
        paragraph += shstr_text(texts, kz_shstr::monotypic) + ".";
    }
    return paragraph;
}

std::string recording_text(const Tcupaitem& item, const CoreContext& context) {
    const ProductSettings& settings = context.product;
    const Tlocality* locality = item.cut_part->locality;
    std::string recording = item.item_text_1;
    if (recorded_abroad(locality, settings))
        recording += std::string(1, markup::smaller) + "   " + markup::bold +
                     (settings.edition_english ? "Recorded in " : "Grabado en ") +
                     locality->country + "." + markup::bold;
    return recording;
}

} // namespace pemmaro
