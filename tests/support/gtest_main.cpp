// Runs the tests inside a QApplication on the offscreen platform (the window tests) or a
// QCoreApplication (the logic tests, which link no widgets). A Qt warning during a test is a
// failure, so broken connections and bad widget calls cannot pass unseen.
#include "private_display.h"

#ifdef PARCELVUE_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif
#include <QByteArray>
#include <gtest/gtest.h>
#include <iostream>

namespace {
void failOnWarning(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtDebugMsg || type == QtInfoMsg)
        return;
    // The offscreen platform has no real windowing system; these say only that.
    static const char *const harmless[] = {
        "This plugin does not support",
        "QFont::fromString",
        "propagateSizeHints",
    };
    for (const char *text : harmless) {
        if (message.contains(QLatin1String(text)))
            return;
    }
    ADD_FAILURE() << "Qt warning: " << message.toStdString();
}
} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // No test reaches the desktop's own session bus (a notification sent by a test would show on
    // the developer's screen): a test that needs a bus starts its own (PrivateSessionBus).
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/parcelvue-tests-start-their-own-bus");
    ::testing::InitGoogleTest(&argc, argv);
    PrivateDisplay display;
#ifdef PARCELVUE_TEST_X11
    // A folder whose tests need X11 itself (Qt's tray is not on the offscreen platform) gets an X
    // server of its own, never the developer's.
    if (!::testing::GTEST_FLAG(list_tests)) {
        std::string error;
        if (!display.start(&error)) {
            std::cerr << "no X server for the tests: " << error << std::endl;
            return 1;
        }
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
#endif
    // The application goes before the X server it may be connected to.
    TestApplication app(argc, argv);
    qInstallMessageHandler(failOnWarning);
    return RUN_ALL_TESTS();
}
