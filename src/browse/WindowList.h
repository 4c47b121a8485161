#pragma once
// The open browsing windows, in the order they were opened; entry 0 is the
// main window. Show windows are never listed. User-interface thread only.

#include <cstddef>
#include <string>
#include <vector>

namespace pemmaro {

class TChildForm;

class Ttop_forms {
public:
    // Not owned: each window adds itself when initialised and leaves when it
    // closes or is destroyed.
    void add_form(TChildForm* form);
    void delete_form(const TChildForm* form);

    std::size_t count() const { return forms_.size(); }
    TChildForm* form(std::size_t index) const { return forms_.at(index); }
    // None when the list is empty.
    TChildForm* main_child_form() const;
    // Wrapping round; a window not in the list gives the first resp. the last.
    TChildForm* next(const TChildForm* form) const;
    TChildForm* previous(const TChildForm* form) const;

    void rewrite_captions() const;
    void set_soundbar_dragging_enabled(bool automatic) const;
    // "Windows" in "GENERAL", then every window's section; false when a value
    // did not reach the file.
    bool write_data_to_settings_file() const;

private:
    std::vector<TChildForm*> forms_;
};

// The program's one list.
Ttop_forms& top_forms();

// The caption of entry index: the product title and version, then " : index"
// for every window but the first.
std::string top_form_caption(std::size_t index);

} // namespace pemmaro
