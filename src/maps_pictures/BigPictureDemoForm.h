#pragma once
// The slides show: random photographs of the species a browsing window shows,
// changed at a fixed speed, or each with one of its species' recordings on a
// sound bar under it (and the spoken name before or after it). A big picture
// window without navigation, driven by its timer; Escape or closing the
// window ends the show. What it shows goes into the opener's list.
// User-interface thread only.

#include "common/SlidesAndSoundsShowSettings.h"
#include "data/ShowRandomChoices.h"
#include "data/SoundBarSeam.h"
#include "maps_pictures/BigPictureWindow.h"

#include <QTimer>
#include <memory>

namespace pemmaro {

class TRecordingsAndOrPicturesList;

struct SlidesShowServices {
    SoundBarFactory make_sound_bar;        // required with sounds
    ShowRandomGenerator* random = nullptr; // required; not owned
    // Says the species' name to its end; false when there is none.
    std::function<bool(const Tspecies&)> tell_name;
};

class TBigPictureDemoForm : public TBigPictureForm {
    Q_OBJECT

public:
    // The list must outlive the window (the opener, the window's parent, keeps it).
    TBigPictureDemoForm(const CoreContext& context, UrlOpener open_url,
                        const ShowSettings& settings, const TVisibleSpeciesAndRecordings& filter,
                        PictureTitleProvider title, TRecordingsAndOrPicturesList& list,
                        SlidesShowServices services, QWidget* parent = nullptr);
    ~TBigPictureDemoForm() override;

    // Shows the first photograph and starts the timer; false when there is
    // none to show (then the window is to be discarded).
    bool start();

    // The state the next tick runs (1 waiting, 2 next photograph, 3 sound
    // bar, 4 spoken name, 5 play) and the interval until it.
    int state() const { return state_; }
    int slide_interval_ms() const { return slide_interval_; }
    QTimer Timer;
    SoundBarControl* sound_bar() const { return sound_bar_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void tick();
    bool show_next_picture();
    void wait_for_slide();
    void next_slide();
    void create_sound_bar();
    void spoken_name();
    void play();
    void go(int state, int delay);
    void place_sound_bar();
    void free_sound_bar();

    bool with_sounds_ = false;
    ItemMode quality_level_ = ItemMode::all;
    TSoundOptions sound_options_;
    TVisibleSpeciesAndRecordings filter_;
    PictureTitleProvider title_;
    TRecordingsAndOrPicturesList& list_;
    SlidesShowServices services_;
    bool show_species_names_ = true;
    int slide_interval_ = 0;               // ms
    SoundBarControl* sound_bar_ = nullptr; // a child
    bool first_ = true;
    int state_ = 1;
    Tspecies* species_ = nullptr;
    int picture_number_ = 0;
};

} // namespace pemmaro
