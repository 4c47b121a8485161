#pragma once
// The browsing window. The first one created is the program's main window:
// closing it ends the program.

#include <QMainWindow>

namespace pemmaro {

class TChildForm : public QMainWindow {
    Q_OBJECT

public:
    explicit TChildForm(QWidget* parent = nullptr);

    // Set-up of a newly opened main window: caption and size.
    void initialise_as_main_window();

signals:
    // After the window has accepted its close.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
};

} // namespace pemmaro
