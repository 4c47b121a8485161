#pragma once
// The show settings dialog: the kind of show (slides, sounds or both), the
// seconds per slide, the species names on the slides, the quality of the
// recordings and the sound options between them. It edits a copy of the
// window's show settings. User-interface thread only.

#include "common/SlidesAndSoundsShowSettings.h"

#include <QDialog>
#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace pemmaro {

struct ProductSettings;
class Ttextfile_handler;
class TPlaySoundOptionsFrame;

class TDemoSettingsDialog : public QDialog {
    Q_OBJECT

public:
    TDemoSettingsDialog(const ProductSettings& product, const Ttextfile_handler& texts,
                        QWidget* parent = nullptr);

    // Without any species that has a picture for shows only sounds can be shown.
    void set_settings(const ShowSettings& settings, bool any_show_picture);
    // What the controls hold; an interval that is not a number reads as 25.
    ShowSettings settings() const;
    // Modal; the new settings on OK, none on Cancel.
    std::optional<ShowSettings> run(const ShowSettings& settings, bool any_show_picture);

    static constexpr int invalid_interval = 25;

private:
    int show_type_index() const;
    void enable_for_show_type();

    QGroupBox* RadioGroup_slides_or_and_sounds = nullptr;
    QRadioButton* show_types_[3] = {nullptr, nullptr, nullptr};
    QGroupBox* GroupBox_slides = nullptr;
    QLabel* Label_every_X_seconds_1 = nullptr;
    QLineEdit* MaskEdit_every_X_seconds = nullptr;
    QLabel* Label_every_X_seconds_2 = nullptr;
    QCheckBox* CheckBox_show_species_names = nullptr;
    QGroupBox* GroupBox_sounds = nullptr;
    QGroupBox* RadioGroup_sounds_quality = nullptr;
    QRadioButton* qualities_[3] = {nullptr, nullptr, nullptr};
    TPlaySoundOptionsFrame* BetweenSoundsOptionsFrame = nullptr;
};

} // namespace pemmaro
