#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <memory>

// A notification server (org.freedesktop.Notifications) and a StatusNotifierWatcher
// (org.kde.StatusNotifierWatcher) of the tests' own, on this process's private session bus
// (PrivateSessionBus, started without a Secret Service when the process has no bus yet). They run
// in a thread of their own, because Qt's tray asks the watcher with blocking calls from the main
// thread, and record what they are sent.
class FakeDesktop
{
public:
    struct Options
    {
        bool notificationServer = true;
        QStringList capabilities {QStringLiteral("actions"), QStringLiteral("body"),
                                  QStringLiteral("body-markup")};
        bool refuseNotifications = false; // records each Notify, then answers it with an error
        bool statusNotifierWatcher = false;
    };
    struct Notification
    {
        QString appName;
        uint replacesId = 0;
        QString appIcon;
        QString summary;
        QString body;
        QStringList actions;
        QVariantMap hints;
        int timeout = 0;
        uint id = 0; // what the server answered; 0 when refused
    };

    FakeDesktop();
    explicit FakeDesktop(const Options &options);
    ~FakeDesktop();

    bool start(QString *error);

    QList<Notification> notifications() const;
    // What registered with the watcher: the service names of StatusNotifierItems.
    QStringList registeredItems() const;

    // What a user does to a notification, as the server tells every client.
    void invokeAction(uint id, const QString &actionKey);
    void closeNotification(uint id);

    // A call from the fakes' own connection (another client than the program), answered while
    // this thread processes its events: the program may run in this very process.
    QDBusMessage call(const QDBusMessage &message, int timeoutMs = 10000);
    // A property of an object on the bus, read the same way.
    QVariant property(const QString &service, const QString &path, const QString &interface,
                      const QString &name);

    struct State; // what the servers share with the test, behind a mutex

private:
    std::unique_ptr<State> d;
};
