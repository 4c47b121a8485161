// The yardstick of the start-up benchmark: a bare Qt main window with a menu
// bar, a status bar and painted text, started and timed as the program is.

#include "app/FirstPaintReport.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QStatusBar>
#include <QWidget>

namespace {

class TextArea : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.setFont(QFont("Arial", 12));
        for (int line = 0; line < 30; ++line)
            painter.drawText(8, 20 + line * 20, QString("Line %1 of painted text").arg(line + 1));
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QMainWindow window;
    for (const char* title : {"&File", "&Edit", "&View", "&Help"})
        window.menuBar()->addMenu(title)->addAction("&Item");
    window.setCentralWidget(new TextArea); // owned by the window
    window.statusBar()->showMessage("Ready");
    window.resize(800, 600);
    pemmaro::report_first_paint_when_asked(window);
    window.show();
    return QApplication::exec();
}
