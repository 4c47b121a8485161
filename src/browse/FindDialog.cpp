#include "browse/FindDialog.h"

#include "common/LanguageTexts.h"
#include "platform/Ansi.h"
#include "widgets/DialogButtons.h"
#include "widgets/WindowPlacement.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace pemmaro {

TFindInShowStringsDialog::TFindInShowStringsDialog(const Ttextfile_handler& texts, QWidget* parent)
    : QDialog(parent) {
    setObjectName("TFindInShowStringsDialog");
    setWindowTitle(to_qstring(texts.text(find_db::caption)));
    Edit_control = new QLineEdit(this);
    Edit_control->setObjectName("Edit_control");
    Edit_control->setMinimumWidth(260);
    CheckBox_search_from_top =
        new QCheckBox(to_qstring(texts.text(find_db::search_from_top)), this);
    CheckBox_search_from_top->setObjectName("CheckBox_search_from_top");
    const OkCancelButtons answer = make_ok_cancel_buttons(*this, "OKBtn", "CancelBtn");
    OKBtn = answer.ok;
    CancelBtn = answer.cancel;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Edit_control);
    layout->addWidget(CheckBox_search_from_top);
    layout->addLayout(answer.row);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setTabOrder(Edit_control, CheckBox_search_from_top);
    setTabOrder(CheckBox_search_from_top, OKBtn);
    setTabOrder(OKBtn, CancelBtn);
}

bool TFindInShowStringsDialog::run(QWidget& window, const QFont& font, std::string& search_text,
                                   bool& from_top) {
    setFont(font);
    Edit_control->setText(to_qstring(search_text));
    Edit_control->selectAll();
    Edit_control->setFocus();
    CheckBox_search_from_top->setChecked(from_top);
    centre_on(*this, window);
    if (exec() != QDialog::Accepted)
        return false;
    search_text = to_ansi(Edit_control->text());
    from_top = CheckBox_search_from_top->isChecked();
    return true;
}

} // namespace pemmaro
