#include "services/service_queries.h"

#include "core/endpoints.h"
#include "platform/http_client.h"
#include "services/carrier_tables.h"
#include "services/kdniao_answer.h"
#include "services/track17_answer.h"
#include "services/tracking_service.h"

#include <QCoreApplication>
#include <QTimer>

ServiceContext::ServiceContext(HttpClient &http, const Endpoints &endpoints, const SecretStore *secrets)
    : http(http)
    , endpoints(endpoints)
    , secrets(secrets)
{
    m_pace.start();
}

void ServiceContext::readSecret(const QString &key, QObject *receiver,
                                std::function<void(const SecretStore::Result &)> done)
{
    const auto known = m_secrets.constFind(key);
    if (known != m_secrets.constEnd()) {
        const SecretStore::Result result {SecretStore::Status::Ok, known.value(), {}};
        QTimer::singleShot(0, receiver, [done, result] { done(result); });
        return;
    }
    if (!secrets) {
        const SecretStore::Result result {SecretStore::Status::Unavailable, {}, {}};
        QTimer::singleShot(0, receiver, [done, result] { done(result); });
        return;
    }
    auto &waiting = m_reading[key];
    waiting.emplace_back(QPointer<QObject>(receiver), std::move(done));
    if (waiting.size() > 1)
        return; // a read is under way; it answers everyone
    const auto answer = [this, key](const SecretStore::Result &result) {
        ++m_readRound[key];
        const auto callers = m_reading.take(key);
        for (const auto &[receiver, done] : callers) {
            if (receiver)
                done(result);
        }
    };
    // A locked store answers when the user unlocks it, or never: the callers hear that it is
    // locked within the bound, and its answer, when it comes, serves the next ones.
    const int round = m_readRound.value(key);
    QTimer::singleShot(kSecretReadBoundMs, &m_context, [this, key, round, answer] {
        if (m_readRound.value(key) == round && m_reading.contains(key))
            answer({SecretStore::Status::Locked,
                    {},
                    QStringLiteral("no answer within %1 s").arg(kSecretReadBoundMs / 1000)});
    });
    if (m_asking.contains(key))
        return;
    m_asking.insert(key);
    secrets->read(key, &m_context, [this, key, answer](const SecretStore::Result &result) {
        m_asking.remove(key);
        if (result.status == SecretStore::Status::Ok)
            m_secrets.insert(key, result.secret);
        if (m_reading.contains(key))
            answer(result);
    });
}

void ServiceContext::forgetSecrets()
{
    m_secrets.clear();
    // Registrations in the store stay: one the account no longer knows is registered again.
    m_registered.clear();
}

std::optional<int> ServiceContext::registeredUnder(const QString &comCode, const QString &number) const
{
    if (registeredNumbers.find)
        return registeredNumbers.find(number, comCode);
    const auto known = m_registered.constFind(comCode + QLatin1Char('|') + number);
    if (known == m_registered.constEnd())
        return std::nullopt;
    return known.value();
}

void ServiceContext::setRegistered(const QString &comCode, const QString &number, std::optional<int> carrier)
{
    if (registeredNumbers.keep)
        return registeredNumbers.keep(number, comCode, carrier);
    const QString key = comCode + QLatin1Char('|') + number;
    if (carrier)
        m_registered.insert(key, *carrier);
    else
        m_registered.remove(key);
}

void ServiceContext::paced(int perSecond, QObject *receiver, std::function<void()> request)
{
    // A little more than the bare interval, so that requests that leave on time never arrive
    // closer together than the service counts.
    const qint64 interval = 1000 / perSecond + 20;
    // On the monotonic clock: a wall clock set back (by hand, by NTP) must not hold every request.
    const qint64 now = m_pace.elapsed();
    const qint64 slot = std::max(now, m_nextSlotMs);
    m_nextSlotMs = slot + interval;
    QPointer<QObject> guard(receiver);
    QTimer::singleShot(int(slot - now), &m_context, [guard, request] {
        if (guard)
            request();
    });
}

namespace {
// A query of a public service: its steps are HTTP exchanges, the whole bounded like one exchange
// of the designed service (the time-out and half of it again).
class ServiceQuery : public TrackingQuery
{
public:
    ServiceQuery(std::shared_ptr<ServiceContext> context, QString comCode, QString number, int timeoutMs,
                 QObject *parent)
        : TrackingQuery(parent)
        , m_context(std::move(context))
        , m_com(std::move(comCode))
        , m_number(std::move(number))
        , m_timeoutMs(timeoutMs)
        , m_deadline(new QTimer(this))
    {
        m_deadline->setSingleShot(true);
        connect(m_deadline, &QTimer::timeout, this, [this] {
            HttpResult result;
            result.failure = HttpResult::Failure::Timeout;
            result.errorText = QStringLiteral("timed out");
            end(result);
        });
        m_deadline->start(timeoutMs + timeoutMs / 2);
    }

