#include "data/DataLoading.h"

#include "common/Product.h"
#include "data/Loaders.h"

namespace pemmaro {

std::unique_ptr<Tdata> load_data(const CoreContext& core) {
    auto data = std::make_unique<Tdata>();
    TDataFileReader reader(core);
    LoadContext context{*data, reader, core, {}};
    load_map_data(context);
    load_people(context);
    load_families(context);
    load_species(context);
    load_localities(context);
    load_big_pictures(context);
    load_other_media(context);
    load_audio_cd_settings(context);
    load_cut_parts(context);
    load_recording_items(context);
    if (core.product.has_systematic_order_file)
        load_systematic_orders(context);
    return data;
}

std::string data_set_counts(const Tdata& data) {
    const auto number = [](auto value) { return std::to_string(value); };
    return "families " + number(data.family_count[1]) + "/" + number(data.family_count[2]) + "/" +
           number(data.family_count[3]) + ", species " + number(data.species_count()) +
           ", subspecies " + number(data.subspecies_count()) + ", cut parts " +
           number(data.cut_parts.size()) + ", recording items " +
           number(data.recording_item_count()) + ", big pictures " +
           number(data.big_picture_count()) + ", localities " + number(data.localities.size()) +
           ", people " + number(data.persons.size()) + ", audio CDs " +
           number(data.audio_cds.size());
}

} // namespace pemmaro
