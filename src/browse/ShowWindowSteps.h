#pragma once
// The steps of a sounds show or of a play list's playing as a show window does
// them on its display: the display folds, finds the species, unfolds it and
// moves to the recording's sound bar, centred; the bar plays there. The
// window's timer drives them (Tsounds_demo_and_play_lists_handler).
// User-interface thread only.

#include "data/ShowRandomChoices.h"
#include "data/SoundsShowHandler.h"

#include <functional>

namespace pemmaro {

class TShowForm;
struct ProductSettings;

struct ShowWindowStepsServices {
    // A play list's next row; empty: the sounds show draws at random.
    std::function<std::optional<SoundsShowNext>()> play_list_next;
    // The sounds show's log of what it played (the opener's list).
    std::function<void(const Tspecies&, int number)> log_recording;
    std::function<void()> close_show;
    ShowRandomGenerator* random = nullptr; // the sounds show's; not owned
};

class ShowWindowSteps : public SoundsShowSteps {
public:
    // The surface must outlive the steps; level: 1 to 3 (quality of the recordings).
    ShowWindowSteps(TShowForm& surface, const ProductSettings& product, int level,
                    ShowWindowStepsServices services);

    std::optional<SoundsShowNext> next_recording() override;
    void move_to_recording(const SoundsShowNext& next) override;
    bool current_bar_open() override;
    bool toggle_current_bar() override;
    void mark_current_bar() override;
    bool tell_name(const Tspecies& species) override;
    void log_recording(const Tspecies& species, int number) override;
    void close_show() override;

private:
    std::optional<SoundsShowNext> random_recording();
    void send_key(int key);

    TShowForm& surface_;
    const ProductSettings& product_;
    ItemMode level_ = ItemMode::all;
    ShowWindowStepsServices services_;
    const Tspecies* current_species_ = nullptr;
};

} // namespace pemmaro
