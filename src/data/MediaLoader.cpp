#include "common/AudioCdSettings.h"
#include "common/SettingsFile.h"
#include "data/DataLoading.h"
#include "data/Loaders.h"
#include "data/TextMarkup.h"
#include "platform/Messages.h"

#include <limits>
#include <unordered_map>

namespace pemmaro {

namespace {

constexpr std::string_view media_file = "othermedia.txt";
constexpr std::string_view cut_parts_file = "cutparts.txt";
constexpr std::string_view items_file = "cupaitem.txt";
constexpr int items_highest = 1599;

bool is_digit_char(char c) {
    return c >= '0' && c <= '9';
}

// "12A005b": tape 12, side A, cut number from the next three characters, sub letter b.
void read_cut_part_key(Tcutpart& cut_part) {
    const std::string& key = cut_part.key;
    std::size_t at = 0;
    while (at < key.size() && is_digit_char(key[at]))
        ++at;
    cut_part.tape_number = static_cast<int>(leading_number_of(std::string_view(key).substr(0, at)));
    if (at >= key.size())
        fatal("Error in file \"cutparts.txt\": the cut part key \"" + key +
              "\" has no side letter!");
    cut_part.side_letter = key[at];
    const std::string_view cut = std::string_view(key).substr(at + 1, 3);
    cut_part.cut_number =
        static_cast<int>(leading_number_of(cut.substr(0, cut.find_first_not_of("0123456789"))));
    cut_part.sub_letter = at + 4 < key.size() ? key[at + 4] : ' ';
}

void read_sound_file(Tcutpart& cut_part, std::string_view compression, std::string_view length) {
    const std::optional<long> number = number_of(compression);
    if (!number)
        fatal("Error occured when converting compression number!");
    cut_part.compression_number = static_cast<int>(*number);
    // A length that milliseconds cannot hold is as unusable as none.
    const long seconds = leading_number_of(length);
    const bool usable = seconds >= 1 && seconds <= std::numeric_limits<int>::max() / 1000;
    cut_part.length_ms = static_cast<int>((usable ? seconds : 99) * 1000);
    cut_part.length_from_file = true;
}

void read_audio_cd_span(const LoadContext& context, Tcutpart& cut_part, std::string_view line) {
    cut_part.audio_cd = context.data.audio_cds.find(std::to_string(cut_part.tape_number));
    if (cut_part.audio_cd == nullptr)
        corrupt_file_report(context.core.product, cut_parts_file, 3);
    if (line.find("track") == std::string_view::npos)
        corrupt_file_report(context.core.product, cut_parts_file, 4);
    cut_part.track = static_cast<int>(keyword_value(line, "track", "audio CD track number"));
    cut_part.offset_ms = static_cast<int>(
        std::max(0L, keyword_value(line, "offset", "offset on audio CD track")) * 100);
    cut_part.length_ms = static_cast<int>(
        keyword_value(line, "length", "length of recording on audio CD track") * 100);
    cut_part.length_from_file = false;
}

void remove_all(std::string& text, std::string_view part) {
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at))
        text.erase(at, part.size());
}

void build_cut_part(LoadContext& context, int count) {
    Tdata& data = context.data;
    Tcutpart& cut_part = data.cut_part_store.emplace_back();
    cut_part.key = line_of(context, count, 0);
    read_cut_part_key(cut_part);
    const std::string& kind = line_of(context, count, 1);
    cut_part.is_sound_file = !kind.starts_with("CD");
    if (cut_part.is_sound_file)
        read_sound_file(cut_part, kind, line_of(context, count, 2));
    else
        read_audio_cd_span(context, cut_part, kind);
    cut_part.time = static_cast<int>(optional_number_of(line_of(context, count, 3)));
    cut_part.date = static_cast<int>(optional_number_of(line_of(context, count, 4)));
    const std::string& locality = line_of(context, count, 5);
    if (locality.empty())
        fatal("Locality is empty string!?");
    cut_part.locality = data.localities.find(locality);
    if (cut_part.locality == nullptr)
        corrupt_file_report(context.core.product, cut_parts_file, 1);
    const std::string& recordist = line_of(context, count, 6);
    if (!recordist.empty()) {
        cut_part.recordist = data.persons.find(recordist);
        if (cut_part.recordist == nullptr)
            corrupt_file_report(context.core.product, cut_parts_file, 2);
    }
    cut_part.cut_text_1 = convert_display_markup(line_of(context, count, 7));
    cut_part.cut_text_2 = convert_display_markup(line_of(context, count, 8));
    if (context.core.product.capabilities.drops_usa_and_canada) {
        for (std::string* text : {&cut_part.cut_text_1, &cut_part.cut_text_2}) {
            remove_all(*text, " (USA)");
            remove_all(*text, " (Canada)");
        }
    }
    data.cut_parts.add(cut_part.key, &cut_part);
}

int item_number(std::string_view line) {
    if (line.empty() || line.front() == '?')
        return 100;
    return static_cast<int>(std::clamp(leading_number_of(line.substr(0, 10)), 0L, 255L));
}

// The last item of each cut part's order-1 chain so far: appending never walks
// a chain, however many species one recording holds.
using LastItems = std::unordered_map<const Tcutpart*, Tcupaitem*>;

void append_to_cut_part(Tcutpart& cut_part, Tcupaitem& item, LastItems& last_items) {
    Tcupaitem*& last = last_items[&cut_part];
    (last ? last->next_item_of_cut_part[1] : cut_part.first_recording_item[1]) = &item;
    last = &item;
}

