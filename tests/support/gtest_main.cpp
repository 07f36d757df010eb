// Runs the tests inside a QApplication on the offscreen platform. A Qt warning during a test is a
// failure, so broken connections and bad widget calls cannot pass unseen.
#include <QApplication>
#include <QByteArray>
#include <gtest/gtest.h>

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
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    qInstallMessageHandler(failOnWarning);
    return RUN_ALL_TESTS();
}
