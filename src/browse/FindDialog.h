#pragma once
// The find dialog, shared by all browsing windows: the text to search for and
// whether to search from the top of the list.

#include <QDialog>
#include <string>

class QCheckBox;
class QFont;
class QLineEdit;
class QPushButton;

namespace pemmaro {

class Ttextfile_handler;

class TFindInShowStringsDialog : public QDialog {
    Q_OBJECT

public:
    explicit TFindInShowStringsDialog(const Ttextfile_handler& texts, QWidget* parent = nullptr);

    // Modal, centred on the window; on OK the text and the flag take what the
    // user chose and true is returned.
    bool run(QWidget& window, const QFont& font, std::string& search_text, bool& from_top);

    QLineEdit* Edit_control = nullptr;
    QCheckBox* CheckBox_search_from_top = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
};

} // namespace pemmaro
