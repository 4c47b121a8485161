#include "browse/TextSizeDialogUnit.h"

namespace pemmaro {

TTextSizeDialog::TTextSizeDialog(QWidget* parent)
    : QDialog(parent) {
    setObjectName("TTextSizeDialog");
}

} // namespace pemmaro
