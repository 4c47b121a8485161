#pragma once
// A small borderless window over a spot of another window, with a marked-up
// text in a thin dark green frame. It closes itself once the mouse has left
// the spot.
//
// User-interface thread only.

#include "common/TextEngine.h"

#include <QPointer>
#include <QRect>
#include <QWidget>
#include <functional>
#include <string>

class QTimer;

namespace pemmaro {

class TTooltipForm : public QWidget {
    Q_OBJECT

public:
    TTooltipForm(QWidget* owner, const DisplayFont& font);

    QTimer* Timer = nullptr;
    // Where the mouse may be while the tooltip stays, in screen coordinates.
    QRect HotRect;
    std::string text; // marked up
    int line_count = 1;
    int LineHeight = 0;
    // Where the mouse is on the screen (tests put their own).
    std::function<QPoint()> cursor_position;

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void TimerTimer();

    DisplayFont font_;
};

// Makes and shows a tooltip at the screen position; the previous one in
// tooltip is closed first. The tooltip belongs to the owner.
void ShowTooltip(QWidget* owner, const DisplayFont& font, QPoint screen_position,
                 QPointer<TTooltipForm>& tooltip, const std::string& text, QRect hot_rect,
                 int line_count, int width);

// Closes the tooltip if it is still there.
void close_tooltip(QPointer<TTooltipForm>& tooltip);

} // namespace pemmaro
