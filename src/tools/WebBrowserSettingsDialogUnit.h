#pragma once
// The web browser settings dialog.
// Created hidden at start-up in its place among the program's windows; its
// content comes with the feature that shows it.

#include <QDialog>

namespace pemmaro {

class TWebBrowserSettingsDialog : public QDialog {
    Q_OBJECT

public:
    explicit TWebBrowserSettingsDialog(QWidget* parent = nullptr);
};

} // namespace pemmaro
