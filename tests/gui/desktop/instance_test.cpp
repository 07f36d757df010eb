#include "core/endpoints.h"
#include "desktop_harness.h"
#include "gui/overview/overview_window.h"
#include "platform/single_instance.h"
#include "test_servers.h"

#include <QCheckBox>
#include <QJsonArray>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/prctl.h>

namespace {
const QJsonObject kShow {{QStringLiteral("command"), QStringLiteral("show")}};

// The real program, offscreen, on a data directory of its own.
// `asCron`: with the environment of a cron job (no runtime directory, another temporary directory).
// `readErrors`: its standard error read by the test rather than shown.
std::unique_ptr<QProcess> startProgram(const QString &dataDir, const QStringList &arguments = {},
                                       bool asCron = false, bool readErrors = false)
{
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (asCron) {
        environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        environment.insert(QStringLiteral("TMPDIR"), dataDir);
    }
    environment.insert(QStringLiteral("PARCELVUE_HOME"), dataDir);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process->setProcessEnvironment(environment);
    process->setProcessChannelMode(readErrors ? QProcess::SeparateChannels : QProcess::ForwardedErrorChannel);
    process->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    process->start(QStringLiteral(PARCELVUE_APP), arguments);
    EXPECT_TRUE(process->waitForStarted(10000));
    return process;
}

// Ended while this process answers requests (the running program may be this process).
bool ended(QProcess &process)
{
    return waitUntil([&] { return process.state() == QProcess::NotRunning; }, 20000);
}

qint64 lockOwner(const QString &dataDir)
{
    qint64 pid = 0;
    QString host, application;
    QLockFile(QDir(dataDir).filePath(QStringLiteral("parcelvue.lock")))
        .getLockInfo(&pid, &host, &application);
    return pid;
}

// A data directory whose services are a sandbox, so that the program starts quietly.
struct Home
{
    QTemporaryDir dir;
    explicit Home(const TestSandbox &sandbox)
    {
        Endpoints endpoints = Endpoints::defaults();
        endpoints.useServer(sandbox.baseUrl());
        EXPECT_TRUE(endpoints.save(dir.filePath(QStringLiteral("endpoints.ini"))));
    }
    QString path() const { return dir.path(); }
    // The running program answers on its socket.
    bool answers() const
    {
        return waitUntil(
            [&] {
                QString error;
                const auto answer = sendInstanceRequest(instanceServerName(path()), kShow, 2000, &error);
                return answer && answer->value(QStringLiteral("ok")).toBool();
            },
            20000);
    }
};

// One request sent the way any client would, answered by a server in this very process.
QJsonObject ask(const QString &name, const QByteArray &bytes)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    EXPECT_TRUE(socket.waitForConnected(2000));
    socket.write(bytes);
    EXPECT_TRUE(waitUntil([&] { return socket.canReadLine(); }));
    QString error;
    return InstanceMessage::decode(socket.readLine(), &error).value_or(QJsonObject());
}
} // namespace

TEST(InstanceMessages, OneJsonObjectPerLine)
{
    const QJsonObject request {{QStringLiteral("command"), QStringLiteral("import")},
                               {QStringLiteral("file"), QStringLiteral("/tmp/a\nb.ini")}};
    const QByteArray line = InstanceMessage::encode(request);
    EXPECT_TRUE(line.endsWith('\n'));
    EXPECT_EQ(line.count('\n'), 1) << "a line break in a value stays inside the line";
    QString error;
    EXPECT_EQ(InstanceMessage::decode(line, &error), request);

    const struct
    {
        QByteArray line;
        const char *error;
    } bad[] = {
        {"", "not JSON"},
        {"show\n", "not JSON"},
        {"[\"show\"]\n", "not a JSON object"},
        {"{\"command\":\"show\"", "not JSON"},
        {QByteArray(InstanceMessage::kMaxLineBytes + 1, ' '), "longer than"},
    };
    for (const auto &c : bad) {
        EXPECT_FALSE(InstanceMessage::decode(c.line, &error)) << c.line.left(40).toStdString();
        EXPECT_TRUE(error.contains(QLatin1String(c.error))) << error.toStdString();
    }
}

