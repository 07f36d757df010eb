#include "core/endpoints.h"
#include "desktop_harness.h"
#include "english_interface.h"
#include "gui/desktop/tray_icon.h"
#include "gui/overview/overview_window.h"

#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <csignal>
#include <sys/prctl.h>

namespace {
const QString kItemPath = QStringLiteral("/StatusNotifierItem");
const QString kItemInterface = QStringLiteral("org.kde.StatusNotifierItem");
const QString kMenuInterface = QStringLiteral("com.canonical.dbusmenu");

FakeDesktop::Options withTray()
{
    FakeDesktop::Options options;
    options.statusNotifierWatcher = true;
    return options;
}

// A tray item as a desktop panel sees it over the bus.
struct TrayHost
{
    FakeDesktop &fake;
    QString service;

    QVariant property(const QString &name) { return fake.property(service, kItemPath, kItemInterface, name); }

    QString toolTip()
    {
        // (sa(iiay)ss): icon name, icon pictures, title, text.
        const QDBusArgument argument = property(QStringLiteral("ToolTip")).value<QDBusArgument>();
        QString icon, title, text;
        argument.beginStructure();
        argument >> icon;
        pictureWidths(argument);
        argument >> title >> text;
        argument.endStructure();
        return title;
    }

    // The widths of the icon's pictures, a(iiay).
    QList<int> iconWidths()
    {
        return pictureWidths(property(QStringLiteral("IconPixmap")).value<QDBusArgument>());
    }

    // Reads an a(iiay) of pictures: the widths of those whose pixels fill width x height.
    static QList<int> pictureWidths(const QDBusArgument &argument)
    {
        QList<int> widths;
        argument.beginArray();
        while (!argument.atEnd()) {
            int width = 0, height = 0;
            QByteArray pixels;
            argument.beginStructure();
            argument >> width >> height >> pixels;
            argument.endStructure();
            if (pixels.size() == qsizetype(width) * height * 4)
                widths.append(width);
        }
        argument.endArray();
        return widths;
    }

    struct Entry
    {
        int id = 0;
        QString label; // empty for a separator
        QString type;
    };
    // The top level of the menu, from com.canonical.dbusmenu's GetLayout: (ia{sv}av) nodes.
    QList<Entry> menu()
    {
        const QString path = property(QStringLiteral("Menu")).value<QDBusObjectPath>().path();
        QDBusMessage get
            = QDBusMessage::createMethodCall(service, path, kMenuInterface, QStringLiteral("GetLayout"));
        get << 0 << -1 << QStringList();
        const QDBusMessage reply = fake.call(get);
        QList<Entry> entries;
        if (reply.arguments().size() != 2)
            return entries;
        const QDBusArgument root = reply.arguments().at(1).value<QDBusArgument>();
        int rootId = 0;
        QVariantMap rootProperties;
        root.beginStructure();
        root >> rootId >> rootProperties;
        root.beginArray();
        while (!root.atEnd()) {
            QDBusVariant child;
            root >> child;
            const QDBusArgument node = child.variant().value<QDBusArgument>();
            Entry entry;
            QVariantMap properties;
            node.beginStructure();
            node >> entry.id >> properties;
            node.endStructure();
            entry.label = properties.value(QStringLiteral("label")).toString();
            entry.type = properties.value(QStringLiteral("type")).toString();
            if (properties.value(QStringLiteral("visible"), true).toBool())
                entries.append(entry);
        }
        root.endArray();
        root.endStructure();
        return entries;
    }
    QStringList labels()
    {
        QStringList list;
        for (const Entry &entry : menu())
            list.append(entry.type == QLatin1String("separator") ? QStringLiteral("-") : entry.label);
        return list;
    }
    void click(const QString &label)
    {
        const QString path = property(QStringLiteral("Menu")).value<QDBusObjectPath>().path();
        for (const Entry &entry : menu()) {
            if (entry.label != label)
                continue;
            QDBusMessage event
                = QDBusMessage::createMethodCall(service, path, kMenuInterface, QStringLiteral("Event"));
            event << entry.id << QStringLiteral("clicked") << QVariant::fromValue(QDBusVariant(0)) << 0u;
            fake.call(event);
            return;
        }
        ADD_FAILURE() << "no menu entry " << label.toStdString();
    }
    // A left click on the icon.
    void activate()
    {
        QDBusMessage click
            = QDBusMessage::createMethodCall(service, kItemPath, kItemInterface, QStringLiteral("Activate"));
        click << 0 << 0;
        fake.call(click);
    }
};

TrayHost host(DesktopHarness &h, int index = 0)
{
    EXPECT_TRUE(waitUntil([&] { return h.fake.registeredItems().size() > index; }, 10000));
    return {h.fake, h.fake.registeredItems().value(index)};
}

void firstAnswers(DesktopHarness &h)
{
    h.service.addRow(h.key(0).number, QStringLiteral("2024-02-28 08:00:00"), QStringLiteral("已揽收"));
    h.service.addRow(h.key(1).number, QStringLiteral("2024-02-28 08:00:00"), QStringLiteral("正在派件"));
    h.service.addRow(h.key(2).number, QStringLiteral("2024-02-28 08:00:00"), QStringLiteral("已签收"));
    h.refreshAll();
}

// Without a window manager Qt's X11 window must not be shown again while the X server has not
// finished hiding it (Qt then warns): the tests wait for the X server as a person's pace would.
void waitUntilMapped(Form1 &form)
{
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
}
void waitUntilUnmapped(Form1 &form)
{
    ASSERT_TRUE(waitUntil([&] { return !form.windowHandle()->isExposed(); }));
}
void hide(Form1 &form)
{
    waitUntilMapped(form);
    form.hide();
    waitUntilUnmapped(form);
}

// The minimise button in the frame, released as a person does.
void minimiseByTheTitleBar(Form1 &form)
{
    waitUntilMapped(form);
    form.Form_MouseUp(Qt::LeftButton, form.width() - 70, 10);
}
} // namespace

