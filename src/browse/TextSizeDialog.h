#pragma once
// The text size dialog, shared by all browsing windows.
// Created hidden at start-up in its place among the program's windows; its
// content comes with the feature that shows it.

#include <QDialog>

namespace pemmaro {

class TTextSizeDialog : public QDialog {
    Q_OBJECT

public:
    explicit TTextSizeDialog(QWidget* parent = nullptr);
};

} // namespace pemmaro
