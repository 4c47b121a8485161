#pragma once
// The browsing window's rules that need no window: which menu items a window
// offers for the product and the data set, and the texts of its warnings.

#include "common/Product.h"
#include "common/TextLines.h"

#include <optional>
#include <string>

namespace pemmaro {

class Tdata;
class Ttextfile_handler;

struct MenuRuleInputs {
    ProductCapabilities product = capabilities_of(106);
    bool offers_systematic_orders = false;
    bool systematic_order_2_item = false;
    bool systematic_order_3_item = false;
    bool secondary = false;
    bool has_audio_cds = false;
    bool has_site_descriptions = false;
    int audio_cd_drive_count = 0;
};

MenuRuleInputs menu_rule_inputs(const ProductSettings& product, const Tdata& data, bool secondary,
                                int audio_cd_drive_count);

// What the product and the data set offer; the window hides on top the items
// whose windows the program does not have yet.
struct MenuVisibility {
    bool audio_cds = false;
    bool view_menu = false;
    bool show_intro = false;
    bool text_size = false;
    bool show_birds_of_other_countries = false;
    bool systematic_orders = false; // the separators around the three items
    bool database_order = false;
    bool clements_order = false;
    bool sibley_and_monroe_order = false;
    bool select_area = false;
    bool show_all_birds_of_area = false;
    bool copy_to_hard_disk = false;
    bool audio_cd_player = false;
    TextLine exit_caption = menus::exit; // the first window ends the program
};

MenuVisibility menu_visibility(const MenuRuleInputs& inputs);

// The warning after choosing a systematic order the data set does not fully
// cover; none when the order is complete.
std::optional<std::string> order_check_warning(const Tdata& data, int order);
inline constexpr const char* order_warning_caption = "Warning";

// The edition's readme, where data files are looked for: "Readme.wri" as the
// editions have it, else an HTML or a plain text readme; none when there is none.
std::optional<std::string> find_readme();

// "KZ_CHILD" line 1 + the search text + line 2.
std::string find_failure_text(const Ttextfile_handler& texts, const std::string& search_text);

} // namespace pemmaro
