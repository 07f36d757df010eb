#include "core/tracking_client.h"

#include "core/tracking_request.h"
#include "platform/http_get.h"

namespace {
// The service's own protocol: one GET whose answer is already in the program's form.
class DirectQuery : public TrackingQuery
{
public:
    DirectQuery(HttpGet &http, const HttpRequest &request, QObject *parent)
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

TrackingClient::TrackingClient(HttpGet &http, const Endpoints &endpoints)
    : m_http(http)
    , m_endpoints(endpoints)
{ }

TrackingQuery *TrackingClient::start(const QString &comCode, const QString &number, QObject *parent)
{
    HttpRequest request;
    request.url = trackingRequestUrl(m_endpoints.trackingUrl, comCode, number, m_endpoints.trackingKey);
    request.timeoutMs = timeoutMs();
    return new DirectQuery(m_http, request, parent);
}
