#include "browse/TextSizeDialog.h"

#include "widgets/DialogButtons.h"
#include "widgets/WindowPlacement.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace pemmaro {

namespace {

// Smaller text cannot be read, in the display or in the dialogs that take
// its font (this one too); larger fills a screen with a few words.
constexpr int smallest_text_size = 6;
constexpr int largest_text_size = 100;

} // namespace

TTextSizeDialog::TTextSizeDialog(QWidget* parent)
    : QDialog(parent) {
    setObjectName("TTextSizeDialog");
    edit_control = new QSpinBox(this);
    edit_control->setObjectName("edit_control");
    edit_control->setRange(smallest_text_size, largest_text_size);
    const OkCancelButtons answer = make_ok_cancel_buttons(*this, "OKBtn", "CancelBtn");
    OKBtn = answer.ok;
    CancelBtn = answer.cancel;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(edit_control);
    layout->addLayout(answer.row);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumWidth(220);
}

bool TTextSizeDialog::run(QWidget& window, const QFont& font, const QString& caption, int& value) {
    setFont(font);
    setWindowTitle(caption);
    edit_control->setValue(value);
    edit_control->selectAll();
    edit_control->setFocus();
    centre_on(*this, window);
    const bool accepted = exec() == QDialog::Accepted;
    // What the box shows, not what it last accepted: a text that is not a
    // number leaves the value as it was.
    bool is_number = false;
    const int typed = edit_control->text().trimmed().toInt(&is_number);
    if (is_number && typed >= edit_control->minimum() && typed <= edit_control->maximum())
        value = typed;
    return accepted;
}

} // namespace pemmaro
