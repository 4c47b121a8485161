#pragma once
// The text size dialog, shared by all browsing windows: the height of the
// display's base font.

#include <QDialog>

class QFont;
class QPushButton;
class QSpinBox;

namespace pemmaro {

class TTextSizeDialog : public QDialog {
    Q_OBJECT

public:
    explicit TTextSizeDialog(QWidget* parent = nullptr);

    // Modal, centred on the window. On closing by either button the number
    // typed becomes the value when it reads as one; true on OK.
    bool run(QWidget& window, const QFont& font, const QString& caption, int& value);

    QSpinBox* edit_control = nullptr; // the number with its up-down arrows
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
};

} // namespace pemmaro
