#pragma once
// The play list window, one for the whole program.
// Created hidden at start-up in its place among the program's windows; its
// content comes with the feature that shows it.

#include <QWidget>

namespace pemmaro {

class TPlayListForm : public QWidget {
    Q_OBJECT

public:
    explicit TPlayListForm(QWidget* parent = nullptr);
};

} // namespace pemmaro
