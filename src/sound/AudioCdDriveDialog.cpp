#include "sound/AudioCdDriveDialog.h"

#include "common/LanguageTexts.h"
#include "common/QtTextMeasurer.h"
#include "common/TextEngine.h"
#include "platform/Ansi.h"
#include "sound/AudioCdDrive.h"
#include "widgets/DialogButtons.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

namespace pemmaro {

namespace {

TChooseAudioCDPlayerDialog* the_dialog = nullptr;

constexpr int least_width = 300;

// "Drive n"; the last device is the changer of audio CD images.
QString drive_caption(int drive, int device_count) {
    std::string caption = text(audio_cd::drive) + " " + std::to_string(drive);
    const std::string changer = text(audio_cd::cd_image_changer);
    if (drive == device_count && !changer.empty())
        caption += " (" + changer + ")";
    return to_qstring(caption);
}

} // namespace

TChooseAudioCDPlayerDialog::TChooseAudioCDPlayerDialog(int device_count, QWidget* parent)
    : QDialog(parent)
    , device_count_(std::max(device_count, 0)) {
    setObjectName("TChooseAudioCDPlayerDialog");
    setWindowTitle(to_qstring(text(audio_cd::drive_caption)));
    Label_text = new QLabel(to_qstring(text(audio_cd::which_drive)), this);
    Label_text->setObjectName("Label_text");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(15, 15, 15, 15);
    layout->addWidget(Label_text);
    for (int n = 1; n <= static_cast<int>(RadioButtons.size()); ++n) {
        auto* button = new QRadioButton(drive_caption(n, device_count_), this);
        button->setObjectName(QString("RadioButton%1").arg(n));
        // Hidden buttons take no room: the dialog is as high as its choices.
        button->setVisible(n <= device_count_);
        RadioButtons[static_cast<std::size_t>(n - 1)] = button;
        layout->addWidget(button);
    }
    const OkCancelButtons answer = make_ok_cancel_buttons(*this, "OKButton", "CancelButton");
    OKButton = answer.ok;
    CancelButton = answer.cancel;
    layout->addLayout(answer.row);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    if (!the_dialog)
        the_dialog = this;
}

TChooseAudioCDPlayerDialog::~TChooseAudioCDPlayerDialog() {
    if (the_dialog == this)
        the_dialog = nullptr;
}

bool TChooseAudioCDPlayerDialog::run(QWidget* over) {
    const int checked = std::min(chosen_audio_cd_drive(), device_count_);
    for (int n = 1; n <= static_cast<int>(RadioButtons.size()); ++n)
        RadioButtons[static_cast<std::size_t>(n - 1)]->setChecked(n == checked);
    // The text size may have changed the font since the last time.
    setFont(qt_font(display_fonts().normal()));
    setMinimumWidth(least_width);
    adjustSize();
    if (QWidget* window = over ? over->window() : parentWidget()) {
        QRect frame = frameGeometry();
        frame.moveCenter(window->frameGeometry().center());
        move(frame.topLeft());
    }
    return exec() == QDialog::Accepted;
}

void TChooseAudioCDPlayerDialog::accept() {
    for (int n = 1; n <= static_cast<int>(RadioButtons.size()); ++n) {
        if (RadioButtons[static_cast<std::size_t>(n - 1)]->isChecked())
            set_chosen_audio_cd_drive(n);
    }
    QDialog::accept();
}

TChooseAudioCDPlayerDialog* choose_audio_cd_player_dialog() {
    return the_dialog;
}

} // namespace pemmaro
