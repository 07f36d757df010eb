#include "fake_desktop.h"

#include "private_session_bus.h"
#include "qt_wait.h"

#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QMutex>
#include <QMutexLocker>
#include <QSet>
#include <QThread>
#include <atomic>

namespace {
const QString kNotificationsService = QStringLiteral("org.freedesktop.Notifications");
const QString kNotificationsPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");
std::atomic<int> connectionCount {0};
} // namespace

struct FakeDesktop::State
{
    Options options;
    QString connectionName;
    QDBusConnection connection {QString()};
    QThread thread;
    std::unique_ptr<QObject> notifications;
    std::unique_ptr<QObject> watcher;

    mutable QMutex mutex;
    QList<Notification> sent;
    QSet<uint> shown;
    uint lastId = 0;
    QStringList items;
};

class FakeNotificationServer : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    explicit FakeNotificationServer(FakeDesktop::State &state)
        : m_state(state)
    { }

public Q_SLOTS:
    uint Notify(const QString &appName, uint replacesId, const QString &appIcon, const QString &summary,
                const QString &body, const QStringList &actions, const QVariantMap &hints, int timeout)
    {
        QMutexLocker lock(&m_state.mutex);
        FakeDesktop::Notification notification {appName, replacesId, appIcon, summary, body,
                                                actions, hints,      timeout, 0};
        if (m_state.options.refuseNotifications) {
            m_state.sent.append(notification);
            sendErrorReply(QDBusError::Failed, QStringLiteral("refused by the test"));
            return 0;
        }
        // A notification still shown is replaced under its own id.
        notification.id = m_state.shown.contains(replacesId) ? replacesId : ++m_state.lastId;
        m_state.shown.insert(notification.id);
        m_state.sent.append(notification);
        return notification.id;
    }
    QStringList GetCapabilities() { return m_state.options.capabilities; }
    void CloseNotification(uint id)
    {
        QMutexLocker lock(&m_state.mutex);
        m_state.shown.remove(id);
    }
    QString GetServerInformation(QString &vendor, QString &version, QString &specVersion)
    {
        vendor = QStringLiteral("Parcelvue tests");
        version = QStringLiteral("1");
        specVersion = QStringLiteral("1.2");
        return QStringLiteral("fake");
    }

    // Its signals, ActionInvoked and NotificationClosed, are sent by FakeDesktop from the test's
    // thread as plain messages.

private:
    FakeDesktop::State &m_state;
};

class FakeStatusNotifierWatcher : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ registeredItems)
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)

public:
    explicit FakeStatusNotifierWatcher(FakeDesktop::State &state)
        : m_state(state)
    { }
    QStringList registeredItems() const
    {
        QMutexLocker lock(&m_state.mutex);
        return m_state.items;
    }
    // The test is the host that shows the items.
    bool hostRegistered() const { return true; }
    int protocolVersion() const { return 0; }

public Q_SLOTS:
    void RegisterStatusNotifierItem(const QString &serviceOrPath)
    {
        // An item may give its object path only; its service is then the caller.
        const QString service
            = serviceOrPath.startsWith(QLatin1Char('/')) ? message().service() : serviceOrPath;
        {
            QMutexLocker lock(&m_state.mutex);
            m_state.items.append(service);
        }
    }
    void RegisterStatusNotifierHost(const QString &) { }

private:
    FakeDesktop::State &m_state;
};

FakeDesktop::FakeDesktop()
    : FakeDesktop(Options {})
{ }

FakeDesktop::FakeDesktop(const Options &options)
    : d(std::make_unique<State>())
{
    d->options = options;
}

