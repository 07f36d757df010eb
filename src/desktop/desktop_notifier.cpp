#include "desktop/desktop_notifier.h"
#include "platform/logging.h"

#include <QDBusAbstractInterface>
#include <QDBusConnection>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QLoggingCategory>

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kDefaultAction = QStringLiteral("default");
const QString kViewAction = QStringLiteral("view");
// A server that hangs must not hold back the tray's message for long.
constexpr int kCallTimeoutMs = 5000;

QString keyOf(const ParcelKey &key)
{
    return key.number + QChar(0x1f) + key.com;
}
} // namespace

// The notification service's signals, relayed as Qt signals (QtDBus does that for the signals of a
// QDBusAbstractInterface subclass).
class NotificationsProxy : public QDBusAbstractInterface
{
    Q_OBJECT

public:
    NotificationsProxy(const QDBusConnection &bus, QObject *parent)
        : QDBusAbstractInterface(kService, kPath, "org.freedesktop.Notifications", bus, parent)
    { }

Q_SIGNALS:
    void ActionInvoked(uint id, const QString &actionKey);
    void NotificationClosed(uint id, uint reason);
};

DesktopNotifier::DesktopNotifier(QObject *parent)
    : QObject(parent)
{ }

DesktopNotifier::~DesktopNotifier() = default;

void DesktopNotifier::notify(const ParcelNotice &notice)
{
    if (!connectToServer()) {
        Q_EMIT notDelivered(noticeSummary(notice), noticeBody(notice, false));
        return;
    }
    const QString key = keyOf(notice.key);
    if (m_sending.contains(key)) {
        // Sent once the server told the id of the one under way, so that it replaces that one.
        m_next.insert(key, notice);
        return;
    }
    if (!m_markup) {
        m_waitingForCapabilities.append(notice);
        askCapabilities();
        return;
    }
    send(notice);
}

void DesktopNotifier::notifyText(const QString &summary)
{
    if (!connectToServer()) {
        Q_EMIT notDelivered(summary, {});
        return;
    }
    const QVariantMap hints {{QStringLiteral("desktop-entry"), kApplicationId}};
    const QList<QVariant> arguments {
        QStringLiteral("Parcelvue"), 0u, kApplicationId, summary, QString(), QStringList(), hints, -1};
    auto *call = new QDBusPendingCallWatcher(
        m_proxy->asyncCallWithArgumentList(QStringLiteral("Notify"), arguments), this);
    connect(call, &QDBusPendingCallWatcher::finished, this, [this, call, summary] {
        call->deleteLater();
        const QDBusPendingReply<uint> reply = *call;
        if (reply.isError()) {
            qCInfo(lcDesktop) << "notification not shown:" << reply.error().message();
            Q_EMIT notDelivered(summary, {});
        }
    });
}

bool DesktopNotifier::connectToServer()
{
    if (m_proxy)
        return m_proxy->connection().isConnected();
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        qCInfo(lcDesktop) << "no session bus:" << bus.lastError().message();
        return false;
    }
    m_proxy = new NotificationsProxy(bus, this);
    m_proxy->setTimeout(kCallTimeoutMs);
    connect(m_proxy, &NotificationsProxy::ActionInvoked, this, &DesktopNotifier::onActionInvoked);
    connect(m_proxy, &NotificationsProxy::NotificationClosed, this, [this](uint id, uint) { onClosed(id); });
    return true;
}

void DesktopNotifier::askCapabilities()
{
    if (m_askingCapabilities)
        return;
    m_askingCapabilities = true;
    auto *call = new QDBusPendingCallWatcher(m_proxy->asyncCall(QStringLiteral("GetCapabilities")), this);
    connect(call, &QDBusPendingCallWatcher::finished, this, [this, call] {
        call->deleteLater();
        m_askingCapabilities = false;
        const QDBusPendingReply<QStringList> reply = *call;
        const QList<ParcelNotice> waiting = std::exchange(m_waitingForCapabilities, {});
        if (reply.isError()) {
            qCInfo(lcDesktop) << "no notification server:" << reply.error().message();
            for (const ParcelNotice &notice : waiting)
                Q_EMIT notDelivered(noticeSummary(notice), noticeBody(notice, false));
            return;
        }
        m_markup = reply.value().contains(QStringLiteral("body-markup"));
        for (const ParcelNotice &notice : waiting)
            notify(notice);
    });
}

