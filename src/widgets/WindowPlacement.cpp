#include "widgets/WindowPlacement.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace pemmaro {

void centre_on(QWidget& dialog, const QWidget& window) {
    dialog.adjustSize();
    const QSize size = dialog.frameGeometry().size().expandedTo(dialog.size());
    QPoint corner = window.frameGeometry().center() - QPoint(size.width() / 2, size.height() / 2);
    if (const QScreen* screen = window.screen()) {
        const QRect available = screen->availableGeometry();
        corner.setX(std::clamp(corner.x(), available.left(),
                               std::max(available.left(), available.right() - size.width())));
        corner.setY(std::clamp(corner.y(), available.top(),
                               std::max(available.top(), available.bottom() - size.height())));
    }
    dialog.move(corner);
}

QPoint keep_inside(QPoint wanted, QSize size, const QRect& area, int margin) {
    QPoint corner = wanted;
    corner.setX(std::min(corner.x(), area.right() + 1 - margin - size.width()));
    corner.setY(std::min(corner.y(), area.bottom() + 1 - margin - size.height()));
    // A pop-up larger than the area keeps its top-left corner in view.
    corner.setX(std::max(corner.x(), area.left() + margin));
    corner.setY(std::max(corner.y(), area.top() + margin));
    return corner;
}

QRect global_client_area(const QWidget& window) {
    return QRect(window.mapToGlobal(QPoint(0, 0)), window.size());
}

} // namespace pemmaro