// The socket's directory must be the user's alone.
TEST(InstanceServer, SocketDirectoryIsTheUsersAlone)
{
    QTemporaryDir dir;
    const struct
    {
        const char *name;
        QFileDevice::Permissions permissions;
        const char *problem; // "" for none
    } cases[] = {
        {"own", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner, ""},
        {"open",
         QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::ReadOther
             | QFileDevice::ExeOther | QFileDevice::WriteOther,
         "对其他用户开放"},
        {"missing", {}, "不存在"},
    };
    for (const auto &c : cases) {
        const QString path = dir.filePath(QLatin1String(c.name));
        if (c.permissions) {
            ASSERT_TRUE(QDir().mkdir(path));
            ASSERT_TRUE(QFile::setPermissions(path, c.permissions));
        }
        EXPECT_TRUE(socketDirectoryProblem(path).contains(QString::fromUtf8(c.problem))) << c.name;
        EXPECT_EQ(socketDirectoryProblem(path).isEmpty(), !*c.problem) << c.name;
    }
    const QString name = instanceServerName(dir.path());
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", dir.path().toLocal8Bit());
    EXPECT_EQ(instanceServerName(dir.path()), name) << "the environment does not decide";
    qputenv("XDG_RUNTIME_DIR", runtime);
    EXPECT_EQ(socketDirectoryProblem(QFileInfo(name).absolutePath()), QString());

    InstanceServer server;
    QString error;
    EXPECT_FALSE(server.listen(
        QDir(dir.filePath(QStringLiteral("open"))).filePath(QStringLiteral("x.socket")), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("chmod 700"))) << error.toStdString();
}

TEST(InstanceServer, AnswersEachCommandByNameAndRefusesTheRest)
{
    QTemporaryDir dir;
    InstanceServer server;
    QString error;
    const QString name = instanceServerName(dir.path());
    ASSERT_TRUE(server.listen(name, &error)) << error.toStdString();
    // An answer given later, once the work is done, as a command that waits for the window would.
    server.addCommand(QStringLiteral("later"), [](const QJsonObject &request, InstanceServer::Reply reply) {
        QTimer::singleShot(50, [request, reply] {
            reply(
                {{QStringLiteral("ok"), true}, {QStringLiteral("echo"), request.value(QStringLiteral("x"))}});
        });
    });

    EXPECT_EQ(ask(name, "{\"command\":\"later\",\"x\":[1,2]}\n").value(QStringLiteral("echo")),
              QJsonValue(QJsonArray {1, 2}));
    const QJsonObject unknown = ask(name, "{\"command\":\"import\",\"file\":\"a.ini\"}\n");
    EXPECT_FALSE(unknown.value(QStringLiteral("ok")).toBool());
    EXPECT_EQ(unknown.value(QStringLiteral("error")).toString(), QStringLiteral("unknown command: import"));
    EXPECT_TRUE(ask(name, "not json\n")
                    .value(QStringLiteral("error"))
                    .toString()
                    .startsWith(QStringLiteral("not JSON")));

    // A second server on the same name does not take it from a live one.
    InstanceServer second;
    EXPECT_FALSE(second.listen(name, &error));
    EXPECT_EQ(ask(name, "{\"command\":\"later\"}\n").value(QStringLiteral("ok")), QJsonValue(true));
}

