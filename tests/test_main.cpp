// Test entry: a Qt application on the offscreen platform, so fonts, screens
// and widgets work without a display.

#include "platform/Log.h"

#include <gtest/gtest.h>

#if PEMMARO_TEST_GUI_APPLICATION
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    // Audio and worker threads may be running: death tests re-execute the program.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // As the program does: the browser plugin's engine needs it.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    TestApplication application(argc, argv);
    pemmaro::set_log_silenced(true);
    return RUN_ALL_TESTS();
}
