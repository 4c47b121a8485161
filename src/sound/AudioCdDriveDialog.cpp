#include "sound/AudioCdDriveDialog.h"

namespace pemmaro {

TChooseAudioCDPlayerDialog::TChooseAudioCDPlayerDialog(QWidget* parent)
    : QDialog(parent) {
    setObjectName("TChooseAudioCDPlayerDialog");
}

} // namespace pemmaro