    void abort() override
    {
        HttpResult result;
        result.failure = HttpResult::Failure::NoConnection;
        result.errorText = QStringLiteral("aborted");
        end(result);
    }

protected:
    void end(const HttpResult &result)
    {
        if (isFinished())
            return;
        m_deadline->stop();
        if (m_exchange) {
            m_exchange->disconnect(this);
            m_exchange->abort();
        }
        finish(result);
    }
    void end(const ServiceAnswer &answer) { end(serviceResult(answer)); }

    // POSTs `body` to the service's base address + `path`; `then` gets the answer of a
    // successful exchange, a failed one ends the query in the user's words.
    void post(const QString &path, const HttpHeaders &headers, const QByteArray &body,
              std::function<void(const HttpResult &)> then)
    {
        HttpRequest request;
        QString base = m_context->endpoints.trackingUrl;
        if (!base.endsWith(QLatin1Char('/')))
            base += QLatin1Char('/');
        request.url = base + path;
        request.method = QByteArrayLiteral("POST");
        request.headers = headers;
        request.body = body;
        request.timeoutMs = m_timeoutMs;
        if (m_exchange)
            m_exchange->deleteLater();
        m_exchange = m_context->http.start(request, this);
        connect(m_exchange, &HttpExchange::finished, this, [this, then](const HttpResult &result) {
            if (isFinished())
                return;
            if (!result.ok())
                return end(serviceTransportFailure(result, serviceName()));
            then(result);
        });
    }

    virtual QString serviceName() const = 0;

    // The secret the endpoints give, else the store's; `then` gets it, or the query ends.
    void withSecret(const QString &inFile, const QString &storeKey, const QString &missing,
                    std::function<void(const QString &)> then)
    {
        if (!inFile.isEmpty())
            return then(inFile);
        m_context->readSecret(storeKey, this, [this, missing, then](const SecretStore::Result &read) {
            if (isFinished())
                return;
            switch (read.status) {
            case SecretStore::Status::Ok:
                if (!read.secret.isEmpty())
                    return then(read.secret);
                break;
            case SecretStore::Status::NotFound:
            case SecretStore::Status::Unavailable:
                break;
            case SecretStore::Status::Locked:
                // Not the parcel's failure nor the service's: the queries wait for the user.
                return end(ServiceAnswer::busy(
                    QCoreApplication::translate("ServiceQuery", "密钥环已锁定,请解锁后重试"),
                    QStringLiteral("secret store locked: ") + read.error, ServiceContext::kLockedHoldSeconds,
                    ServiceAnswer::Blame::Account));
            case SecretStore::Status::TimedOut:
            case SecretStore::Status::Failed:
                return end(ServiceAnswer::failure(
                    QStringLiteral("无法从系统密钥环读取%1的密钥,请确认它已解锁:%2")
                        .arg(serviceName(), read.error),
                    QStringLiteral("secret store: ") + read.error, ServiceAnswer::Blame::Account));
            }
            end(ServiceAnswer::failure(missing, QStringLiteral("no key"), ServiceAnswer::Blame::Account));
        });
    }

    QString phoneDigits() const
    {
        return m_context->phoneDigits ? m_context->phoneDigits(m_number, m_com) : QString();
    }

    std::shared_ptr<ServiceContext> m_context;
    QString m_com;
    QString m_number;
    int m_timeoutMs;

private:
    QTimer *m_deadline;
    HttpExchange *m_exchange = nullptr;
};

class KdniaoQuery : public ServiceQuery
{
public:
    using ServiceQuery::ServiceQuery;

    void begin()
    {
        const QString shipperCode = kdniaoShipperCode(m_com);
        if (shipperCode.isEmpty())
            return end(ServiceAnswer::word(ErrorWord::kUnsupportedCarrier,
                                           QStringLiteral("kdniao: no ShipperCode for ") + m_com));
        const Endpoints &endpoints = m_context->endpoints;
        const QString businessId = endpoints.kdniaoBusinessId;
        if (businessId.isEmpty())
            return end(ServiceAnswer::failure(QStringLiteral("未设置快递鸟的用户ID,请在“查询服务”中填写!"),
                                              QStringLiteral("no business id"),
                                              ServiceAnswer::Blame::Account));
        withSecret(
            endpoints.kdniaoAppKey, trackingSecretKey(TrackingService::Kdniao, businessId),
            QStringLiteral("未设置快递鸟的API Key,请在“查询服务”中填写!"),
            [this, shipperCode, businessId](const QString &appKey) {
                // The phone digits only to the carriers that want them: to others the field
                // takes no value.
                const QString customerName = kdniaoWantsCustomerName(shipperCode) ? phoneDigits() : QString();
                const QByteArray data = kdniaoRequestData(shipperCode, m_number, customerName);
                const QByteArray body = kdniaoRequestBody(businessId, data, kdniaoDataSign(data, appKey));
                post(kKdniaoQueryPath, {{"Content-Type", "application/x-www-form-urlencoded;charset=utf-8"}},
                     body, [this](const HttpResult &result) { end(readKdniaoAnswer(result.body)); });
            });
    }

protected:
    QString serviceName() const override { return QStringLiteral("快递鸟"); }
};

class Track17Query : public ServiceQuery
{
public:
    using ServiceQuery::ServiceQuery;

