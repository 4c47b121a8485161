#pragma once
// The OK and Cancel buttons that end a dialog, at the right of a row.

class QDialog;
class QHBoxLayout;
class QPushButton;
class QString;

namespace pemmaro {

struct OkCancelButtons {
    QPushButton* ok = nullptr;     // the default button; accepts the dialog
    QPushButton* cancel = nullptr; // rejects it
    QHBoxLayout* row = nullptr;    // for the dialog's layout, which takes it over
};

// Buttons owned by the dialog, named for tests and style sheets.
OkCancelButtons make_ok_cancel_buttons(QDialog& dialog, const QString& ok_name,
                                       const QString& cancel_name);

} // namespace pemmaro
