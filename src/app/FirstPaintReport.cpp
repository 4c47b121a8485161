#include "app/FirstPaintReport.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace pemmaro {

namespace {

constexpr const char* report_variable = "PEMMARO_REPORT_FIRST_PAINT";

QByteArray status_value(const QByteArray& status, const QByteArray& key) {
    const qsizetype start = status.indexOf(key + ":");
    if (start < 0)
        return "0";
    const qsizetype end = status.indexOf('\n', start);
    return status.mid(start + key.size() + 1, end - start - key.size() - 1)
        .trimmed()
        .split(' ')
        .value(0);
}

void report_now() {
    QFile file("/proc/self/status");
    const QByteArray status = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    std::printf("first-paint %s %s\n", status_value(status, "VmRSS").constData(),
                status_value(status, "VmHWM").constData());
    std::fflush(stdout);
    if (qgetenv(report_variable) == "quit")
        QCoreApplication::quit();
}

// The report waits for the end of the paint event, so the painted buffer has
// gone to the screen before it is written.
class FirstPaintProbe : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !reported_) {
            reported_ = true;
            QTimer::singleShot(0, this, &report_now);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool reported_ = false;
};

} // namespace

void report_first_paint_when_asked(QWidget& window) {
    if (qEnvironmentVariableIsEmpty(report_variable))
        return;
    // Any paint inside the window counts: child widgets paint its surface.
    auto* probe = new FirstPaintProbe(&window); // owned by the window
    window.installEventFilter(probe);
    for (QWidget* child : window.findChildren<QWidget*>())
        child->installEventFilter(probe);
}

} // namespace pemmaro