void DesktopNotifier::send(const ParcelNotice &notice)
{
    const QString key = keyOf(notice.key);
    m_sending.insert(key);
    const QVariantMap hints {{QStringLiteral("desktop-entry"), kApplicationId}};
    // "查看" both as a button and as the click on the notification itself.
    const QString view = tr("查看");
    const QStringList actions {kDefaultAction, view, kViewAction, view};
    const QList<QVariant> arguments {QStringLiteral("Parcelvue"),
                                     m_idOf.value(key, 0u),
                                     kApplicationId,
                                     noticeSummary(notice),
                                     noticeBody(notice, *m_markup),
                                     actions,
                                     hints,
                                     -1};
    auto *call = new QDBusPendingCallWatcher(
        m_proxy->asyncCallWithArgumentList(QStringLiteral("Notify"), arguments), this);
    connect(call, &QDBusPendingCallWatcher::finished, this, [this, call, notice, key] {
        call->deleteLater();
        m_sending.remove(key);
        const QDBusPendingReply<uint> reply = *call;
        if (reply.isError()) {
            qCInfo(lcDesktop) << "notification not shown:" << reply.error().message();
            if (m_idOf.contains(key))
                m_parcelOf.remove(m_idOf.take(key));
            // Whoever serves next may read markup differently.
            m_markup.reset();
            Q_EMIT notDelivered(noticeSummary(notice), noticeBody(notice, false));
        } else {
            const uint id = reply.value();
            if (m_idOf.contains(key))
                m_parcelOf.remove(m_idOf.value(key));
            m_idOf.insert(key, id);
            m_parcelOf.insert(id, notice.key);
        }
        if (m_next.contains(key))
            notify(m_next.take(key));
    });
}

void DesktopNotifier::offer(const OfferNotice &offer)
{
    if (!connectToServer()) {
        Q_EMIT notDelivered(offer.summary, QString());
        return;
    }
    QStringList actions;
    for (const auto &[key, caption] : offer.actions)
        actions << key << caption;
    const QVariantMap hints {{QStringLiteral("desktop-entry"), kApplicationId}};
    const QList<QVariant> arguments {QStringLiteral("Parcelvue"),
                                     m_idOfOffer.value(offer.id, 0u),
                                     kApplicationId,
                                     offer.summary,
                                     QString(),
                                     actions,
                                     hints,
                                     -1};
    auto *call = new QDBusPendingCallWatcher(
        m_proxy->asyncCallWithArgumentList(QStringLiteral("Notify"), arguments), this);
    connect(call, &QDBusPendingCallWatcher::finished, this, [this, call, offer] {
        call->deleteLater();
        const QDBusPendingReply<uint> reply = *call;
        if (m_idOfOffer.contains(offer.id))
            m_offerOf.remove(m_idOfOffer.take(offer.id));
        if (reply.isError()) {
            qCInfo(lcDesktop) << "offer not shown:" << reply.error().message();
            Q_EMIT notDelivered(offer.summary, QString());
            return;
        }
        m_idOfOffer.insert(offer.id, reply.value());
        m_offerOf.insert(reply.value(), offer.id);
    });
}

void DesktopNotifier::onActionInvoked(uint id, const QString &action)
{
    if (const auto offer = m_offerOf.constFind(id); offer != m_offerOf.cend()) {
        Q_EMIT offerChosen(*offer, action);
        return;
    }
    // The service tells every program of every action; only ours count.
    const auto found = m_parcelOf.constFind(id);
    if (found == m_parcelOf.cend())
        return;
    if (action == kDefaultAction || action == kViewAction)
        Q_EMIT viewRequested(*found);
}

void DesktopNotifier::onClosed(uint id)
{
    if (const auto offer = m_offerOf.constFind(id); offer != m_offerOf.cend()) {
        if (m_idOfOffer.value(*offer) == id)
            m_idOfOffer.remove(*offer);
        m_offerOf.erase(offer);
        return;
    }
    const auto found = m_parcelOf.constFind(id);
    if (found == m_parcelOf.cend())
        return;
    const QString key = keyOf(*found);
    if (m_idOf.value(key) == id)
        m_idOf.remove(key);
    m_parcelOf.remove(id);
}

#include "desktop_notifier.moc"