TEST(SingleInstance, SecondStartRaisesTheRunningWindowAndEndsWithSuccess)
{
    for (const bool overview : {false, true}) {
        DesktopHarness h;
        SingleInstance instance(h.test.dataDir());
        QString error;
        ASSERT_EQ(instance.start(kShow, &error), SingleInstance::Start::First) << error.toStdString();
        h.session->serve(instance.server());
        h.form().showMinimized();
        ASSERT_TRUE(h.form().isMinimized());

        const auto second = startProgram(
            h.test.dataDir(), overview ? QStringList {QStringLiteral("--overview")} : QStringList());
        ASSERT_TRUE(ended(*second));
        EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(second->exitCode(), 0);
        EXPECT_TRUE(h.form().isVisible());
        EXPECT_FALSE(h.form().isMinimized());
        EXPECT_EQ(h.session->overview() && h.session->overview()->isVisible(), overview);
        EXPECT_EQ(lockOwner(h.test.dataDir()), QCoreApplication::applicationPid());
    }
}

TEST(SingleInstance, LockOfAKilledProgramIsTakenOver)
{
    TestSandbox sandbox;
    Home home(sandbox);
    const auto killed = startProgram(home.path());
    ASSERT_TRUE(home.answers());
    EXPECT_EQ(lockOwner(home.path()), killed->processId());
    ::kill(pid_t(killed->processId()), SIGKILL);
    ASSERT_TRUE(ended(*killed));
    ASSERT_TRUE(QFileInfo::exists(QDir(home.path()).filePath(QStringLiteral("parcelvue.lock"))));
    ASSERT_TRUE(QFileInfo::exists(instanceServerName(home.path()))) << "its socket is left behind too";

    const auto next = startProgram(home.path());
    ASSERT_TRUE(home.answers());
    EXPECT_EQ(next->state(), QProcess::Running);
    EXPECT_EQ(lockOwner(home.path()), next->processId());
    next->kill();
    next->waitForFinished(5000);
}

TEST(SingleInstance, TwoDataDirectoriesRunSideBySide)
{
    TestSandbox sandbox;
    Home first(sandbox), second(sandbox);
    ASSERT_NE(instanceServerName(first.path()), instanceServerName(second.path()));
    const auto one = startProgram(first.path());
    const auto two = startProgram(second.path());
    ASSERT_TRUE(first.answers());
    ASSERT_TRUE(second.answers());
    EXPECT_EQ(lockOwner(first.path()), one->processId());
    EXPECT_EQ(lockOwner(second.path()), two->processId());

    // A third start on the first directory goes to the first program only.
    const auto third = startProgram(first.path());
    ASSERT_TRUE(ended(*third));
    EXPECT_EQ(third->exitCode(), 0);
    EXPECT_EQ(one->state(), QProcess::Running);
    EXPECT_EQ(two->state(), QProcess::Running);
    one->kill();
    two->kill();
    one->waitForFinished(5000);
    two->waitForFinished(5000);
}

TEST(SingleInstance, ImportFromTheCommandLineIsDoneByTheRunningWindow)
{
    DesktopHarness h;
    SingleInstance instance(h.test.dataDir());
    QString error;
    ASSERT_EQ(instance.start(kShow, &error), SingleInstance::Start::First) << error.toStdString();
    h.session->serve(instance.server());
    // One parcel saved already (skipped) and one new; the window's list is the one that grows.
    const QString csv = QDir(h.test.dataDir()).filePath(QStringLiteral("in.csv"));
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(
        QStringLiteral("\uFEFF备注,单号,快递公司\r\n书,YT2002,圆通快递\r\n伞,EM4004,EMS快递\r\n").toUtf8());
    file.close();

    // From cron: the command finds the window's socket without the session's environment.
    const auto import = startProgram(h.test.dataDir(), {QStringLiteral("import"), csv}, true);
    ASSERT_TRUE(ended(*import));
    EXPECT_EQ(import->exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(import->readAllStandardOutput()),
              QStringLiteral("已导入1个快递,1个已在列表中,合并了0条物流记录\n"));
    EXPECT_EQ(h.form().savedLines().size(), 4);
    EXPECT_TRUE(h.form().savedLines().last().startsWith(QStringLiteral("EM4004|EMS快递|伞")));
    QFile saved(QDir(h.test.dataDir()).filePath(QStringLiteral("wlnum.ini")));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(decodeGb(saved.readAll()).contains(QStringLiteral("EM4004|EMS快递|伞")));
    EXPECT_EQ(lockOwner(h.test.dataDir()), QCoreApplication::applicationPid());
}

