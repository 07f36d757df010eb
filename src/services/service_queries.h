#pragma once

#include "platform/secret_store.h"
#include "services/tracking_client.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <functional>
#include <memory>
#include <vector>

class HttpClient;
struct Endpoints;
struct Track17Quota;

// What the queries of one TrackingClient share: the HTTP client, the endpoints, the secrets read
// from the store, the pace of requests to a service that limits it, and the numbers known to be
// registered with 17TRACK. Queries hold it shared, so that one that outlives its client ends
// cleanly.
class ServiceContext
{
public:
    // How long a query waits for the secret store (a locked one may not answer at all), and how
    // long the queries then hold before asking it again.
    static constexpr int kSecretReadBoundMs = 10000;
    static constexpr int kLockedHoldSeconds = 60;

    ServiceContext(HttpClient &http, const Endpoints &endpoints, const SecretStore *secrets);

    HttpClient &http;
    const Endpoints &endpoints;
    const SecretStore *secrets;
    std::function<QString(const QString &number, const QString &comCode)> phoneDigits;

    // The secret under `key`: from what was read before, else from the store (at most one read
    // per key at a time). `done` runs from the event loop, unless `receiver` is gone by then.
    void readSecret(const QString &key, QObject *receiver,
                    std::function<void(const SecretStore::Result &)> done);
    void forgetSecrets();

    // Runs `request` at the next free moment of a service that takes at most `perSecond`
    // requests a second, unless `receiver` is gone by then.
    void paced(int perSecond, QObject *receiver, std::function<void()> request);

    // The key 17TRACK registered the number under (0 when its answer gave none), or none when
    // this program did not register it: from the store set, else from this run's memory.
    std::optional<int> registeredUnder(const QString &comCode, const QString &number) const;
    void setRegistered(const QString &comCode, const QString &number, std::optional<int> carrier);
    TrackingClient::RegisteredNumbers registeredNumbers;

private:
    QObject m_context; // what the store's and the timers' answers are delivered to
    QHash<QString, QString> m_secrets;
    QHash<QString,
          std::vector<std::pair<QPointer<QObject>, std::function<void(const SecretStore::Result &)>>>>
        m_reading;
    QSet<QString> m_asking; // keys the store has not answered yet
    QHash<QString, int> m_readRound; // which callers a bound answers
    QElapsedTimer m_pace; // runs from the context's start
    qint64 m_nextSlotMs = 0; // on m_pace
    QHash<QString, int> m_registered; // "com|number" -> key, without a store
};

// The adapters: queries of 快递鸟 and 17TRACK whose results are in the program's answer form.
TrackingQuery *startKdniaoQuery(const std::shared_ptr<ServiceContext> &context, const QString &comCode,
                                const QString &number, int timeoutMs, QObject *parent);
TrackingQuery *startTrack17Query(const std::shared_ptr<ServiceContext> &context, const QString &comCode,
                                 const QString &number, int timeoutMs, QObject *parent);

// Asks 17TRACK, with the endpoints' key, what is left of the account's quota. `done` runs from
// the event loop, unless `receiver` is gone by then; the exchange is bounded like a query's.
void queryTrack17Quota(HttpClient &http, const Endpoints &endpoints, QObject *receiver,
                       std::function<void(const Track17Quota &)> done);
