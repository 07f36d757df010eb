#include "cli/command_line.h"
#include "desktop/desktop_settings.h"
#include "gui/desktop/desktop_session.h"
#include "gui/overview/overview_window.h"
#include "gui/platform/widget_desktop_platform.h"
#include "gui/window/main_window.h"
#include "platform/interface_language.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "platform/single_instance.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QJsonObject>
#include <QTableView>
#include <QTimer>
#include <QWidget>
#include <cstdio>

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

// The interface's language, from the setting 界面语言 and the user's locale, before any text.
void chooseLanguage()
{
    const QString dataDir = dataDirectory();
    const DesktopSettings settings
        = DesktopSettings::load(joinPath(dataDir, QStringLiteral("parcelvue.ini")));
    installTranslation(chosenLanguage(settings.language, languageOfEnvironment()), dataDir);
}

// The program's options; --help and --version need no display.
struct Options
{
    QCommandLineOption screenshot {
        QStringLiteral("screenshot"),
        QStringLiteral("Save a picture of the main window to <file> after start-up; with --overview, of the "
                       "overview with its first parcel selected."),
        QStringLiteral("file")};
    QCommandLineOption overview {QStringLiteral("overview"),
                                 QStringLiteral("Also open the overview of every saved parcel (全部快递).")};

    void describe(QCommandLineParser &parser) const
    {
        parser.setApplicationDescription(
            QStringLiteral(
                "Parcelvue: follow parcels of 127 carriers.\n"
                "Data directory: $PARCELVUE_HOME; else, for an installed copy, the per-user data location "
                "(unless the program's directory holds wlnum.ini or parcelvue.ini); else the program's "
                "directory when writable, else the per-user data location. Services are configured in "
                "endpoints.ini there.\n"
                "One program runs per data directory: a second start brings the running one to the front "
                "(and opens its overview with --overview) and ends.\n\n")
            + CommandLine::help());
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addOption(screenshot);
        parser.addOption(overview);
    }
};

bool asksForHelpOrVersion(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--help" || arg == "-h" || arg == "-?" || arg == "--help-all" || arg == "--version"
            || arg == "-v")
            return true;
    }
    return false;
}
} // namespace

int main(int argc, char *argv[])
{
    // A command runs without a window, and so without a display.
    if (argc > 1 && CommandLine::isCommand({QString::fromLocal8Bit(argv[1])})) {
        QCoreApplication app(argc, argv);
        nameApplication();
        chooseLanguage();
        return CommandLine::run(QCoreApplication::arguments().mid(1));
    }
    // Over ssh or on a server: the help and the version print without a window.
    if (asksForHelpOrVersion(argc, argv)) {
        QCoreApplication app(argc, argv);
        nameApplication();
        chooseLanguage();
        QCommandLineParser parser;
        const Options options;
        options.describe(parser);
        parser.process(app); // prints and exits
        return 0;
    }

    QApplication app(argc, argv);
    nameApplication();
    chooseLanguage();
    // The Wayland app id; it names the desktop entry, whose icon and name the shell shows.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.parcelvue.Parcelvue"));

    QCommandLineParser parser;
    const Options options;
    options.describe(parser);
    parser.process(app);
    const QCommandLineOption &screenshot = options.screenshot;
    const QCommandLineOption &overview = options.overview;

    // Before any window: a program already running on this data directory takes over.
    const QString dataDir = dataDirectory();
    SingleInstance instance(dataDir);
    QString why;
    const QJsonObject request {{QStringLiteral("command"), QStringLiteral("show")},
                               {QStringLiteral("overview"), parser.isSet(overview)}};
    switch (instance.start(request, &why)) {
    case SingleInstance::Start::HandedOver:
        return 0;
    case SingleInstance::Start::Unanswered: {
        const QString text = QStringLiteral("另一个 Parcelvue 正在使用数据目录 "
                                            "%1,但没有回应(%2)。\n请稍后再试,或结束那个程序后再启动。")
                                 .arg(QDir::toNativeSeparators(dataDir), why);
        std::fprintf(stderr, "%s\n", qUtf8Printable(text));
        DesktopPlatform desktop(dataDir);
        desktop.platform().messages->show(text, MsgIcon::Exclamation, MsgButtons::Ok);
        return 1;
    }
    case SingleInstance::Start::First:
        break;
    }

    DesktopPlatform desktop(dataDir);
    DesktopSession session(desktop.platform());
    session.serve(instance.server());
    session.show();
    if (parser.isSet(overview))
        session.showOverview();
    if (parser.isSet(screenshot)) {
        const QString path = parser.value(screenshot);
        QWidget *window = session.mainWindow().widget();
        QTimer::singleShot(2500, window, [&session, window, path, withOverview = parser.isSet(overview)] {
            if (OverviewWindow *overviewWindow = withOverview ? session.overview() : nullptr) {
                overviewWindow->table->selectRow(0);
                overviewWindow->grab().save(path);
            } else {
                window->grab().save(path);
            }
        });
    }
    return app.exec();
}
