#include "browse/WindowList.h"

#include "browse/BrowsingWindow.h"
#include "common/GeneralSettings.h"
#include "common/Product.h"
#include "common/SettingsFile.h"
#include "platform/Ansi.h"

#include <algorithm>

namespace pemmaro {

void Ttop_forms::add_form(TChildForm* form) {
    forms_.push_back(form);
}

void Ttop_forms::delete_form(const TChildForm* form) {
    std::erase(forms_, form);
}

TChildForm* Ttop_forms::main_child_form() const {
    return forms_.empty() ? nullptr : forms_.front();
}

TChildForm* Ttop_forms::next(const TChildForm* form) const {
    if (forms_.empty())
        return nullptr;
    const auto at = std::find(forms_.begin(), forms_.end(), form);
    if (at == forms_.end() || std::next(at) == forms_.end())
        return forms_.front();
    return *std::next(at);
}

TChildForm* Ttop_forms::previous(const TChildForm* form) const {
    if (forms_.empty())
        return nullptr;
    const auto at = std::find(forms_.begin(), forms_.end(), form);
    if (at == forms_.end() || at == forms_.begin())
        return forms_.back();
    return *std::prev(at);
}

void Ttop_forms::rewrite_captions() const {
    for (std::size_t i = 0; i < forms_.size(); ++i)
        forms_[i]->setWindowTitle(to_qstring(top_form_caption(i)));
}

void Ttop_forms::set_soundbar_dragging_enabled(bool automatic) const {
    for (TChildForm* form : forms_)
        form->set_soundbar_dragging(automatic);
}

bool Ttop_forms::write_data_to_settings_file() const {
    bool written = write_integer(general_settings::section, general_settings::windows,
                                 static_cast<long>(forms_.size()));
    for (std::size_t i = 0; i < forms_.size(); ++i)
        written = forms_[i]->write_state(static_cast<int>(i) + 1) && written;
    return written;
}

Ttop_forms& top_forms() {
    static Ttop_forms forms;
    return forms;
}

std::string top_form_caption(std::size_t index) {
    std::string caption = product().product_title + " " + product().product_version;
    if (index > 0)
        caption += " : " + std::to_string(index);
    return caption;
}

} // namespace pemmaro