TEST(Tray, RegistersWithTheIconAToolTipThatCountsAndItsMenu)
{
    DesktopHarness h(withTray());
    ASSERT_NE(h.session->tray(), nullptr);
    TrayHost tray = host(h);
    EXPECT_TRUE(tray.property(QStringLiteral("IconName")).toString()
                    == QStringLiteral("org.parcelvue.Parcelvue")
                || !tray.iconWidths().isEmpty())
        << "the application icon, by name or as pictures";
    EXPECT_EQ(tray.labels(),
              QStringList({QStringLiteral("显示主窗口"), QStringLiteral("全部快递"),
                           QStringLiteral("全部刷新"), QStringLiteral("-"), QStringLiteral("退出")}));

    firstAnswers(h);
    ASSERT_TRUE(waitUntil([&] {
        return tray.toolTip() == QStringLiteral("Parcelvue\n运送中 1 件，派件中 1 件，有新动态 0 件");
    })) << tray.toolTip().toStdString();
    h.news(0, QStringLiteral("2024-03-01 10:00:00"), QStringLiteral("到达"));
    ASSERT_TRUE(waitUntil([&] {
        return tray.toolTip() == QStringLiteral("Parcelvue\n运送中 1 件，派件中 1 件，有新动态 1 件");
    })) << tray.toolTip().toStdString();
}

// In English, as a desktop panel reads it over the bus.
TEST(Tray, EnglishMenuAndToolTip)
{
    const EnglishInterface english;
    DesktopHarness h(withTray());
    TrayHost tray = host(h);
    EXPECT_EQ(tray.labels(),
              QStringList({QStringLiteral("Show Main Window"), QStringLiteral("All Parcels"),
                           QStringLiteral("Refresh All"), QStringLiteral("-"), QStringLiteral("Quit")}));
    firstAnswers(h);
    ASSERT_TRUE(waitUntil([&] {
        return tray.toolTip()
            == QStringLiteral("Parcelvue\nIn transit: 1, out for delivery: 1, with news: 0");
    })) << tray.toolTip().toStdString();
}

TEST(Tray, MenuEntriesAndAClickOnTheIconActOnTheProgram)
{
    DesktopHarness h(withTray());
    TrayHost tray = host(h);

    tray.click(QStringLiteral("全部快递"));
    ASSERT_TRUE(waitUntil([&] { return h.session->overview() && h.session->overview()->isVisible(); }));

    tray.click(QStringLiteral("全部刷新"));
    ASSERT_TRUE(waitUntil([&] {
        return h.service.asked(h.key(0).number) == 1 && h.service.asked(h.key(1).number) == 1
            && h.service.asked(h.key(2).number) == 1;
    }));

    hide(h.form());
    tray.click(QStringLiteral("显示主窗口"));
    ASSERT_TRUE(waitUntil([&] { return h.form().isVisible(); }));

    hide(h.form());
    tray.activate();
    ASSERT_TRUE(waitUntil([&] { return h.form().isVisible(); }));
}

