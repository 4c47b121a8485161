#include "sound/PlayListFile.h"

#include "common/CoreContext.h"
#include "common/LanguageTexts.h"
#include "common/Product.h"
#include "common/SettingsFile.h"
#include "common/TextAndNumbers.h"
#include "data/DataSet.h"
#include "platform/Messages.h"
#include "platform/ProfileFile.h"

#include <algorithm>
#include <filesystem>

namespace pemmaro {

namespace {

constexpr std::string_view general = "GENERAL";
constexpr std::string_view recordings = "RECORDINGS";
constexpr std::string_view cdrom_key = "CDROM";
constexpr std::string_view version_key = "Version";
constexpr std::string_view seconds_between_key = "Seconds between Sounds";
constexpr std::string_view tell_names_key = "Tell Species Names";
constexpr std::string_view afterwards_key = "Tell names Afterwards";
constexpr std::string_view seconds_after_key = "Seconds after Spoken Names";
constexpr std::string_view endless_loop_key = "Endless Loop";
constexpr std::size_t longest_value = 200;
constexpr std::size_t recording_code_length = 11;

std::string yes_no(bool value) {
    return value ? "Yes" : "No";
}

std::string record_key(int row) {
    return "R" + std::to_string(row);
}

std::vector<std::string> split_at_commas(const std::string& value) {
    std::vector<std::string> fields(1);
    for (const char c : value) {
        if (c == ',')
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

// Reads values as the design's reader does: at most 200 characters.
class PlayListReader {
public:
    explicit PlayListReader(const ProfileDocument& document)
        : document_(document) {}

    std::string string(std::string_view section, std::string_view key) const {
        std::string value = document_.value(section, key).value_or("");
        if (value.size() > longest_value)
            value.resize(longest_value);
        return value;
    }
    int integer(std::string_view key, long default_value) const {
        const std::optional<std::string> value = document_.value(general, key);
        return static_cast<int>(
            std::min<long>(value ? profile_integer_of(*value) : default_value, 999999));
    }
    bool flag(std::string_view key, bool default_value) const {
        const std::optional<std::string> value = document_.value(general, key);
        return value ? text_to_flag(*value) : default_value;
    }

private:
    const ProfileDocument& document_;
};

// The number the display gives the item: its place among the species'
// recordings with flag_p; none when the cut part is not among them.
std::optional<TPlayListInfo> recording_of(const Tspecies& species, const Tcutpart& cut_part) {
    int number = 0;
    for (Tcupaitem* item = species.first_recording_item; item; item = item->next_item_of_species) {
        if (!item->flag_p)
            continue;
        ++number;
        if (item->cut_part == &cut_part)
            return TPlayListInfo{item, number, 1};
    }
    return std::nullopt;
}

enum class RecordOutcome { added, skipped, missing, bad };

RecordOutcome read_record(const std::string& value, const Tdata& data, TPlayList& list) {
    if (value == "x")
        return RecordOutcome::skipped;
    const std::vector<std::string> fields = split_at_commas(value);
    const IntConversion id = text_to_int(fields[0], 0);
    if (id.error)
        return RecordOutcome::bad;
    const Tspecies* species = data.species_by_id(static_cast<int>(id.value));
    if (!species)
        return RecordOutcome::missing;
    // The code's last character is a blank for a cut part without sub letter;
    // a hand-edited file may have lost it, or put blanks before the code.
    std::string code = fields.size() > 1 ? fields[1] : std::string();
    code.erase(0, std::min(code.find_first_not_of(' '), code.size()));
    if (code.size() == recording_code_length - 1)
        code += ' ';
    const Tcutpart* cut_part =
        code.size() == recording_code_length ? data.cut_part_by_reference_code(code) : nullptr;
    if (!cut_part)
        return RecordOutcome::bad;
    std::optional<TPlayListInfo> info = recording_of(*species, *cut_part);
    if (!info)
        return RecordOutcome::missing;
    const IntConversion times = text_to_int(fields.size() > 2 ? fields[2] : std::string(), 1);
    info->times = static_cast<int>(std::clamp<long>(times.value, 0, most_times_to_play));
    list.append(*info);
    return RecordOutcome::added;
}

void show_bad_file(const Ttextfile_handler& texts) {
    message(texts.text(play_lists::damaged_file), MessageIcon::error);
}

} // namespace

std::string play_list_record(const TPlayListInfo& info) {
    const Tcupaitem& item = *info.recording_item;
    return std::to_string(item.species->unique_id) + "," + cut_part_reference_code(*item.cut_part) +
           "," + std::to_string(info.times);
}

std::string play_list_file_text(const PlayListContent& content, const ProductSettings& product) {
    ProfileDocument document;
    document.set_value(general, cdrom_key, product.product_title);
    document.set_value(general, version_key, product.product_version);
    document.set_value(general, seconds_between_key,
                       std::to_string(content.options.seconds_between_sounds));
    document.set_value(general, tell_names_key, yes_no(content.options.tell_species_names));
    document.set_value(general, afterwards_key, yes_no(content.options.tell_names_afterwards));
    document.set_value(general, seconds_after_key,
                       std::to_string(content.options.seconds_after_spoken_names));
    document.set_value(general, endless_loop_key, yes_no(content.endless_loop));
    for (int row = 1; row <= content.list.row_count(); ++row) {
        const std::optional<TPlayListInfo>& info = content.list.row(row);
        // The profile writer would trim the code's closing blank if it ended
        // the value: the times always follow it.
        document.set_value(recordings, record_key(row), info ? play_list_record(*info) : "x");
    }
    return document.bytes();
}

bool save_play_list(const std::string& path, const PlayListContent& content,
                    const ProductSettings& product) {
    const ProfileDocument written(play_list_file_text(content, product));
    // The whole file is replaced: nothing of an older list survives in it.
    const bool saved =
        update_profile_file(path, [&written](ProfileDocument& document) { document = written; });
    if (!saved)
        message("File creation went wrong!", MessageIcon::error);
    return saved;
}

std::optional<PlayListContent> load_play_list(const std::string& path, const Tdata& data,
                                              const CoreContext& context) {
    const Ttextfile_handler& texts = context.texts;
    const ProfileReadResult file = read_profile_file(path);
    if (!file.readable) {
        message(system_text("The play list \"" + path + "\" could not be read."),
                MessageIcon::error);
        return std::nullopt;
    }
    // Editors that save UTF-8 may put a byte order mark before the first section.
    constexpr std::string_view byte_order_mark = "\xef\xbb\xbf";
    const std::string& bytes = file.document.bytes();
    const ProfileDocument document = bytes.starts_with(byte_order_mark)
                                         ? ProfileDocument(bytes.substr(byte_order_mark.size()))
                                         : file.document;
    const PlayListReader reader(document);
    const std::string cdrom = reader.string(general, cdrom_key);
    const std::string version = reader.string(general, version_key);
    if (cdrom.empty() || version.empty()) {
        show_bad_file(texts);
        return std::nullopt;
    }
    if (cdrom != context.product.product_title) {
        message(texts.text(play_lists::other_product), MessageIcon::error);
        return std::nullopt;
    }
    if (version != context.product.product_version)
        message(texts.text(play_lists::other_version_1) + " " +
                    texts.text(play_lists::other_version_2),
                MessageIcon::warning);

    PlayListContent content;
    TSoundOptions& options = content.options;
    options.seconds_between_sounds = reader.integer(seconds_between_key, 1);
    options.tell_species_names = reader.flag(tell_names_key, true);
    options.tell_names_afterwards = reader.flag(afterwards_key, false);
    options.seconds_after_spoken_names = reader.integer(seconds_after_key, 1);
    if (!context.product.is_product_104)
        options.tell_species_names = options.tell_names_afterwards = false;
    content.endless_loop = reader.flag(endless_loop_key, false);

    bool missing = false;
    for (int row = 1;; ++row) {
        const std::string value = reader.string(recordings, record_key(row));
        if (value.empty())
            break;
        const RecordOutcome outcome = read_record(value, data, content.list);
        if (outcome == RecordOutcome::bad) {
            show_bad_file(texts);
            return std::nullopt;
        }
        missing = missing || outcome == RecordOutcome::missing;
    }
    if (missing)
        message(texts.text(play_lists::recordings_missing), MessageIcon::warning);
    return content;
}

std::string play_list_name(const std::string& path) {
    std::filesystem::path file = std::filesystem::path(path).filename();
    if (file.extension() == std::string(".") + play_list_extension)
        file.replace_extension();
    return file.string();
}

} // namespace pemmaro
