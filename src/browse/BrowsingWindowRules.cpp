#include "browse/BrowsingWindowRules.h"

#include "common/FileOperations.h"
#include "common/LanguageTexts.h"
#include "common/Product.h"
#include "data/DataSet.h"

namespace pemmaro {

MenuRuleInputs menu_rule_inputs(const ProductSettings& product, const Tdata& data, bool secondary,
                                int audio_cd_drive_count) {
    MenuRuleInputs inputs;
    inputs.product = product.capabilities;
    inputs.offers_systematic_orders = product.offers_systematic_orders;
    inputs.systematic_order_2_item = product.systematic_order_2_item;
    inputs.systematic_order_3_item = product.systematic_order_3_item;
    inputs.secondary = secondary;
    inputs.has_audio_cds = !data.audio_cds.empty();
    inputs.has_site_descriptions = !data.localities_by_description_name.empty();
    inputs.audio_cd_drive_count = audio_cd_drive_count;
    return inputs;
}

MenuVisibility menu_visibility(const MenuRuleInputs& inputs) {
    MenuVisibility visible;
    const ProductCapabilities& product = inputs.product;
    visible.audio_cds = inputs.has_audio_cds;
    visible.view_menu = inputs.has_site_descriptions;
    visible.show_intro = product.offers_intro_screen_choice && !inputs.secondary;
    visible.text_size = !inputs.secondary;
    visible.show_birds_of_other_countries = product.offers_birds_of_other_countries;
    visible.systematic_orders = inputs.offers_systematic_orders;
    // Order 1 is always there; the product names the others it offers.
    visible.database_order = inputs.offers_systematic_orders;
    visible.clements_order = inputs.offers_systematic_orders && inputs.systematic_order_2_item;
    visible.sibley_and_monroe_order =
        inputs.offers_systematic_orders && inputs.systematic_order_3_item;
    visible.select_area = product.offers_area_selection;
    visible.show_all_birds_of_area = product.all_species_of_area == AllSpeciesOfArea::as_set;
    visible.copy_to_hard_disk = !inputs.secondary && product.offers_copy_to_hard_disk;
    visible.audio_cd_player = inputs.audio_cd_drive_count > 1 && visible.audio_cds;
    visible.exit_caption = inputs.secondary ? menus::close : menus::exit;
    return visible;
}

std::optional<std::string> order_check_warning(const Tdata& data, int order) {
    if (order < 1 || order > 3 || data.order_complete[static_cast<std::size_t>(order)])
        return std::nullopt;
    static const char* const names[] = {"", "database", "Clements", "Sibley and Monroe"};
    return std::string("There is at least one species not in the ") + names[order] + " order.";
}

std::string find_failure_text(const Ttextfile_handler& texts, const std::string& search_text) {
    return texts.text(kz_child::no_bird_name_before) + search_text +
           texts.text(kz_child::no_bird_name_after);
}

std::optional<std::string> find_readme() {
    for (const char* name : {"Readme.wri", "Readme.html", "Readme.txt"}) {
        if (std::optional<std::string> found = find_data_file(name))
            return found;
    }
    return std::nullopt;
}

} // namespace pemmaro
