#include "sound/DemoSettingsDialog.h"

#include "common/LanguageTexts.h"
#include "common/TextLines.h"
#include "platform/Ansi.h"
#include "sound/PlaySoundOptionsFrame.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

namespace pemmaro {

namespace {

// Index of the kind of show among the three choices.
constexpr int slides_only_index = 0;
constexpr int sounds_only_index = 1;
constexpr int slides_and_sounds_index = 2;

QGroupBox* radio_group(const QString& title, const char* name, QRadioButton* (&buttons)[3],
                       const QString (&captions)[3], QWidget* parent) {
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(name);
    auto* layout = new QVBoxLayout(group);
    auto* exclusive = new QButtonGroup(group);
    for (int i = 0; i < 3; ++i) {
        buttons[i] = new QRadioButton(captions[i], group);
        exclusive->addButton(buttons[i], i);
        layout->addWidget(buttons[i]);
    }
    return group;
}

} // namespace

TDemoSettingsDialog::TDemoSettingsDialog(const ProductSettings& product,
                                         const Ttextfile_handler& texts, QWidget* parent)
    : QDialog(parent) {
    setObjectName("TDemoSettingsDialog");
    const auto caption = [&texts](const TextLine& line) { return to_qstring(texts.text(line)); };
    setWindowTitle(caption(show_settings_db::caption));

    const QString show_type_captions[3] = {caption(show_settings_db::slides_only),
                                           caption(show_settings_db::sounds_only),
                                           caption(show_settings_db::slides_and_sounds)};
    RadioGroup_slides_or_and_sounds =
        radio_group(caption(show_settings_db::kind_of_show), "RadioGroup_slides_or_and_sounds",
                    show_types_, show_type_captions, this);

    GroupBox_slides = new QGroupBox(caption(show_settings_db::slides), this);
    GroupBox_slides->setObjectName("GroupBox_slides");
    Label_every_X_seconds_1 = new QLabel(caption(show_settings_db::every_x_seconds_1));
    MaskEdit_every_X_seconds = new QLineEdit;
    MaskEdit_every_X_seconds->setObjectName("MaskEdit_every_X_seconds");
    MaskEdit_every_X_seconds->setInputMask("000; ");
    MaskEdit_every_X_seconds->setMaximumWidth(
        MaskEdit_every_X_seconds->fontMetrics().horizontalAdvance("0000") + 16);
    Label_every_X_seconds_1->setBuddy(MaskEdit_every_X_seconds);
    Label_every_X_seconds_2 = new QLabel(caption(show_settings_db::every_x_seconds_2));
    CheckBox_show_species_names = new QCheckBox(caption(show_settings_db::show_species_names));
    CheckBox_show_species_names->setObjectName("CheckBox_show_species_names");
    auto* interval_row = new QHBoxLayout;
    interval_row->setSpacing(6);
    interval_row->addWidget(Label_every_X_seconds_1);
    interval_row->addWidget(MaskEdit_every_X_seconds);
    interval_row->addWidget(Label_every_X_seconds_2);
    interval_row->addStretch();
    auto* slides_layout = new QVBoxLayout(GroupBox_slides);
    slides_layout->addLayout(interval_row);
    slides_layout->addWidget(CheckBox_show_species_names);

    GroupBox_sounds = new QGroupBox(caption(show_settings_db::sounds), this);
    GroupBox_sounds->setObjectName("GroupBox_sounds");
    const QString quality_captions[3] = {caption(show_settings_db::quality_best),
                                         caption(show_settings_db::quality_good),
                                         caption(show_settings_db::quality_all)};
    RadioGroup_sounds_quality =
        radio_group(caption(show_settings_db::recordings), "RadioGroup_sounds_quality", qualities_,
                    quality_captions, GroupBox_sounds);
    BetweenSoundsOptionsFrame = new TPlaySoundOptionsFrame(product, texts, GroupBox_sounds);
    auto* sounds_layout = new QVBoxLayout(GroupBox_sounds);
    sounds_layout->addWidget(RadioGroup_sounds_quality);
    sounds_layout->addWidget(BetweenSoundsOptionsFrame);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(RadioGroup_slides_or_and_sounds);
    layout->addWidget(GroupBox_slides);
    layout->addWidget(GroupBox_sounds);
    layout->addWidget(buttons);

    for (QRadioButton* button : show_types_)
        connect(button, &QRadioButton::toggled, this, &TDemoSettingsDialog::enable_for_show_type);
}

void TDemoSettingsDialog::set_settings(const ShowSettings& settings, bool any_show_picture) {
    ShowSettings shown = settings;
    if (!any_show_picture) {
        shown.slides = false;
        shown.sounds = true;
    }
    RadioGroup_slides_or_and_sounds->setEnabled(any_show_picture);
    const int index = !shown.sounds   ? slides_only_index
                      : !shown.slides ? sounds_only_index
                                      : slides_and_sounds_index;
    show_types_[index]->setChecked(true);
    MaskEdit_every_X_seconds->setText(QString::number(shown.slide_interval));
    CheckBox_show_species_names->setChecked(shown.show_species_names);
    qualities_[std::clamp(shown.sound_quality_level, 1, 3) - 1]->setChecked(true);
    BetweenSoundsOptionsFrame->set_options(shown.sound_options);
    enable_for_show_type();
}

int TDemoSettingsDialog::show_type_index() const {
    for (int i = 0; i < 3; ++i)
        if (show_types_[i]->isChecked())
            return i;
    return slides_and_sounds_index;
}

// With sounds the slides change with the recordings, so their interval is
// not asked; without sounds nothing of the sounds is.
void TDemoSettingsDialog::enable_for_show_type() {
    const int index = show_type_index();
    const bool slides = index != sounds_only_index;
    const bool sounds = index != slides_only_index;
    GroupBox_slides->setEnabled(slides);
    GroupBox_sounds->setEnabled(sounds);
    RadioGroup_sounds_quality->setEnabled(sounds);
    BetweenSoundsOptionsFrame->setEnabled(sounds);
    for (QWidget* interval : std::initializer_list<QWidget*>{
             Label_every_X_seconds_1, MaskEdit_every_X_seconds, Label_every_X_seconds_2})
        interval->setEnabled(index == slides_only_index);
    CheckBox_show_species_names->setEnabled(slides);
}

ShowSettings TDemoSettingsDialog::settings() const {
    ShowSettings settings;
    const int index = show_type_index();
    settings.slides = index != sounds_only_index;
    settings.sounds = index != slides_only_index;
    bool number = false;
    const int interval = MaskEdit_every_X_seconds->text().trimmed().toInt(&number);
    settings.slide_interval = number ? interval : invalid_interval;
    settings.show_species_names = CheckBox_show_species_names->isChecked();
    settings.sound_quality_level = 3;
    for (int i = 0; i < 3; ++i)
        if (qualities_[i]->isChecked())
            settings.sound_quality_level = i + 1;
    settings.sound_options = BetweenSoundsOptionsFrame->options();
    return settings;
}

std::optional<ShowSettings> TDemoSettingsDialog::run(const ShowSettings& settings,
                                                     bool any_show_picture) {
    set_settings(settings, any_show_picture);
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return this->settings();
}

} // namespace pemmaro