TEST(Tray, MinimiseHidesTheWindowInTheTrayOnlyWhenChosen)
{
    for (const bool toTray : {false, true}) {
        DesktopHarness h(withTray(), toTray ? QStringLiteral("最小化到托盘=是\r\n") : QString());
        TrayHost tray = host(h);
        minimiseByTheTitleBar(h.form());
        ASSERT_TRUE(h.form().isMinimized());
        if (!toTray) {
            // The designed minimise: the window stays on the task bar (a hide would come queued).
            QCoreApplication::processEvents();
            EXPECT_TRUE(h.form().isVisible());
            continue;
        }
        ASSERT_TRUE(waitUntil([&] { return !h.form().isVisible(); }));
        EXPECT_FALSE(QGuiApplication::quitOnLastWindowClosed()) << "a window in the tray is not closed";
        waitUntilUnmapped(h.form());
        tray.activate();
        ASSERT_TRUE(waitUntil([&] { return h.form().isVisible() && !h.form().isMinimized(); }));
        EXPECT_TRUE(QGuiApplication::quitOnLastWindowClosed());
    }
}

TEST(Tray, QuitAsksTheDesignedExitQuestion)
{
    DesktopHarness h(withTray());
    TrayHost tray = host(h);
    hide(h.form());
    h.test.messages.answerNext(MsgAnswer::Cancel);
    tray.click(QStringLiteral("退出"));
    ASSERT_TRUE(waitUntil([&] { return h.test.messages.shown.size() == 1; }));
    EXPECT_TRUE(h.test.messages.shown.at(0).text.contains(QStringLiteral("是否退出")));
    EXPECT_EQ(h.test.messages.shown.at(0).buttons, MsgButtons::YesNoCancel);
    EXPECT_TRUE(h.form().isVisible()) << "shown for the question, and kept on Cancel";

    h.test.messages.answerNext(MsgAnswer::No);
    tray.click(QStringLiteral("退出"));
    ASSERT_TRUE(waitUntil([&] { return !h.form().isVisible(); }));
    EXPECT_EQ(h.test.messages.shown.size(), 2u);
    EXPECT_TRUE(h.test.urls.opened.isEmpty());
}

TEST(Tray, WithoutANotificationServerTheTraysMessageTellsTheNews)
{
    FakeDesktop::Options options = withTray();
    options.refuseNotifications = true;
    DesktopHarness h(options);
    host(h);
    firstAnswers(h);
    h.news(0, QStringLiteral("2024-03-01 10:00:00"), QStringLiteral("A&B"));
    // The program's own notification is refused; then the tray tells it in its own way.
    ASSERT_TRUE(waitUntil([&] { return h.notifications() == 2; }));
    const FakeDesktop::Notification own = h.fake.notifications().at(0);
    const FakeDesktop::Notification tray = h.fake.notifications().at(1);
    EXPECT_EQ(own.appName, QStringLiteral("Parcelvue"));
    EXPECT_FALSE(tray.hints.contains(QStringLiteral("desktop-entry"))) << "not the program's own";
    EXPECT_EQ(tray.summary, own.summary);
    EXPECT_EQ(tray.body, QStringLiteral("2024-03-01 10:00:00\nA&B"));
}

TEST(Tray, TheProgramShowsItsTrayIcon)
{
    FakeDesktop fake(withTray());
    QString error;
    ASSERT_TRUE(fake.start(&error)) << error.toStdString();
    TestSandbox sandbox;
    QTemporaryDir home;
    Endpoints endpoints = Endpoints::defaults();
    endpoints.useServer(sandbox.baseUrl());
    ASSERT_TRUE(endpoints.save(home.filePath(QStringLiteral("endpoints.ini"))));

    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment(); // this X server and bus
    environment.insert(QStringLiteral("PARCELVUE_HOME"), home.path());
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    program.start(QStringLiteral(PARCELVUE_APP));
    ASSERT_TRUE(program.waitForStarted(10000));
    ASSERT_TRUE(waitUntil([&] { return !fake.registeredItems().isEmpty(); }, 20000));
    TrayHost tray {fake, fake.registeredItems().at(0)};
    QDBusMessage owner = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/"), QStringLiteral("org.freedesktop.DBus"),
        QStringLiteral("GetConnectionUnixProcessID"));
    owner << tray.service;
    EXPECT_EQ(fake.call(owner).arguments().value(0).toLongLong(), program.processId())
        << "the program's item";
    EXPECT_EQ(tray.labels().size(), 5);
    EXPECT_EQ(tray.toolTip(), QStringLiteral("Parcelvue\n运送中 0 件，派件中 0 件，有新动态 0 件"));
    program.kill();
    program.waitForFinished(5000);
}
