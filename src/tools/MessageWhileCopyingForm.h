#pragma once
// The small modal window shown while the data folders are copied to the hard
// disk: which file is being copied, and a button that aborts after asking.
// It starts the copying when first shown and closes when the copying ends.
// User-interface thread only.

#include "tools/CopyFilesToHardDiskThread.h"

#include <QDialog>
#include <memory>

class QLabel;
class QPushButton;

namespace pemmaro {

class TMessageWhileCopyingForm : public QDialog {
    Q_OBJECT

public:
    TMessageWhileCopyingForm(const std::string& source, const std::string& destination,
                             QWidget* parent = nullptr);
    ~TMessageWhileCopyingForm() override;

    bool finished = false;
    bool succeeded = false;
    bool failed = false;
    QLabel* first_label = nullptr;
    QLabel* progress_label = nullptr;
    QPushButton* button = nullptr;

    TCopyFilesToHardDiskThread& thread() { return *thread_; }

    // The button, the close button and Esc: once the copying is finished the
    // window closes; before, the worker is held at its next file boundary
    // while the user is asked whether to abort.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void show_copying(const std::string& file);
    void copying_ended(CopyOutcome outcome);

    std::shared_ptr<TCopyFilesToHardDiskThread> thread_;
};

} // namespace pemmaro
