#include "browse/TextSizeDialog.h"

namespace pemmaro {

TTextSizeDialog::TTextSizeDialog(QWidget* parent)
    : QDialog(parent) {
    setObjectName("TTextSizeDialog");
}

} // namespace pemmaro
