#include "maps_pictures/BigPictureDemoForm.h"

#include "data/DataSet.h"
#include "data/RecordingsAndPicturesList.h"
#include "maps_pictures/PictureInfoForm.h"
#include "widgets/PersonForm.h"

#include <QResizeEvent>
#include <algorithm>

namespace pemmaro {

namespace {
constexpr int short_delay = 10;            // ms
constexpr int bar_delay = 250;             // ms, around the sound bar's steps
constexpr int popup_poll = 500;            // ms, while the user reads a pop-up
constexpr int interval_with_sounds = 2000; // ms: the recording sets the pace

Tbig_picture* nth_picture(const Tspecies& species, int number) {
    Tbig_picture* picture = species.first_big_picture;
    for (int i = 1; picture && i < number; ++i)
        picture = picture->next_picture;
    return picture;
}
} // namespace

TBigPictureDemoForm::TBigPictureDemoForm(const CoreContext& context, UrlOpener open_url,
                                         const ShowSettings& settings,
                                         const TVisibleSpeciesAndRecordings& filter,
                                         PictureTitleProvider title,
                                         TRecordingsAndOrPicturesList& list,
                                         SlidesShowServices services, QWidget* parent)
    : TBigPictureForm(context, std::move(open_url), parent)
    , with_sounds_(settings.sounds)
    , quality_level_(static_cast<ItemMode>(std::clamp(settings.sound_quality_level, 1, 3)))
    , sound_options_(settings.sound_options)
    , filter_(filter)
    , title_(std::move(title))
    , list_(list)
    , services_(std::move(services))
    , show_species_names_(settings.show_species_names)
    // A speed of 0 would change the slides as fast as they load.
    , slide_interval_(with_sounds_ ? interval_with_sounds
                                   : std::max(1, settings.slide_interval) * 1000) {
    setObjectName("TBigPictureDemoForm");
    if (parent)
        setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    NoNavigation = true;
    Timer.setObjectName("Timer");
    Timer.setSingleShot(true);
    connect(&Timer, &QTimer::timeout, this, &TBigPictureDemoForm::tick);
}

TBigPictureDemoForm::~TBigPictureDemoForm() = default;

bool TBigPictureDemoForm::start() {
    species_ = with_sounds_
                   ? RandomSoundSpecies(quality_level_, filter_, nullptr, *services_.random)
                   : RandomShowSpecies(filter_, nullptr, *services_.random);
    picture_number_ = species_ ? RandomShowPicture(*species_, *services_.random) : 0;
    Tbig_picture* picture = species_ ? nth_picture(*species_, picture_number_) : nullptr;
    PictureTitleProvider title;
    if (show_species_names_)
        title = title_;
    else
        title = [](const Tspecies&, const std::optional<Trecord_ssp_data>&) {
            return std::string();
        };
    if (!picture || !SetUp(*species_, nullptr, picture, std::move(title)))
        return false;
    show_as_set_up();
    if (with_sounds_) {
        first_ = true;
        go(3, short_delay);
    } else {
        list_.AddPicture(*picture);
        go(1, slide_interval_);
    }
    return true;
}

void TBigPictureDemoForm::go(int state, int delay) {
    state_ = state;
    Timer.start(delay);
}

void TBigPictureDemoForm::tick() {
    switch (state_) {
    case 1:
        wait_for_slide();
        break;
    case 2:
        next_slide();
        break;
    case 3:
        create_sound_bar();
        break;
    case 4:
        spoken_name();
        break;
    case 5:
        play();
        break;
    default:
        break;
    }
}

void TBigPictureDemoForm::wait_for_slide() {
    if ((InfoWindow && InfoWindow->isVisible()) || (PersonWindow && PersonWindow->isVisible())) {
        go(1, popup_poll);
        return;
    }
    if (with_sounds_ && sound_bar_ && sound_bar_->is_opened()) {
        Timer.start(); // the same interval again
        return;
    }
    const TSoundOptions& options = sound_options_;
    if (!with_sounds_ || first_ || !options.tell_species_names || !options.tell_names_afterwards)
        go(2, short_delay);
    else
        go(4, options.seconds_between_sounds * 1000 + bar_delay);
}

bool TBigPictureDemoForm::show_next_picture() {
    Tspecies* species =
        with_sounds_ ? RandomSoundSpecies(quality_level_, filter_, species_, *services_.random)
                     : RandomShowSpecies(filter_, species_, *services_.random);
    const int number = species ? RandomShowPicture(*species, *services_.random) : 0;
    Tbig_picture* picture = species ? nth_picture(*species, number) : nullptr;
    if (!picture)
        return false;
    Species = species;
    if (!show_picture(*picture))
        return false;
    species_ = species;
    picture_number_ = number;
    return true;
}

// A photograph that cannot be shown leaves the one before in place; the
// show goes on with the next choice.
void TBigPictureDemoForm::next_slide() {
    const bool shown = show_next_picture();
    if (with_sounds_) {
        free_sound_bar();
        go(3, bar_delay);
    } else {
        if (shown)
            list_.AddPicture(*Picture);
        go(1, slide_interval_);
    }
}

void TBigPictureDemoForm::create_sound_bar() {
    const RandomRecordingChoice choice =
        RandomRecording(*species_, quality_level_, filter_.used_audio_cds, *services_.random);
    if (choice.item && services_.make_sound_bar) {
        SoundBarOptions options;
        options.recording_item = choice.item;
        options.exact_length_flag = &choice.item->cut_part->length_from_file;
        sound_bar_ = services_.make_sound_bar(this, 0, 0, std::move(options));
        place_sound_bar();
        sound_bar_->widget().show();
        sound_bar_->focus();
        list_.AddPictureAndRecording(*species_, picture_number_, choice.number);
    }
    const TSoundOptions& options = sound_options_;
    const int wait = first_ ? bar_delay : options.seconds_between_sounds * 1000 + bar_delay;
    if (!options.tell_species_names)
        go(5, wait);
    else if (!options.tell_names_afterwards)
        go(4, wait);
    else
        go(5, bar_delay);
}

void TBigPictureDemoForm::spoken_name() {
    const bool told = sound_options_.tell_species_names && species_ && services_.tell_name &&
                      services_.tell_name(*species_);
    const int wait =
        told ? sound_options_.seconds_after_spoken_names * 1000 + short_delay : short_delay;
    go(sound_options_.tell_names_afterwards ? 2 : 5, wait);
}

void TBigPictureDemoForm::play() {
    if (sound_bar_) {
        sound_bar_->toggle();
        sound_bar_->focus();
    }
    first_ = false;
    go(1, slide_interval_);
}

// Centred under the picture, its top one and a half bar heights above the
// bottom of the window.
void TBigPictureDemoForm::place_sound_bar() {
    if (!sound_bar_)
        return;
    QWidget& bar = sound_bar_->widget();
    const int bar_height = sound_bar_->bar_height();
    bar.move((width() - sound_bar_->bar_width()) / 2, height() - bar_height * 3 / 2);
    bar.raise();
}

void TBigPictureDemoForm::free_sound_bar() {
    if (!sound_bar_)
        return;
    delete &sound_bar_->widget();
    sound_bar_ = nullptr;
}

void TBigPictureDemoForm::resizeEvent(QResizeEvent* event) {
    TBigPictureForm::resizeEvent(event);
    place_sound_bar();
}

} // namespace pemmaro
