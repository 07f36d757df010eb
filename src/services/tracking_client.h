#pragma once

#include "core/configuration.h"
#include "platform/http_exchange.h"
#include "services/tracking_service.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class HttpClient;
class SecretStore;
class ServiceContext;

// One query of the tracking service for one parcel, under way. Its result carries the answer in
// the form the program reads (the service's HTML table or one of its error words) in `text`.
class TrackingQuery : public QObject
{
    Q_OBJECT

public:
    explicit TrackingQuery(QObject *parent = nullptr)
        : QObject(parent)
    { }
    virtual void abort() = 0;
    bool isFinished() const { return m_finished; }
    const HttpResult &result() const { return m_result; }

Q_SIGNALS:
    void finished(const HttpResult &result);

protected:
    // Emits finished() once, from the event loop.
    void finish(const HttpResult &result);

private:
    bool m_finished = false;
    HttpResult m_result;
};

// Starts queries of the configured tracking service ([tracking] `service` of the endpoints): the
// program's own protocol, or a public service through its adapter, whose answer comes out in the
// same form. It follows the configuration it is given (which must outlive it): a changed setting
// holds from the next query on, and keys read from the secret store and what was registered with
// a service are forgotten then.
class TrackingClient
{
public:
    // `secrets`: where a service's key is looked for when the endpoints have none (none: only
    // the endpoints).
    TrackingClient(HttpClient &http, const Configuration &configuration,
                   const SecretStore *secrets = nullptr);
    virtual ~TrackingClient();
    TrackingClient(const TrackingClient &) = delete;
    TrackingClient &operator=(const TrackingClient &) = delete;

    TrackingQuery *start(const QString &comCode, const QString &number, QObject *parent);
    // The same query, waited for in a nested event loop that keeps painting and timers running
    // but holds user input, as the designed blocking requests wait.
    HttpResult query(const QString &comCode, const QString &number);
    int timeoutMs() const { return endpoints().trackingTimeoutSeconds * 1000; }
    // The service asked now ("designed", "kdniao", "17track"), for the history to know who answered.
    QString serviceKey() const;

    // Where the phone digits some carriers ask for come from (the tracking history).
    void setPhoneDigitsSource(std::function<QString(const QString &number, const QString &comCode)> source);

    // The service the next query asks.
    TrackingService service() const;
    // Told of the result of every query that ends (not of one aborted or deleted), with the
    // service it asked: the day's count and the service's health are kept from it.
    void setQueryObserver(std::function<void(TrackingService service, const HttpResult &result)> observer);

    // Where the numbers registered with a service (17TRACK reads a number only once it is
    // registered, and each registration uses its quota) are remembered beyond this run: the
    // carrier key of a registered number, or none; remember with a key, forget with none.
    struct RegisteredNumbers
    {
        std::function<std::optional<int>(const QString &number, const QString &comCode)> find;
        std::function<void(const QString &number, const QString &comCode, std::optional<int> carrier)> keep;
    };
    void setRegisteredNumbers(RegisteredNumbers numbers);

private:
    const Endpoints &endpoints() const { return m_configuration.endpoints(); }

    HttpClient &m_http;
    const Configuration &m_configuration;
    std::shared_ptr<ServiceContext> m_context;
    QMetaObject::Connection m_following;
    std::function<void(TrackingService, const HttpResult &)> m_observer;
};
