#include "sound/PlaySoundOptionsFrame.h"

#include "common/LanguageTexts.h"
#include "common/Product.h"
#include "common/TextLines.h"
#include "platform/Ansi.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QSpinBox>

namespace pemmaro {

namespace {

constexpr int most_seconds = 99; // two digits, as the field allows

QSpinBox* seconds_field(QWidget* parent, const char* name) {
    auto* field = new QSpinBox(parent);
    field->setObjectName(name);
    field->setRange(0, most_seconds);
    return field;
}

} // namespace

TPlaySoundOptionsFrame::TPlaySoundOptionsFrame(const ProductSettings& product,
                                               const Ttextfile_handler& texts, QWidget* parent)
    : QWidget(parent)
    , spoken_names_(product.is_product_104) {
    setObjectName("TPlaySoundOptionsFrame");
    const auto caption = [&texts](const TextLine& line) { return to_qstring(texts.text(line)); };
    Label_pause_before_spoken_names =
        new QLabel(caption(spoken_names_ ? play_sound_options_frame::pause_before_spoken_names
                                         : play_sound_options_frame::pause_between_recordings),
                   this);
    seconds_between_sounds_ = seconds_field(this, "seconds_between_sounds");
    Label_pause_before_spoken_names->setBuddy(seconds_between_sounds_);
    CheckBox_tell_species_names =
        new QCheckBox(caption(play_sound_options_frame::tell_species_names), this);
    Label_pause_after_spoken_names =
        new QLabel(caption(play_sound_options_frame::pause_after_spoken_names), this);
    seconds_after_spoken_names_ = seconds_field(this, "seconds_after_spoken_names");
    CheckBox_tell_names_afterwards =
        new QCheckBox(caption(play_sound_options_frame::tell_names_afterwards), this);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Label_pause_before_spoken_names, 0, 0);
    layout->addWidget(seconds_between_sounds_, 0, 1);
    layout->addWidget(CheckBox_tell_species_names, 1, 0, 1, 2);
    layout->addWidget(Label_pause_after_spoken_names, 2, 0);
    layout->addWidget(seconds_after_spoken_names_, 2, 1);
    layout->addWidget(CheckBox_tell_names_afterwards, 3, 0, 1, 2);
    layout->setColumnStretch(2, 1);
    for (QWidget* spoken : std::initializer_list<QWidget*>{
             CheckBox_tell_species_names, Label_pause_after_spoken_names,
             seconds_after_spoken_names_, CheckBox_tell_names_afterwards})
        spoken->setVisible(spoken_names_);
}

TSoundOptions TPlaySoundOptionsFrame::options() const {
    TSoundOptions options;
    options.seconds_between_sounds = seconds_between_sounds_->value();
    options.seconds_after_spoken_names = seconds_after_spoken_names_->value();
    options.tell_species_names = spoken_names_ && CheckBox_tell_species_names->isChecked();
    options.tell_names_afterwards = spoken_names_ && CheckBox_tell_names_afterwards->isChecked();
    return options;
}

void TPlaySoundOptionsFrame::set_options(const TSoundOptions& options) {
    seconds_between_sounds_->setValue(options.seconds_between_sounds);
    seconds_after_spoken_names_->setValue(options.seconds_after_spoken_names);
    CheckBox_tell_species_names->setChecked(spoken_names_ && options.tell_species_names);
    CheckBox_tell_names_afterwards->setChecked(spoken_names_ && options.tell_names_afterwards);
}

} // namespace pemmaro
