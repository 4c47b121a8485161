#include "browse/FindDialog.h"

namespace pemmaro {

TFindInShowStringsDialog::TFindInShowStringsDialog(QWidget* parent)
    : QDialog(parent) {
    setObjectName("TFindInShowStringsDialog");
}

} // namespace pemmaro
