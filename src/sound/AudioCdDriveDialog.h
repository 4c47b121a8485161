#pragma once
// The dialog that chooses which CD audio device plays the audio CDs: one
// radio button per device (at most four), the virtual CD changer last.
// Created hidden at start-up and shown modally from the browsing windows and
// from the audio CD selection dialog. User-interface thread only.

#include <QDialog>
#include <array>

class QLabel;
class QPushButton;
class QRadioButton;

namespace pemmaro {

class TChooseAudioCDPlayerDialog : public QDialog {
    Q_OBJECT

public:
    // device_count: the CD audio devices counted at start-up.
    explicit TChooseAudioCDPlayerDialog(int device_count, QWidget* parent = nullptr);
    ~TChooseAudioCDPlayerDialog() override;

    // Shows the stored choice (a drive beyond the devices as the last one)
    // centred on the window, modally; OK stores the checked drive.
    bool run(QWidget* over = nullptr);

    QLabel* Label_text = nullptr;
    std::array<QRadioButton*, 4> RadioButtons{};
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

    void accept() override;

private:
    int device_count_;
};

// The dialog created at start-up; none before it and after it is gone.
TChooseAudioCDPlayerDialog* choose_audio_cd_player_dialog();

} // namespace pemmaro
