#include "data/Loaders.h"
#include "data/TextMarkup.h"
#include "platform/Messages.h"

#include <unordered_map>

namespace pemmaro {

namespace {

constexpr std::string_view maps_file = "mapsdata.txt";
constexpr std::string_view people_file = "people.txt";
constexpr std::string_view localities_file = "locality.txt";
constexpr std::string_view pictures_file = "big_pict.txt";

long double map_value(std::string_view text) {
    return decimal_with_point(text).value_or(0);
}

void read_map_values(Tmap_data& map, std::string_view line) {
    std::array<long double, 4> values{};
    for (long double& value : values) {
        const CommaSplit part = split_at_first_comma(line);
        value = map_value(part.first);
        line = part.second;
    }
    map.first_pair = {values[0], values[2]};
    map.second_pair = {values[1], values[3]};
}

std::string adapted_country(std::string country, const ProductSettings& product) {
    if (country == "Brazil" && (product.edition_spanish || product.edition_portuguese))
        return "Brasil";
    if (country == "Peru" && product.edition_spanish)
        return "Per\xfa";
    return country;
}

void read_coordinates(Tlocality& locality, std::string_view line) {
    const auto group = [&](std::size_t start) {
        return start < line.size() ? line.substr(start, 8) : std::string_view();
    };
    const auto mark = [&](std::size_t at) { return at < line.size() && line[at] == 'D'; };
    locality.latitude = static_cast<int>(leading_number_of(group(0)));
    locality.latitude_marked_d = mark(8);
    locality.longitude = static_cast<int>(leading_number_of(group(9)));
    locality.longitude_marked_d = mark(17);
}

// The last picture of each species so far: appending never walks a chain,
// however many pictures one species has.
using LastPictures = std::unordered_map<const Tspecies*, Tbig_picture*>;

void build_big_picture(LoadContext& context, int count, LastPictures& last_pictures) {
    Tdata& data = context.data;
    const std::optional<long> unique_id = number_of(line_of(context, count, 0));
    Tspecies* species = unique_id ? data.species_by_id(static_cast<int>(*unique_id)) : nullptr;
    if (species == nullptr)
        fatal("Serious error when reading data, unique ID in big_pict.txt not found in species "
              "list!");
    ++species->big_picture_count;
    Tbig_picture& picture = data.big_picture_store.emplace_back();
    picture.species = species;
    const std::string subspecies = line_of(context, count, 1);
    if (!subspecies.empty())
        picture.subspecies_ref = read_subspecies_reference(*species, subspecies);
    const std::string photographer = line_of(context, count, 2);
    if (!photographer.empty()) {
        picture.photographer = data.persons.find(photographer);
        if (picture.photographer == nullptr)
            fatal("Inconsistency in file \"big_pict.txt\"!");
    }
    picture.picture_value = static_cast<int>(optional_number_of(line_of(context, count, 3)));
    const std::string locality = line_of(context, count, 4);
    if (!locality.empty()) {
        picture.locality = data.localities.find(locality);
        if (picture.locality == nullptr)
            corrupt_file_report(context.core.product, pictures_file, 1);
    }
    const std::string flags = line_of(context, count, 5);
    picture.in_show = flags.find("NSS") == std::string::npos;
    picture.flag_x1 = flags.find("X1") != std::string::npos;
    if (picture.in_show)
        species->has_show_picture = true;
    picture.caption = convert_display_markup(line_of(context, count, 6));
    Tbig_picture*& last = last_pictures[species];
    picture.previous_picture = last;
    picture.picture_number = last ? last->picture_number + 1 : 1;
    (last ? last->next_picture : species->first_big_picture) = &picture;
    last = &picture;
}

} // namespace

std::optional<Trecord_ssp_data> read_subspecies_reference(const Tspecies& species,
                                                          std::string_view line) {
    Trecord_ssp_data reference;
    const std::size_t p_mark = line.find("(P)");
    reference.is_p = p_mark != std::string_view::npos;
    const std::string_view name =
        reference.is_p ? line.substr(0, p_mark == 0 ? 0 : p_mark - 1) : line;
    for (Tsubspecies* subspecies = species.first_subspecies; subspecies;
         subspecies = subspecies->next_subspecies) {
        if (subspecies->name == name) {
            reference.subspecies = subspecies;
            return reference;
        }
    }
    message("Error occured with a subspecies \"" + std::string(name) + "\"", MessageIcon::error);
    return reference;
}

void load_map_data(LoadContext& context) {
    Tdata& data = context.data;
    for_each_record(context, maps_file, 2, open_file, [&](int count) {
        Tmap_data& map = data.map_store.emplace_back();
        map.name = line_of(context, count, 0);
        map.map_number = static_cast<int>(leading_number_of(line_of(context, count, 1)));
        read_map_values(map, line_of(context, count, 2));
        data.maps.add(map.name, &map);
    });
    data.maps.finish();
}

void load_people(LoadContext& context) {
    Tdata& data = context.data;
    for_each_record(context, people_file, 3, open_file, [&](int count) {
        Tperson& person = data.person_store.emplace_back();
        person.key = line_of(context, count, 0);
        person.person_text_1 = line_of(context, count, 1);
        person.person_text_2 = line_of(context, count, 2);
        if (data.first_person == nullptr)
            data.first_person = &person;
        data.persons.add(person.key, &person);
    });
    data.persons.finish();
}

void load_localities(LoadContext& context) {
    Tdata& data = context.data;
    const ProductSettings& product = context.core.product;
    for_each_record(context, localities_file, 8, open_file, [&](int count) {
        Tlocality& locality = data.locality_store.emplace_back();
        locality.key = line_of(context, count, 0);
        locality.name = line_of(context, count, 1);
        locality.region_text = line_of(context, count, 2);
        locality.country = line_of(context, count, 3);
        locality.prefix_text = line_of(context, count, 4);
        locality.show_country = !(product.capabilities.omits_home_country_of_localities &&
                                  locality.country == product.home_country);
        locality.country = adapted_country(std::move(locality.country), product);
        locality.locality_text = convert_display_markup(line_of(context, count, 5));
        read_coordinates(locality, line_of(context, count, 6));
        locality.description_file = convert_display_markup(line_of(context, count, 8));
        data.localities.add(locality.key, &locality);
    });
    data.localities.finish();
    for (const auto& entry : data.localities) {
        if (!entry.object->description_file.empty())
            data.localities_by_description_name.add(locality_display_name(*entry.object),
                                                    entry.object);
    }
    data.localities_by_description_name.finish();
}

void load_big_pictures(LoadContext& context) {
    LastPictures last_pictures;
    for_each_record(context, pictures_file, 6, open_file | optional_file,
                    [&](int count) { build_big_picture(context, count, last_pictures); });
}

} // namespace pemmaro
