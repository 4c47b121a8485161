#include "browse/NameOptionsDialog.h"

namespace pemmaro {

TNameOptionsDialog::TNameOptionsDialog(QWidget* parent)
    : QDialog(parent) {
    setObjectName("TNameOptionsDialog");
}

} // namespace pemmaro
