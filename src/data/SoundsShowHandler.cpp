#include "data/SoundsShowHandler.h"

namespace pemmaro {

namespace {
constexpr int short_delay = 10; // ms
constexpr int poll_delay = 200; // ms, while a recording plays
} // namespace

Tsounds_demo_and_play_lists_handler::Tsounds_demo_and_play_lists_handler(bool is_play_list,
                                                                         TSoundOptions options,
                                                                         SoundsShowSteps& steps)
    : is_play_list_(is_play_list)
    , options_(options)
    , steps_(steps) {}

std::optional<int> Tsounds_demo_and_play_lists_handler::tick() {
    switch (state_) {
    case 1:
        return wait_for_recording();
    case 2:
        return next();
    case 3:
        return spoken_name();
    case 4:
        return play();
    default:
        return std::nullopt;
    }
}

int Tsounds_demo_and_play_lists_handler::pause_between() const {
    return options_.seconds_between_sounds * 1000 + short_delay;
}

std::optional<int> Tsounds_demo_and_play_lists_handler::go(int state, int delay) {
    state_ = state;
    interval_ = delay;
    return delay;
}

std::optional<int> Tsounds_demo_and_play_lists_handler::wait_for_recording() {
    if (steps_.current_bar_open())
        return interval_;
    if (options_.tell_species_names && options_.tell_names_afterwards && !first_ && current_)
        return go(3, pause_between());
    return go(2, short_delay);
}

std::optional<int> Tsounds_demo_and_play_lists_handler::next() {
    current_ = steps_.next_recording();
    if (!current_ || !current_->species) {
        steps_.close_show();
        return std::nullopt;
    }
    steps_.move_to_recording(*current_);
    const bool first = first_;
    first_ = false;
    if (options_.tell_species_names && !options_.tell_names_afterwards && !current_->repeat)
        return go(3, first ? short_delay : pause_between());
    return go(4, current_->repeat ? short_delay : pause_between());
}

std::optional<int> Tsounds_demo_and_play_lists_handler::spoken_name() {
    const bool told = current_ && steps_.tell_name(*current_->species);
    const int delay = told ? options_.seconds_after_spoken_names * 1000 + short_delay : short_delay;
    if (!options_.tell_names_afterwards)
        return go(4, delay);
    if (current_ && current_->last) {
        steps_.close_show();
        return std::nullopt;
    }
    return go(2, delay);
}

std::optional<int> Tsounds_demo_and_play_lists_handler::play() {
    if (!current_ || !steps_.toggle_current_bar())
        return std::nullopt; // a recording that cannot be opened stops the show
    steps_.mark_current_bar();
    if (!is_play_list_)
        steps_.log_recording(*current_->species, current_->number);
    return go(1, poll_delay);
}

} // namespace pemmaro
