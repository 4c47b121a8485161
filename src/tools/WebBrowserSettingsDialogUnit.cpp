#include "tools/WebBrowserSettingsDialogUnit.h"

namespace pemmaro {

TWebBrowserSettingsDialog::TWebBrowserSettingsDialog(QWidget* parent)
    : QDialog(parent) {
    setObjectName("TWebBrowserSettingsDialog");
}

} // namespace pemmaro
