#include "data/Areas.h"
#include "data/Loaders.h"
#include "data/TextMarkup.h"
#include "platform/Ansi.h"
#include "platform/Messages.h"

#include <algorithm>
#include <array>
#include <unordered_set>

namespace pemmaro {

namespace {

constexpr std::string_view names_file = "names_sc.txt";
constexpr std::string_view taxa_file = "taxa.txt";
constexpr std::string_view orders_file = "syst_ord.txt";
constexpr std::string_view record_header = "@#[]";
constexpr int species_record_highest = 1599;
constexpr std::array<std::string_view, 4> text_author_fragments = {"Tamrek", "Vandrel", "Orvin",
                                                                   "Callowden"};

bool has_letter(std::string_view word, char letter) {
    return word.find(letter) != std::string_view::npos;
}

// One map reference: '"' name '"', one separating character, eight flag
// characters ("Mask" first, "Main" last). Returns where the reference ends.
struct ParsedMapReference {
    MapReference reference;
    bool is_main = false;
    std::size_t end = 0;
};

ParsedMapReference parse_map_reference(const Tdata& data, std::string_view line, std::size_t at) {
    ParsedMapReference parsed;
    const std::size_t name_start = std::min(at + 1, line.size());
    const std::size_t name_end = std::min(line.find('"', name_start), line.size());
    const std::string_view name = line.substr(name_start, name_end - name_start);
    const std::size_t flags_start = std::min(name_end + 2, line.size());
    const std::string_view flags = line.substr(flags_start, 8);
    parsed.reference.map = data.maps.find(name);
    if (parsed.reference.map == nullptr)
        fatal("Inconsistency in the file with scientific names: can't find map!");
    parsed.reference.is_mask = flags.substr(0, 4) == "Mask";
    parsed.is_main = flags.size() == 8 && flags.substr(4, 4) == "Main";
    parsed.end = flags_start + 8;
    return parsed;
}

void read_map_references(const Tdata& data, Tspecies& species, std::string_view line) {
    const std::size_t map_part = line.find("D(");
    const std::size_t first_at = map_part == std::string_view::npos ? line.size() : map_part + 2;
    const ParsedMapReference first = parse_map_reference(data, line, first_at);
    species.map_count = 1;
    species.maps[1] = first.reference;
    if (first.end < line.size() && line[first.end] == ',') {
        const ParsedMapReference second = parse_map_reference(data, line, first.end + 1);
        species.map_count = 2;
        species.maps[2] = second.reference;
        if (second.is_main)
            std::swap(species.maps[1], species.maps[2]);
    }
}

int threat_status_of(std::string_view line) {
    const std::size_t at = line.find("T(");
    const std::string code = at == std::string_view::npos ? "" : upper_case(line.substr(at + 2, 2));
    constexpr std::array<std::string_view, 4> codes = {"VU", "EN", "CR", "EX"};
    for (std::size_t i = 0; i < codes.size(); ++i) {
        if (code == codes[i])
            return static_cast<int>(i) + 1;
    }
    return 0;
}

void apply_region_rule(Tspecies& species, const ProductSettings& product,
                       std::string_view distribution) {
    const long id = species.species_id;
    const auto mentions = [distribution](char letter) {
        return distribution.find(letter) != std::string_view::npos;
    };
    switch (product.capabilities.region_rule) {
    case RegionRule::species_id_below_million:
        species.in_region = id < 1000000;
        break;
    case RegionRule::species_id_below_million_or_2005002:
        species.in_region = id < 1000000 || id == 2005002;
        break;
    case RegionRule::species_id_from_52000_to_55500:
        species.in_region = id >= 52000 && id <= 55500;
        break;
    case RegionRule::distribution_mentions_v:
        species.in_region = mentions('V');
        break;
    case RegionRule::distribution_mentions_c_or_p:
        species.in_region = mentions('C') || mentions('P');
        break;
    case RegionRule::every_species:
        species.in_region = true;
        break;
    }
    species.occurrence_areas =
        create_area_from_text(product.capabilities, distribution, true, species.scientific_name);
}

void read_flag_line(const Tdata& data, Tspecies& species, const ProductSettings& product,
                    std::string_view line) {
    const std::string_view word = line.substr(0, line.find(','));
    species.flag_a = has_letter(word, 'A');
    species.flag_m = has_letter(word, 'M');
    species.flag_s = has_letter(word, 'S');
    species.has_recording_items = has_letter(word, 'C');
    if (has_letter(word, 'D')) {
        switch (product.capabilities.map_references) {
        case MapReferences::map_file_only:
            species.has_map_file = true;
            break;
        case MapReferences::read:
            read_map_references(data, species, line);
            break;
        case MapReferences::ignored:
            break;
        }
    }
    species.flag_e = has_letter(word, 'E') || product.forces_flag_e;
    species.flag_n = has_letter(word, 'N') && !species.flag_e;
    species.threat_status = has_letter(word, 'T') ? threat_status_of(line) : 0;
}

void read_identifiers(Tspecies& species, std::string_view line) {
    const std::size_t blank = line.find(' ');
    const std::optional<long> species_id = number_of(line.substr(0, blank));
    if (!species_id)
        fatal("Error occured when converting species ID!");
    const std::string_view unique_text =
        blank == std::string_view::npos ? std::string_view() : line.substr(blank + 1, 100);
    const std::optional<long> unique_id = number_of(unique_text);
    if (!unique_id)
        fatal("Error occured when converting unique ID!");
    species.species_id = static_cast<int>(*species_id);
    species.unique_id = static_cast<int>(*unique_id);
}

void read_subspecies(Tdata& data, Tspecies& species, const std::vector<std::string>& lines,
                     int count) {
    Tsubspecies* last = nullptr;
    for (int index = 5; index < count && !lines[static_cast<std::size_t>(index)].empty(); ++index) {
        Tsubspecies& subspecies = data.subspecies_store.emplace_back();
        subspecies.name = lines[static_cast<std::size_t>(index)];
        subspecies.number = ++species.subspecies_count;
        (last ? last->next_subspecies : species.first_subspecies) = &subspecies;
        last = &subspecies;
    }
}

Tspecies& build_species(LoadContext& context, Tfamily& family, int count,
                        const std::array<Tperson*, 4>& authors) {
    Tdata& data = context.data;
    Tspecies& species = data.species_store.emplace_back();
    species.scientific_name = line_of(context, count, 0);
    read_identifiers(species, line_of(context, count, 1));
    data.species_by_unique_id.add(std::to_string(species.unique_id), &species);
    species.family_directory_name = family.directory_name;
    species.family = &family;
    read_flag_line(data, species, context.core.product, line_of(context, count, 2));
    apply_region_rule(species, context.core.product, line_of(context, count, 3));
    const std::optional<long> author = number_of(line_of(context, count, 4));
    if (author && *author >= 1 && *author <= 4)
        species.text_author = authors[static_cast<std::size_t>(*author - 1)];
    read_subspecies(data, species, context.lines, count);
    return species;
}

std::string section_of_family(std::string_view prefix, int family_number) {
    return std::string(prefix) + std::to_string(family_number);
}

void read_species_names(LoadContext& context, const std::array<Tperson*, 4>& authors) {
    int family_number = 0;
    for (Tfamily* family = context.data.first_family[1]; family; family = family->next_family) {
        ++family_number;
        const int flags = report_missing | (family_number == 1 ? open_file : 0);
        context.reader.read_section(names_file, section_of_family("SPECIES ", family_number), 2,
                                    context.lines, flags);
        Tspecies* last = nullptr;
        while (context.reader.last_line_is(record_header)) {
            const SectionRead record = context.reader.read_section(
                names_file, "", species_record_highest, context.lines, report_missing);
            Tspecies& species = build_species(context, *family, record.count, authors);
            (last ? last->next_species[1] : family->first_species[1]) = &species;
            last = &species;
        }
    }
    context.reader.close();
}

void read_species_texts(LoadContext& context) {
    const int families = context.data.family_count[1];
    int family_number = 0;
    for (Tfamily* family = context.data.first_family[1]; family; family = family->next_family) {
        ++family_number;
        const int flags = report_missing | (family_number == 1 ? open_file : 0) |
                          (family_number == families ? close_file : 0);
        const SectionRead section =
            context.reader.read_section(taxa_file, section_of_family("SPECIES ", family_number),
                                        species_record_highest, context.lines, flags);
        int k = 0;
        for (Tspecies* species = family->first_species[1]; species;
             species = species->next_species[1], ++k) {
            const auto line = [&](int offset) {
                return line_of(context, section.count, 4 * k + offset);
            };
            species->language_name = line(0);
            species->taxa_text_2 = convert_display_markup(line(1));
            species->taxa_text_3 = convert_display_markup(line(2));
            species->taxa_text_4 = convert_display_markup(line(3));
        }
    }
    context.reader.close();
}

// Families with no species before the wanted number are dropped from the order.
Tfamily* advance_to_family(Tdata& data, int order, Tfamily* current, Tfamily*& previous,
                           int& current_number, long wanted) {
    while (current && wanted > current_number) {
        Tfamily* next = current->next_family;
        if (current->first_species[static_cast<std::size_t>(order)] == nullptr) {
            (previous ? previous->next_family
                      : data.first_family[static_cast<std::size_t>(order)]) = next;
            --data.family_count[static_cast<std::size_t>(order)];
        } else {
            previous = current;
        }
        current = next;
        ++current_number;
    }
    return current;
}

void read_order_families(LoadContext& context, int order, const std::string& suffix) {
    const SectionRead families = context.reader.read_section(
        orders_file, "FAMILIES" + suffix, 249, context.lines, report_missing | open_file);
    Tdata& data = context.data;
    const auto k = static_cast<std::size_t>(order);
    data.family_count[k] = families.count;
    data.first_family[k] = nullptr;
    Tfamily* last = nullptr;
    for (int i = 0; i < families.count; ++i) {
        const CommaSplit names = split_at_first_comma(context.lines[static_cast<std::size_t>(i)]);
        Tfamily& family = data.family_store.emplace_back();
        family.scientific_name = names.first;
        family.language_name = names.second;
        (last ? last->next_family : data.first_family[k]) = &family;
        last = &family;
    }
}

void read_order_species(LoadContext& context, int order, const std::string& suffix) {
    const SectionRead species_lines = context.reader.read_section(
        orders_file, "SPECIES" + suffix, 4999, context.lines, report_missing | close_file);
    Tdata& data = context.data;
    const auto k = static_cast<std::size_t>(order);
    for (Tspecies& species : data.species_store)
        species.order_position[k] = -1;
    Tfamily* current = data.first_family[k];
    Tfamily* previous = nullptr;
    int current_number = 1;
    Tspecies* last = nullptr;
    for (int i = 0; i < species_lines.count && !context.lines[static_cast<std::size_t>(i)].empty();
         ++i) {
        const CommaSplit parts = split_at_first_comma(context.lines[static_cast<std::size_t>(i)]);
        const std::optional<long> unique_id = number_of(parts.second);
        Tspecies* species = unique_id ? data.species_by_id(static_cast<int>(*unique_id)) : nullptr;
        // A species listed twice keeps its first place; a second would loop the chain.
        if (species == nullptr || species->order_position[k] != -1)
            continue;
        species->order_position[k] = i;
        const std::optional<long> family_number = number_of(parts.first);
        if (!family_number)
            fatal("Error in file \"" + system_text(context.reader.full_file_name()) +
                  "\": error converting family nr");
        Tfamily* before = current;
        current = advance_to_family(data, order, current, previous, current_number, *family_number);
        if (current != before)
            last = nullptr; // families only move on, so a new current family has no species yet
        if (current == nullptr)
            fatal("Error in file \"" + std::string(orders_file) + "\": family nr " +
                  std::to_string(*family_number) + " is not in the family list");
        (last ? last->next_species[k] : current->first_species[k]) = species;
        species->next_species[k] = nullptr;
        last = species;
    }
    data.order_complete[k] =
        std::none_of(data.species_store.begin(), data.species_store.end(),
                     [k](const Tspecies& s) { return s.order_position[k] == -1; });
}

// Items of each cut part in the order's species sequence; of several items of
// one species only the first is chained, wherever the others stand (all
// species outside the order share position -1). Items of species outside the
// order come first, in file order.
void chain_items_for_order(Tdata& data, int order) {
    const auto k = static_cast<std::size_t>(order);
    std::vector<Tcupaitem*> items;
    std::unordered_set<const Tspecies*> chained;
    for (Tcutpart& cut_part : data.cut_part_store) {
        items.clear();
        chained.clear();
        for (Tcupaitem* item = cut_part.first_recording_item[1]; item;
             item = item->next_item_of_cut_part[1])
            items.push_back(item);
        std::stable_sort(items.begin(), items.end(), [k](const Tcupaitem* a, const Tcupaitem* b) {
            return a->species->order_position[k] < b->species->order_position[k];
        });
        std::size_t kept = 0;
        for (Tcupaitem* item : items) {
            if (chained.insert(item->species).second)
                items[kept++] = item;
        }
        items.resize(kept);
        cut_part.first_recording_item[k] = items.empty() ? nullptr : items.front();
        for (std::size_t i = 0; i < items.size(); ++i)
            items[i]->next_item_of_cut_part[k] = i + 1 < items.size() ? items[i + 1] : nullptr;
    }
}

} // namespace

void load_families(LoadContext& context) {
    std::vector<std::string> names;
    const SectionRead read_names = context.reader.read_section(
        names_file, "FAMILIES", 499, names, report_missing | open_file | close_file);
    const SectionRead read_taxa = context.reader.read_section(
        taxa_file, "FAMILIES", 249, context.lines, report_missing | open_file | close_file);
    Tdata& data = context.data;
    data.family_count[1] = read_names.count / 2;
    Tfamily* last = nullptr;
    for (int i = 1; i <= data.family_count[1]; ++i) {
        Tfamily& family = data.family_store.emplace_back();
        family.scientific_name = names[static_cast<std::size_t>(2 * i - 2)];
        family.directory_name = names[static_cast<std::size_t>(2 * i - 1)];
        family.language_name = line_of(context, read_taxa.count, i - 1);
        (last ? last->next_family : data.first_family[1]) = &family;
        last = &family;
    }
}

void load_species(LoadContext& context) {
    std::array<Tperson*, 4> authors{};
    for (std::size_t i = 0; i < authors.size(); ++i)
        authors[i] = context.data.person_by_fragment(text_author_fragments[i]);
    if (context.data.first_family[1] == nullptr)
        return;
    read_species_names(context, authors);
    context.data.species_by_unique_id.finish();
    read_species_texts(context);
}

void load_systematic_orders(LoadContext& context) {
    for (int order = 2; order <= 3; ++order) {
        const std::string suffix = "_" + std::to_string(order - 1);
        read_order_families(context, order, suffix);
        read_order_species(context, order, suffix);
        chain_items_for_order(context.data, order);
    }
}

} // namespace pemmaro