    void begin()
    {
        // No key for the carrier: 17TRACK finds it from the number.
        m_carrier = track17CarrierKey(m_com);
        withSecret(m_context->endpoints.track17Token, trackingSecretKey(TrackingService::Track17, {}),
                   QStringLiteral("未设置17TRACK的API密钥,请在“查询服务”中填写!"),
                   [this](const QString &token) {
                       m_token = token.toUtf8();
                       const std::optional<int> known = m_context->registeredUnder(m_com, m_number);
                       if (!known)
                           return registerNumber();
                       if (*known != 0)
                           m_carrier = *known;
                       readTrackInfo(true);
                   });
    }

protected:
    QString serviceName() const override { return QStringLiteral("17TRACK"); }

private:
    void send(const QString &path, const QByteArray &body, std::function<void(const HttpResult &)> then)
    {
        m_context->paced(kTrack17RequestsPerSecond, this, [this, path, body, then] {
            post(path, {{"17token", m_token}, {"Content-Type", "application/json"}}, body, then);
        });
    }

    void registerNumber()
    {
        send(kTrack17RegisterPath, track17RegisterBody(m_number, m_carrier, phoneDigits()),
             [this](const HttpResult &result) {
                 int registeredUnder = 0;
                 if (const std::optional<ServiceAnswer> refused
                     = readTrack17Register(result.body, m_number, &registeredUnder))
                     return end(*refused);
                 // 17TRACK may have put it under another key than the one sent (or found one).
                 if (registeredUnder != 0)
                     m_carrier = registeredUnder;
                 m_context->setRegistered(m_com, m_number, registeredUnder);
                 readTrackInfo(false);
             });
    }

    // `fromMemory`: registered earlier (this run or one before); if 17TRACK no longer knows the
    // number (it was deleted there, or the key is another account's), it is registered again, once.
    void readTrackInfo(bool fromMemory)
    {
        send(kTrack17TrackInfoPath, track17TrackInfoBody(m_number, m_carrier),
             [this, fromMemory](const HttpResult &result) {
                 int carrier = 0;
                 ServiceAnswer answer = readTrack17TrackInfo(result.body, m_number, &carrier);
                 if (fromMemory && answer.serviceCode == Track17Code::kNotRegistered) {
                     m_context->setRegistered(m_com, m_number, std::nullopt);
                     m_carrier = track17CarrierKey(m_com);
                     return registerNumber();
                 }
                 if (isOtherCarrier(carrier))
                     answer.detectedCarrier = track17CarrierName(carrier);
                 end(answer);
             });
    }

    // Whether 17TRACK answered for another carrier than the one chosen (the answer is the user's
    // parcel either way; the carrier is told). Keys compared, as two catalogue carriers can share
    // one; a key the program does not know is another carrier only when the chosen one has a key.
    bool isOtherCarrier(int carrier) const
    {
        if (carrier == 0)
            return false;
        const int chosen = track17CarrierKey(m_com);
        const QString found = comForTrack17CarrierKey(carrier);
        return found.isEmpty() ? chosen != 0 : track17CarrierKey(found) != chosen;
    }

    int m_carrier = 0; // 0: not known, 17TRACK detects it
    QByteArray m_token;
};
} // namespace

TrackingQuery *startKdniaoQuery(const std::shared_ptr<ServiceContext> &context, const QString &comCode,
                                const QString &number, int timeoutMs, QObject *parent)
{
    auto *query = new KdniaoQuery(context, comCode, number, timeoutMs, parent);
    query->begin();
    return query;
}

TrackingQuery *startTrack17Query(const std::shared_ptr<ServiceContext> &context, const QString &comCode,
                                 const QString &number, int timeoutMs, QObject *parent)
{
    auto *query = new Track17Query(context, comCode, number, timeoutMs, parent);
    query->begin();
    return query;
}

void queryTrack17Quota(HttpClient &http, const Endpoints &endpoints, QObject *receiver,
                       std::function<void(const Track17Quota &)> done)
{
    HttpRequest request;
    QString base = endpoints.trackingUrl;
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    request.url = base + kTrack17QuotaPath;
    request.method = QByteArrayLiteral("POST");
    request.headers = {{"17token", endpoints.track17Token.toUtf8()}, {"Content-Type", "application/json"}};
    request.body = QByteArrayLiteral("[]");
    request.timeoutMs = endpoints.trackingTimeoutSeconds * 1000;
    HttpExchange *exchange = http.start(request, receiver);
    QObject::connect(exchange, &HttpExchange::finished, receiver, [exchange, done](const HttpResult &result) {
        exchange->deleteLater();
        if (result.ok())
            return done(readTrack17Quota(result.body));
        Track17Quota failed;
        failed.userText = serviceTransportFailure(result, QStringLiteral("17TRACK")).userText;
        if (failed.userText.isEmpty())
            failed.userText = QStringLiteral("无法连接17TRACK:") + result.errorText;
        done(failed);
    });
}