TEST(SingleInstance, AnImportTheBusyWindowTookGoesOnWhenTheCommandStopsWaiting)
{
    DesktopHarness h;
    SingleInstance instance(h.test.dataDir());
    QString error;
    ASSERT_EQ(instance.start(kShow, &error), SingleInstance::Start::First) << error.toStdString();
    h.session->serve(instance.server());
    const QString csv = QDir(h.test.dataDir()).filePath(QStringLiteral("in.csv"));
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("\uFEFF备注,单号,快递公司\r\n伞,EM4004,EMS快递\r\n").toUtf8());
    file.close();

    // The window is inside a query: it says at once that it took the import, and imports after it.
    h.form().beginWait();
    const auto import = startProgram(h.test.dataDir(), {QStringLiteral("import"), csv}, false, true);
    QString errors;
    ASSERT_TRUE(waitUntil([&] {
        errors += QString::fromUtf8(import->readAllStandardError());
        return errors.contains(QStringLiteral("已接受导入"));
    })) << errors.toStdString();
    import->terminate();
    ASSERT_TRUE(ended(*import));
    errors += QString::fromUtf8(import->readAllStandardError());
    EXPECT_EQ(import->exitStatus(), QProcess::NormalExit);
    EXPECT_NE(import->exitCode(), 0);
    EXPECT_TRUE(errors.contains(QStringLiteral("导入仍在窗口中进行"))) << errors.toStdString();
    EXPECT_EQ(h.form().savedLines().size(), 3);
    h.form().endWait();
    ASSERT_TRUE(waitUntil([&] { return h.form().savedLines().size() == 4; }));
    EXPECT_TRUE(h.form().savedLines().last().startsWith(QStringLiteral("EM4004|EMS快递|伞")));
}

TEST(SingleInstance, NewsStoredByTheCommandLineIsAnnouncedOnceByTheRunningWindow)
{
    DesktopHarness h;
    SingleInstance instance(h.test.dataDir());
    QString error;
    ASSERT_EQ(instance.start(kShow, &error), SingleInstance::Start::First) << error.toStdString();
    h.session->serve(instance.server());
    h.form().Check3->setChecked(true);
    Endpoints endpoints = Endpoints::defaults();
    endpoints.useServer(h.service.baseUrl());
    ASSERT_TRUE(endpoints.save(QDir(h.test.dataDir()).filePath(QStringLiteral("endpoints.ini"))));
    h.service.addRow(h.key(0).number, QStringLiteral("2024-02-28 08:00:00"), QStringLiteral("已揽收"));
    h.refreshAll();

    const QStringList commands[] = {{QStringLiteral("track"), QStringLiteral("shunfeng"), h.key(0).number},
                                    {QStringLiteral("refresh")}};
    for (int i = 0; i < 2; ++i) {
        h.service.addRow(h.key(0).number, QStringLiteral("2024-02-2%1 08:00:00").arg(i + 8),
                         QStringLiteral("到达第%1站").arg(i));
        const auto command = startProgram(h.test.dataDir(), commands[i]);
        ASSERT_TRUE(ended(*command)) << commands[i].first().toStdString();
        EXPECT_EQ(command->exitCode(), 0);
        ASSERT_TRUE(waitUntil([&] { return h.notifications() == i + 1; }))
            << commands[i].first().toStdString();
        EXPECT_EQ(h.test.sound.played.size(), size_t(i + 1));
        EXPECT_TRUE(h.session->history().parcel(h.key(0))->unseenNews);
    }
    // The window's own watcher finds nothing new after them.
    h.refreshAll();
    QTest::qWait(200);
    EXPECT_EQ(h.notifications(), 2);
    EXPECT_EQ(h.test.sound.played.size(), 2u);
}
