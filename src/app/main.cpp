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
        QCoreApplication::translate("Main",
                                    "启动后把主窗口的图片保存到 <文件>;加 --overview 时,保存全部快递"
                                    "窗口(选中第一个快递)的图片。"),
        QCoreApplication::translate("Main", "文件")};
    QCommandLineOption overview {
        QStringLiteral("overview"),
        QCoreApplication::translate("Main", "同时打开全部已保存快递的总览(全部快递)。")};

    void describe(QCommandLineParser &parser) const
    {
        parser.setApplicationDescription(
            QCoreApplication::translate(
                "Main",
                "Parcelvue: 跟踪127家快递公司的快递。\n"
                "数据目录: $PARCELVUE_HOME;否则,对安装的程序为每个用户的数据位置"
                "(除非程序所在目录有 wlnum.ini 或 parcelvue.ini);否则为程序所在目录(可写时),"
                "再否则为每个用户的数据位置。查询服务在该目录的 endpoints.ini 中设置。\n"
                "每个数据目录只运行一个程序: 再次启动会把正在运行的程序调到前面"
                "(加 --overview 时打开它的全部快递窗口),然后结束。\n\n")
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
        const QString text
            = QCoreApplication::translate("Main",
                                          "另一个 Parcelvue 正在使用数据目录 "
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
