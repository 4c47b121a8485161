#pragma once
// The name options dialog, shared by all browsing windows: which names a
// window shows and which stands first. Every change is applied to the window
// at once; Cancel puts the window back as it was when the dialog opened.

#include <QDialog>
#include <cstdint>

class QCheckBox;
class QFont;
class QLabel;
class QPushButton;
class QRadioButton;

namespace pemmaro {

class Ttextfile_handler;
class TShowForm;

class TNameOptionsDialog : public QDialog {
    Q_OBJECT

public:
    explicit TNameOptionsDialog(const Ttextfile_handler& texts, QWidget* parent = nullptr);

    // Modal, centred on the surface's window; returns when closed.
    void run(TShowForm& surface, const QFont& font);

    QCheckBox* OtherLanguageCheckbox = nullptr;
    QCheckBox* ScientificCheckbox = nullptr;
    QLabel* InFirstPositionLabel = nullptr;
    QRadioButton* OtherLanguageMainRadioButton = nullptr;
    QRadioButton* ScientificMainRadioButton = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

private:
    void show_options(std::uint32_t name_options);
    void other_language_clicked();
    void scientific_clicked();
    void other_language_main_clicked();
    void scientific_main_clicked();
    void apply();
    std::uint32_t chosen() const;

    TShowForm* surface_ = nullptr;
    bool updating_ = false;
};

} // namespace pemmaro
