#include "browse/ShowWindowSteps.h"

#include "browse/DisplaySurface.h"
#include "data/SpokenNames.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <algorithm>

namespace pemmaro {

namespace {
// The display's cursor stops on at most a few lines per recording; more
// steps than this mean the recording is not where the display shows it.
constexpr int cursor_steps_per_recording = 4;
constexpr int extra_cursor_steps = 20;
} // namespace

ShowWindowSteps::ShowWindowSteps(TShowForm& surface, const ProductSettings& product, int level,
                                 ShowWindowStepsServices services)
    : surface_(surface)
    , product_(product)
    , level_(static_cast<ItemMode>(std::clamp(level, 1, 3)))
    , services_(std::move(services)) {}

std::optional<SoundsShowNext> ShowWindowSteps::next_recording() {
    if (services_.play_list_next)
        return services_.play_list_next();
    return random_recording();
}

std::optional<SoundsShowNext> ShowWindowSteps::random_recording() {
    if (!services_.random)
        return std::nullopt;
    const TVisibleSpeciesAndRecordings& filter = surface_.display().options().visible;
    Tspecies* species =
        RandomSoundsShowSpecies(level_, filter, current_species_, *services_.random);
    if (!species)
        return std::nullopt;
    const RandomRecordingChoice choice =
        RandomSoundsShowRecording(*species, level_, filter.used_audio_cds, *services_.random);
    if (!choice.item)
        return std::nullopt;
    current_species_ = species;
    return SoundsShowNext{species, choice.item, choice.number};
}

void ShowWindowSteps::send_key(int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(&surface_, &press);
}

// As the user would: fold everything, find the species by its scientific
// name, unfold it and step down to the recording's bar.
void ShowWindowSteps::move_to_recording(const SoundsShowNext& next) {
    surface_.fold_all();
    if (!surface_.go_to_species(next.species->scientific_name, true, true))
        return;
    send_key(Qt::Key_Return);
    const int most_steps = cursor_steps_per_recording * next.number + extra_cursor_steps;
    for (int step = 0; step < most_steps; ++step) {
        const SoundBarRecord* bar = surface_.current_sound_bar();
        if (bar && bar->item == next.item)
            break;
        send_key(Qt::Key_Down);
    }
    surface_.centre_current_line();
    mark_current_bar();
}

bool ShowWindowSteps::current_bar_open() {
    const SoundBarControl* bar = surface_.current_sound_bar_control();
    return bar && bar->is_opened();
}

bool ShowWindowSteps::toggle_current_bar() {
    SoundBarControl* bar = surface_.current_sound_bar_control();
    return bar && bar->toggle();
}

void ShowWindowSteps::mark_current_bar() {
    if (SoundBarControl* bar = surface_.current_sound_bar_control())
        bar->set_marked();
}

bool ShowWindowSteps::tell_name(const Tspecies& species) {
    return TellSpeciesName(species, product_);
}

void ShowWindowSteps::log_recording(const Tspecies& species, int number) {
    if (services_.log_recording)
        services_.log_recording(species, number);
}

void ShowWindowSteps::close_show() {
    if (services_.close_show)
        services_.close_show();
}

} // namespace pemmaro
