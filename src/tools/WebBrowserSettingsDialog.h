#pragma once
// The web browser settings dialog: the integrated browser or the desktop's,
// and whether one browser window is reused. Created hidden at start-up and
// shown modally from the browsing windows' Options menu.

#include <QDialog>

class QCheckBox;
class QPushButton;

namespace pemmaro {

class TWebBrowserSettingsDialog : public QDialog {
    Q_OBJECT

public:
    explicit TWebBrowserSettingsDialog(QWidget* parent = nullptr);
    ~TWebBrowserSettingsDialog() override;

    QCheckBox* CheckBox_use_integrated_browser = nullptr;
    QCheckBox* CheckBox_use_only_one_window = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void apply_enabling_rule();
};

// The dialog created at start-up; none before it and after it is gone.
TWebBrowserSettingsDialog* web_browser_settings_dialog();

} // namespace pemmaro