FakeDesktop::~FakeDesktop()
{
    if (!d->connectionName.isEmpty()) {
        d->connection.unregisterService(kNotificationsService);
        d->connection.unregisterService(kWatcherService);
        d->connection.unregisterObject(kNotificationsPath);
        d->connection.unregisterObject(kWatcherPath);
        QDBusConnection::disconnectFromBus(d->connectionName);
    }
    // Ended in their own thread, which then ends.
    for (std::unique_ptr<QObject> *object : {&d->notifications, &d->watcher}) {
        if (*object)
            object->release()->deleteLater();
    }
    d->thread.quit();
    d->thread.wait();
}

bool FakeDesktop::start(QString *error)
{
    if (!PrivateSessionBus::ensure(PrivateSessionBus::Kind::WithoutSecretService, error))
        return false;
    d->connectionName = QStringLiteral("parcelvue-fake-desktop-%1").arg(++connectionCount);
    d->connection = QDBusConnection::connectToBus(QString::fromUtf8(qgetenv("DBUS_SESSION_BUS_ADDRESS")),
                                                  d->connectionName);
    if (!d->connection.isConnected()) {
        *error = QStringLiteral("fake desktop: ") + d->connection.lastError().message();
        return false;
    }
    d->thread.setObjectName(QStringLiteral("fake desktop"));
    d->thread.start();
    const auto serve = [&](std::unique_ptr<QObject> object, const QString &service, const QString &path,
                           QDBusConnection::RegisterOptions what) -> std::unique_ptr<QObject> {
        if (!d->connection.registerObject(path, object.get(), what)) {
            *error = QStringLiteral("fake desktop: cannot serve ") + path;
            return nullptr;
        }
        // Moved with the helpers QtDBus gave it; calls reach it in its thread from now on.
        object->moveToThread(&d->thread);
        if (!d->connection.registerService(service)) {
            *error = QStringLiteral("fake desktop: cannot own ") + service + QLatin1Char(' ')
                + d->connection.lastError().message();
            return nullptr;
        }
        return object;
    };
    if (d->options.notificationServer) {
        d->notifications = serve(std::make_unique<FakeNotificationServer>(*d), kNotificationsService,
                                 kNotificationsPath, QDBusConnection::ExportAllSlots);
        if (!d->notifications)
            return false;
    }
    if (d->options.statusNotifierWatcher) {
        d->watcher = serve(std::make_unique<FakeStatusNotifierWatcher>(*d), kWatcherService, kWatcherPath,
                           QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties);
        if (!d->watcher)
            return false;
    }
    return true;
}

QList<FakeDesktop::Notification> FakeDesktop::notifications() const
{
    QMutexLocker lock(&d->mutex);
    return d->sent;
}

QStringList FakeDesktop::registeredItems() const
{
    QMutexLocker lock(&d->mutex);
    return d->items;
}

void FakeDesktop::invokeAction(uint id, const QString &actionKey)
{
    QDBusMessage signal = QDBusMessage::createSignal(kNotificationsPath, kNotificationsService,
                                                     QStringLiteral("ActionInvoked"));
    signal << id << actionKey;
    d->connection.send(signal);
}

void FakeDesktop::closeNotification(uint id)
{
    {
        QMutexLocker lock(&d->mutex);
        d->shown.remove(id);
    }
    QDBusMessage signal = QDBusMessage::createSignal(kNotificationsPath, kNotificationsService,
                                                     QStringLiteral("NotificationClosed"));
    signal << id << 2u; // dismissed by the user
    d->connection.send(signal);
}

QDBusMessage FakeDesktop::call(const QDBusMessage &message, int timeoutMs)
{
    QDBusPendingCall pending = d->connection.asyncCall(message, timeoutMs);
    waitUntil([&] { return pending.isFinished(); }, timeoutMs + 1000);
    return pending.reply();
}

QVariant FakeDesktop::property(const QString &service, const QString &path, const QString &interface,
                               const QString &name)
{
    QDBusMessage get = QDBusMessage::createMethodCall(
        service, path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << interface << name;
    const QDBusMessage reply = call(get);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    return reply.arguments().constFirst().value<QDBusVariant>().variant();
}

#include "fake_desktop.moc"
