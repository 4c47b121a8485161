#include "browse/SoundBarList.h"

namespace pemmaro {

Tsound_bars::~Tsound_bars() {
    for (Entry& entry : bars_)
        delete entry.alive.data();
}

void Tsound_bars::add(SoundBarControl* bar) {
    bars_.push_back({&bar->widget(), bar});
}

void Tsound_bars::remove(int line_identifier) {
    std::vector<QPointer<QWidget>> going;
    std::erase_if(bars_, [&](const Entry& entry) {
        if (entry.alive.isNull())
            return true;
        if (entry.bar->line_identifier() != line_identifier)
            return false;
        going.push_back(entry.alive);
        return true;
    });
    // Ended at once: the bar writes its thumb into its line before the line goes.
    for (QPointer<QWidget>& bar : going)
        delete bar.data();
}

void Tsound_bars::move_below(int line_identifier, int distance) {
    for (const Entry& entry : bars_) {
        if (entry.alive && entry.bar->line_identifier() > line_identifier)
            entry.bar->move_by(distance);
    }
}

void Tsound_bars::set_dragging(bool automatic) {
    for (const Entry& entry : bars_) {
        if (entry.alive)
            entry.bar->set_dragging(automatic);
    }
}

SoundBarControl* Tsound_bars::find(int line_identifier) const {
    for (const Entry& entry : bars_) {
        if (entry.alive && entry.bar->line_identifier() == line_identifier)
            return entry.bar;
    }
    return nullptr;
}

} // namespace pemmaro
