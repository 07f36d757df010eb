#pragma once

#include "desktop/parcel_notice.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <optional>

class NotificationsProxy;

// A question put to the user in a notification: a number found on the clipboard, numbers found in
// mail. The summary says it all (plain text for every server); each action is a key and a caption.
struct OfferNotice
{
    QString id; // a newer offer of the same id replaces the one shown
    QString summary;
    QList<std::pair<QString, QString>> actions;
};

// Desktop notifications through the freedesktop notification service on the session bus, with
// QtDBus. One notification per parcel: news about a parcel replaces its notification while that is
// still shown. Every call is asynchronous; nothing here waits for the server.
class DesktopNotifier : public QObject
{
    Q_OBJECT

public:
    explicit DesktopNotifier(QObject *parent = nullptr);
    ~DesktopNotifier() override;

    void notify(const ParcelNotice &notice);
    void offer(const OfferNotice &offer);

Q_SIGNALS:
    // The user chose "查看" on the parcel's notification, or clicked it.
    void viewRequested(const ParcelKey &key);
    // No notification server took the notice (none on the bus, or it refused): its summary and
    // plain body, for another way of telling.
    void notDelivered(const QString &summary, const QString &body);
    // The user chose an action of an offer; "default" is the click on the notification itself.
    void offerChosen(const QString &id, const QString &action);

private:
    bool connectToServer();
    void askCapabilities();
    void send(const ParcelNotice &notice);
    void onActionInvoked(uint id, const QString &action);
    void onClosed(uint id);

    NotificationsProxy *m_proxy = nullptr; // made with the first notice
    std::optional<bool> m_markup; // the server's "body-markup"; unknown until it answered
    bool m_askingCapabilities = false;
    QList<ParcelNotice> m_waitingForCapabilities;
    QHash<QString, uint> m_idOf; // parcel -> its notification shown now
    QHash<uint, ParcelKey> m_parcelOf;
    QSet<QString> m_sending; // parcels whose notification the server has not answered yet
    QHash<QString, ParcelNotice> m_next; // the newest notice that came meanwhile
    QHash<QString, uint> m_idOfOffer; // offer -> its notification shown now
    QHash<uint, QString> m_offerOf;
};
