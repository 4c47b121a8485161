#pragma once
// The find dialog, shared by all browsing windows.
// Created hidden at start-up in its place among the program's windows; its
// content comes with the feature that shows it.

#include <QDialog>

namespace pemmaro {

class TFindInShowStringsDialog : public QDialog {
    Q_OBJECT

public:
    explicit TFindInShowStringsDialog(QWidget* parent = nullptr);
};

} // namespace pemmaro