Tcupaitem& build_item(LoadContext& context, Tspecies& species, int first, int count,
                      LastItems& last_items) {
    Tdata& data = context.data;
    const auto line = [&](int n) -> const std::string& {
        return line_of(context, count, first + n - 1);
    };
    Tcupaitem& item = data.recording_item_store.emplace_back();
    item.species = &species;
    item.type_letter = line(1).substr(0, 1);
    item.number = item_number(line(2));
    if (!line(3).empty())
        item.subspecies_ref = read_subspecies_reference(species, line(3));
    item.item_text_1 = convert_display_markup(line(4));
    const std::string flags = line(5).substr(0, 10);
    item.flag_p = flags.find('P') != std::string::npos;
    item.flag_x1 = flags.find("X1") != std::string::npos;
    item.item_text_2 = convert_display_markup(line(6));
    if (!line(7).empty()) {
        if (!item.item_text_2.empty())
            item.item_text_2 += ' ';
        item.item_text_2 += convert_display_markup(line(7));
    }
    item.cut_part = data.cut_parts.find(line(8));
    if (item.cut_part == nullptr)
        corrupt_file_report(context.core.product, items_file, 2);
    append_to_cut_part(*item.cut_part, item, last_items);
    if (item.cut_part->is_sound_file)
        species.has_sound_file_recording = true;
    return item;
}

void read_items_of_species(LoadContext& context, Tspecies& species, const std::string& section,
                           bool first_read, LastItems& last_items) {
    const SectionRead read = context.reader.read_section(items_file, section, items_highest,
                                                         context.lines, first_read ? open_file : 0);
    if (!read.found || read.count == 0)
        corrupt_file_report(context.core.product, items_file, 1);
    species.recording_item_count = read.count / 8;
    Tcupaitem* last = nullptr;
    for (int j = 0; j < species.recording_item_count; ++j) {
        Tcupaitem& item = build_item(context, species, 8 * j, read.count, last_items);
        (last ? last->next_item_of_species : species.first_recording_item) = &item;
        last = &item;
    }
}

} // namespace

void load_other_media(LoadContext& context) {
    Tdata& data = context.data;
    int read = 0;
    for_each_record(context, media_file, 4, open_file, [&](int count) {
        const std::optional<long> tape = number_of(line_of(context, count, 0));
        if (!tape)
            fatal("Error occured when converting audio CD \"tape\" number!");
        TaudioCD& cd = data.audio_cd_store.emplace_back();
        cd.tape_number = static_cast<int>(*tape);
        cd.cd_index = ++read;
        cd.media_text_1 = line_of(context, count, 1);
        cd.media_text_2 = line_of(context, count, 2);
        cd.media_text_3 = line_of(context, count, 3);
        cd.media_text_4 = line_of(context, count, 4);
        data.audio_cds.add(std::to_string(cd.tape_number), &cd);
    });
    data.audio_cds.finish();
}

void load_audio_cd_settings(LoadContext& context) {
    const SettingsFile& settings = context.core.settings;
    const NumberSet on_hard_disk =
        settings.read_set(audio_cd_settings::section, audio_cd_settings::on_hard_disk, NumberSet());
    std::size_t position = 0;
    for (const auto& entry : context.data.audio_cds) {
        TaudioCD& cd = *entry.object;
        ++position;
        cd.on_hard_disk = position < on_hard_disk.size() && on_hard_disk.test(position);
        if (settings.read_string(audio_cd_settings::section,
                                 audio_cd_settings::short_name(cd.cd_index),
                                 "") == audio_cd_short_name(cd))
            cd.hard_disk_directory =
                settings.read_path(audio_cd_settings::section,
                                   audio_cd_settings::hard_disk_directory(cd.cd_index), "");
    }
}

void save_audio_cd_state(const Tdata& data, const SettingsFile& settings) {
    NumberSet on_hard_disk;
    std::size_t position = 0;
    for (const auto& entry : data.audio_cds) {
        const TaudioCD& cd = *entry.object;
        ++position;
        if (cd.on_hard_disk && position < on_hard_disk.size())
            on_hard_disk.set(position);
        settings.write_string(audio_cd_settings::section,
                              audio_cd_settings::short_name(cd.cd_index), audio_cd_short_name(cd));
        settings.write_string(audio_cd_settings::section,
                              audio_cd_settings::hard_disk_directory(cd.cd_index),
                              cd.hard_disk_directory);
    }
    settings.write_set(audio_cd_settings::section, audio_cd_settings::on_hard_disk, on_hard_disk);
}

void load_cut_parts(LoadContext& context) {
    for_each_record(context, cut_parts_file, 8, open_file,
                    [&](int count) { build_cut_part(context, count); });
    context.data.cut_parts.finish();
}

void load_recording_items(LoadContext& context) {
    bool first_read = true;
    LastItems last_items;
    int family_number = 0;
    for (Tfamily* family = context.data.first_family[1]; family; family = family->next_family) {
        ++family_number;
        int species_number = 0;
        for (Tspecies* species = family->first_species[1]; species;
             species = species->next_species[1]) {
            if (!species->has_recording_items)
                continue;
            const std::string section =
                std::to_string(family_number) + "_" + std::to_string(++species_number);
            read_items_of_species(context, *species, section, first_read, last_items);
            first_read = false;
        }
    }
    context.reader.close();
}

} // namespace pemmaro
