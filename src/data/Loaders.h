#pragma once
// The loaders of the data text files, one per file, and what they share while
// the data set loads (data/DataLoading.h runs them in their fixed order).
// Every data error is fatal (message, exit code 1).

#include "common/CoreContext.h"
#include "common/Product.h"
#include "data/DataFileReader.h"
#include "data/DataSet.h"

#include <memory>
#include <string>
#include <vector>

namespace pemmaro {

struct LoadContext {
    Tdata& data;
    TDataFileReader& reader;
    const CoreContext& core;
    std::vector<std::string> lines; // reused by every read
};

// Line index of the last record read, or empty beyond its count.
inline const std::string& line_of(const LoadContext& context, int count, int index) {
    static const std::string empty;
    return index >= 0 && index < count ? context.lines[static_cast<std::size_t>(index)] : empty;
}

// Reads every unnamed record of a file; the first read opens it (with the given
// flags), the file is closed after the last record. Returns false when an
// optional file is absent.
template <class Build>
bool for_each_record(LoadContext& context, std::string_view file, int highest_index, int open_flags,
                     Build build) {
    int flags = open_flags;
    while (true) {
        const SectionRead record =
            context.reader.read_section(file, "", highest_index, context.lines, flags);
        if (!record.file_present)
            return false;
        if (!record.found)
            break;
        build(record.count);
        flags = 0;
    }
    context.reader.close();
    return true;
}

// Taxa and names.
void load_families(LoadContext& context);
void load_species(LoadContext& context);
void load_systematic_orders(LoadContext& context);

// Reference data.
void load_map_data(LoadContext& context);
void load_people(LoadContext& context);
void load_localities(LoadContext& context);
void load_big_pictures(LoadContext& context);

// Sound side.
void load_other_media(LoadContext& context);
void load_audio_cd_settings(LoadContext& context);
void load_cut_parts(LoadContext& context);
void load_recording_items(LoadContext& context);

// A subspecies reference of a recording item or picture: "name" or "name (P)".
std::optional<Trecord_ssp_data> read_subspecies_reference(const Tspecies& species,
                                                          std::string_view line);

} // namespace pemmaro
