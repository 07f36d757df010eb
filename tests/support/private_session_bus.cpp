#include "private_session_bus.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <memory>
#include <optional>
#include <signal.h>
#include <sys/prctl.h>

namespace {
const QByteArray kKeyringPassword = "parcelvue-test-keyring";

// A bus that offers nothing by itself: no service files, so no desktop service can be started.
const char *const kBusConfig
    = R"(<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=%1</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)";

struct Bus
{
    PrivateSessionBus::Kind kind;
    QTemporaryDir dir;
    std::unique_ptr<QProcess> daemon;
    std::unique_ptr<QProcess> keyring;
    QString error;
};

std::optional<Bus> &theBus()
{
    static std::optional<Bus> bus;
    return bus;
}

// Ends with the test process even when it is killed.
std::unique_ptr<QProcess> childProcess(const QString &program, const QStringList &arguments)
{
    auto process = std::make_unique<QProcess>();
    process->setProgram(program);
    process->setArguments(arguments);
    process->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    return process;
}

void stop(std::unique_ptr<QProcess> &process)
{
    if (!process)
        return;
    if (process->state() != QProcess::NotRunning) {
        process->terminate();
        if (!process->waitForFinished(3000)) {
            process->kill();
            process->waitForFinished(3000);
        }
    }
    process.reset();
}

void stopBus()
{
    if (std::optional<Bus> &bus = theBus()) {
        stop(bus->keyring);
        stop(bus->daemon);
    }
}

QString fileText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).trimmed() : QString();
}

bool startDaemon(Bus &bus)
{
    const QString config = bus.dir.filePath(QStringLiteral("bus.conf"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(QString::fromLatin1(kBusConfig).arg(bus.dir.path()).toUtf8()) < 0) {
        bus.error = QStringLiteral("cannot write the bus configuration");
        return false;
    }
    file.close();
    bus.daemon = childProcess(QStringLiteral("dbus-daemon"),
                              {QStringLiteral("--config-file=") + config, QStringLiteral("--nofork"),
                               QStringLiteral("--print-address=1")});
    bus.daemon->setStandardErrorFile(bus.dir.filePath(QStringLiteral("bus.log")));
    bus.daemon->start();
    if (!bus.daemon->waitForStarted(5000) || !bus.daemon->waitForReadyRead(10000)) {
        bus.error = QStringLiteral("dbus-daemon did not start: ") + bus.daemon->errorString()
            + QLatin1Char(' ') + fileText(bus.dir.filePath(QStringLiteral("bus.log")));
        return false;
    }
    const QByteArray address = bus.daemon->readLine().trimmed();
    qputenv("DBUS_SESSION_BUS_ADDRESS", address);
    return !address.isEmpty();
}

// The default collection is there and unlocked: writes go into it without a prompt.
bool keyringReady(QString *why)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.secrets"), QStringLiteral("/org/freedesktop/secrets"),
        QStringLiteral("org.freedesktop.Secret.Service"), QStringLiteral("ReadAlias"));
    call << QStringLiteral("default");
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, 2000);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        *why = reply.errorMessage();
        return false;
    }
    *why = QStringLiteral("no default collection");
    return reply.arguments().constFirst().value<QDBusObjectPath>().path() != QLatin1String("/");
}

bool startKeyring(Bus &bus)
{
    QDir home(bus.dir.path());
    for (const char *sub : {"home", "data", "config", "cache", "run"})
        home.mkpath(QLatin1String(sub));
    QFile::setPermissions(bus.dir.filePath(QStringLiteral("run")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), bus.dir.filePath(QStringLiteral("home")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), bus.dir.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), bus.dir.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), bus.dir.filePath(QStringLiteral("cache")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), bus.dir.filePath(QStringLiteral("run")));
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
               QString::fromUtf8(qgetenv("DBUS_SESSION_BUS_ADDRESS")));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    bus.keyring = childProcess(
        QStringLiteral("gnome-keyring-daemon"),
        {QStringLiteral("--foreground"), QStringLiteral("--components=secrets"), QStringLiteral("--unlock")});
    bus.keyring->setProcessEnvironment(env);
    bus.keyring->setStandardOutputFile(bus.dir.filePath(QStringLiteral("keyring.out")));
    bus.keyring->setStandardErrorFile(bus.dir.filePath(QStringLiteral("keyring.log")));
    bus.keyring->start();
    if (!bus.keyring->waitForStarted(5000)) {
        bus.error = QStringLiteral("gnome-keyring-daemon did not start: ") + bus.keyring->errorString();
        return false;
    }
    // --unlock reads the login keyring's password from standard input, creating the keyring.
    bus.keyring->write(kKeyringPassword);
    bus.keyring->waitForBytesWritten(5000);
    bus.keyring->closeWriteChannel();
    QDeadlineTimer deadline(20000);
    QString why;
    while (!deadline.hasExpired()) {
        if (keyringReady(&why))
            return true;
        if (bus.keyring->state() == QProcess::NotRunning)
            break;
        QThread::msleep(100);
    }
    bus.error = QStringLiteral("the keyring did not come up: ") + why + QLatin1Char(' ')
        + fileText(bus.dir.filePath(QStringLiteral("keyring.log")));
    return false;
}
} // namespace

bool PrivateSessionBus::ensure(Kind kind, QString *error)
{
    std::optional<Bus> &bus = theBus();
    if (!bus) {
        bus.emplace();
        bus->kind = kind;
        qAddPostRoutine(stopBus);
        if (startDaemon(*bus) && kind == Kind::WithSecretService)
            startKeyring(*bus);
    }
    QString problem = bus->error;
    if (problem.isEmpty() && bus->kind != kind)
        problem = QStringLiteral("this test process already has a bus of the other kind");
    if (error)
        *error = problem;
    return problem.isEmpty();
}
