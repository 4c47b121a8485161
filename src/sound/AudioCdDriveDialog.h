#pragma once
// The dialog that chooses the drive for audio CDs.
// Created hidden at start-up in its place among the program's windows; its
// content comes with the feature that shows it.

#include <QDialog>

namespace pemmaro {

class TChooseAudioCDPlayerDialog : public QDialog {
    Q_OBJECT

public:
    explicit TChooseAudioCDPlayerDialog(QWidget* parent = nullptr);
};

} // namespace pemmaro
