#pragma once
// Where dialogs and pop-ups go: dialogs centred on the window they serve,
// pop-ups kept inside the client area of the window that opened them.

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace pemmaro {

// Centres the dialog, at its size hint, on the window, kept on the window's screen.
void centre_on(QWidget& dialog, const QWidget& window);

// The top-left corner of a pop-up of that size wanted at the point, moved left
// and up so that it stays margin pixels inside the area (all global).
QPoint keep_inside(QPoint wanted, QSize size, const QRect& area, int margin = 5);

// The client area of a window in global coordinates.
QRect global_client_area(const QWidget& window);

} // namespace pemmaro
