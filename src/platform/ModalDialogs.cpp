#include "platform/ModalDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QWidget>

namespace pemmaro {

bool end_modal_dialogs() {
    bool any = false;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible() || !window->isModal())
            continue;
        any = true;
        // A message box takes rejection as its escape button: Cancel or No.
        if (auto* dialog = qobject_cast<QDialog*>(window))
            dialog->reject();
        else
            window->close();
    }
    return any;
}

} // namespace pemmaro
