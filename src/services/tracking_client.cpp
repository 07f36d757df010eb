#include "services/tracking_client.h"

#include "core/tracking_request.h"
#include "platform/http_client.h"
#include "platform/nested_wait.h"
#include "platform/secret_store.h"
#include "services/service_queries.h"
#include "services/tracking_service.h"

namespace {
// The program's own protocol: one GET whose answer is already in the program's form.
class DirectQuery : public TrackingQuery
{
public:
    DirectQuery(HttpClient &http, const HttpRequest &request, QObject *parent)
        : TrackingQuery(parent)
        , m_exchange(http.start(request, this))
    {
        connect(m_exchange, &HttpExchange::finished, this,
                [this](const HttpResult &result) { finish(result); });
    }
    void abort() override { m_exchange->abort(); }

private:
    HttpExchange *m_exchange;
};
} // namespace

void TrackingQuery::finish(const HttpResult &result)
{
    if (m_finished)
        return;
    m_finished = true;
    m_result = result;
    QMetaObject::invokeMethod(
        this, [this] { Q_EMIT finished(m_result); }, Qt::QueuedConnection);
}

TrackingClient::TrackingClient(HttpClient &http, const Configuration &configuration,
                               const SecretStore *secrets)
    : m_http(http)
    , m_configuration(configuration)
    , m_context(std::make_shared<ServiceContext>(http, configuration.endpoints(), secrets))
{
    m_following = QObject::connect(&configuration, &Configuration::changed,
                                   [context = m_context] { context->forgetSecrets(); });
}

TrackingClient::~TrackingClient()
{
    QObject::disconnect(m_following);
}

QString TrackingClient::serviceKey() const
{
    return trackingServiceKey(trackingServiceFromKey(endpoints().trackingService));
}

TrackingQuery *TrackingClient::start(const QString &comCode, const QString &number, QObject *parent)
{
    const TrackingService asked = service();
    TrackingQuery *query = nullptr;
    switch (asked) {
    case TrackingService::Kdniao:
        query = startKdniaoQuery(m_context, comCode, number, timeoutMs(), parent);
        break;
    case TrackingService::Track17:
        query = startTrack17Query(m_context, comCode, number, timeoutMs(), parent);
        break;
    case TrackingService::Designed: {
        HttpRequest request;
        request.url = trackingRequestUrl(endpoints().trackingUrl, comCode, number, endpoints().trackingKey);
        request.timeoutMs = timeoutMs();
        query = new DirectQuery(m_http, request, parent);
        break;
    }
    }
    // Connected first, so that whoever waits for the query finds it counted.
    if (m_observer)
        QObject::connect(
            query, &TrackingQuery::finished, query,
            [observer = m_observer, asked](const HttpResult &result) { observer(asked, result); });
    return query;
}

TrackingService TrackingClient::service() const
{
    return trackingServiceFromKey(endpoints().trackingService);
}

void TrackingClient::setQueryObserver(std::function<void(TrackingService, const HttpResult &)> observer)
{
    m_observer = std::move(observer);
}

void TrackingClient::setRegisteredNumbers(RegisteredNumbers numbers)
{
    m_context->registeredNumbers = std::move(numbers);
}

HttpResult TrackingClient::query(const QString &comCode, const QString &number)
{
    std::unique_ptr<TrackingQuery> query(start(comCode, number, nullptr));
    // A service's query may first wait for the secret store; its request then has its own bounds.
    NestedWait wait(2 * timeoutMs() + SecretStore::kReadWaitMs);
    // A query can only have finished already by its queued signal, which the wait then receives.
    QObject::connect(query.get(), &TrackingQuery::finished, wait.receiver(), [&wait] { wait.done(); });
    if (!wait.wait()) {
        query->abort();
        if (!query->isFinished()) {
            HttpResult timedOut;
            timedOut.failure = HttpResult::Failure::Timeout;
            timedOut.errorText = QStringLiteral("timed out");
            return timedOut;
        }
    }
    return query->result();
}

void TrackingClient::setPhoneDigitsSource(std::function<QString(const QString &, const QString &)> source)
{
    m_context->phoneDigits = std::move(source);
}
