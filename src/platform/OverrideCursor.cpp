#include "platform/OverrideCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace pemmaro {

OverrideCursor::OverrideCursor(Qt::CursorShape shape)
    : set_(qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
    if (set_)
        QGuiApplication::setOverrideCursor(QCursor(shape));
}

OverrideCursor::~OverrideCursor() {
    if (set_)
        QGuiApplication::restoreOverrideCursor();
}

} // namespace pemmaro
