#pragma once
// The sound options between recordings, as a frame the play list window and
// the show settings dialog place: the seconds between recordings and, in the
// product with spoken species names, whether and when the names are said and
// the seconds after them. User-interface thread only.

#include "sound/PlayList.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QSpinBox;

namespace pemmaro {

struct ProductSettings;
class Ttextfile_handler;

class TPlaySoundOptionsFrame : public QWidget {
    Q_OBJECT

public:
    TPlaySoundOptionsFrame(const ProductSettings& product, const Ttextfile_handler& texts,
                           QWidget* parent = nullptr);

    // Without spoken names the tell options read as off.
    TSoundOptions options() const;
    void set_options(const TSoundOptions& options);

private:
    bool spoken_names_ = false;
    QLabel* Label_pause_before_spoken_names = nullptr;
    QSpinBox* seconds_between_sounds_ = nullptr;
    QCheckBox* CheckBox_tell_species_names = nullptr;
    QLabel* Label_pause_after_spoken_names = nullptr;
    QSpinBox* seconds_after_spoken_names_ = nullptr;
    QCheckBox* CheckBox_tell_names_afterwards = nullptr;
};

} // namespace pemmaro
