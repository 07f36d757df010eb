#include "cli/command_line.h"
#include "desktop/desktop_session.h"
#include "platform/paths.h"
#include "platform/widget_desktop_platform.h"
#include "window/form1.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

namespace {
// The name decides the per-user data location; the window and the commands share it.
void nameApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("parcelvue"));
    QCoreApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                                .arg(PARCELVUE_VERSION_MAJOR)
                                                .arg(PARCELVUE_VERSION_MINOR)
                                                .arg(PARCELVUE_VERSION_REVISION));
}
} // namespace

int main(int argc, char *argv[])
{
    // A command runs without a window, and so without a display.
    if (argc > 1 && CommandLine::isCommand({QString::fromLocal8Bit(argv[1])})) {
        QCoreApplication app(argc, argv);
        nameApplication();
        return CommandLine::run(QCoreApplication::arguments().mid(1));
    }

    QApplication app(argc, argv);
    nameApplication();
    // The Wayland app id; it names the desktop entry, whose icon and name the shell shows.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.parcelvue.Parcelvue"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral(
            "Parcelvue: follow parcels of 127 carriers.\n"
            "Data directory: $PARCELVUE_HOME; else, for an installed copy, the per-user data location "
            "(unless the program's directory holds wlnum.ini or parcelvue.ini); else the program's "
            "directory when writable, else the per-user data location. Services are configured in "
            "endpoints.ini there.\n\n")
        + CommandLine::help());
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("Save a picture of the main window to <file> after start-up."),
        QStringLiteral("file"));
    parser.addOption(screenshot);
    parser.process(app);

    DesktopPlatform desktop(dataDirectory());
    DesktopSession session(desktop.platform());
    session.show();
    if (parser.isSet(screenshot)) {
        const QString path = parser.value(screenshot);
        Form1 &form = session.form();
        QTimer::singleShot(2500, &form, [&form, path] { form.grab().save(path); });
    }
    return app.exec();
}
