#include "browse/ChildFormUnit.h"

#include "common/ProductUnit.h"
#include "platform/Ansi.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

namespace pemmaro {

TChildForm::TChildForm(QWidget* parent)
    : QMainWindow(parent) {
    setObjectName("TChildForm");
}

void TChildForm::initialise_as_main_window() {
    setWindowTitle(to_qstring(product().product_title));
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize available = screen ? screen->availableSize() : QSize(1024, 768);
    resize(std::min(800, available.width()), std::min(600, available.height()));
}

void TChildForm::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    if (event->isAccepted())
        emit closed();
}

} // namespace pemmaro
