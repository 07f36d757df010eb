#include "platform/http_client.h"

#include "platform/nested_wait.h"

#include <QNetworkAccessManager>

HttpClient::HttpClient() = default;

HttpClient::~HttpClient()
{
    delete m_manager;
}

QNetworkAccessManager *HttpClient::manager()
{
    // Made for the first https:// request only: plain http never needs it.
    if (!m_manager)
        m_manager = new QNetworkAccessManager;
    return m_manager;
}

HttpExchange *HttpClient::start(const HttpRequest &request, QObject *parent)
{
    auto *exchange = new HttpExchange(
        request, [this] { return manager(); }, parent);
    exchange->start();
    return exchange;
}

HttpResult HttpClient::get(const QString &url, int timeoutMs, const Headers &headers)
{
    HttpRequest request;
    request.url = url;
    request.headers = headers;
    request.timeoutMs = timeoutMs;
    HttpExchange exchange(request, [this] { return manager(); });
    // The exchange's own deadline (1.5 times the time-out) ends it first.
    NestedWait wait(2 * timeoutMs);
    QObject::connect(&exchange, &HttpExchange::finished, wait.receiver(), [&wait] { wait.done(); });
    m_waits.append(&exchange);
    exchange.start();
    if (!wait.wait())
        exchange.abort();
    m_waits.removeOne(&exchange);
    return exchange.result();
}

void HttpClient::abortAll()
{
    const QList<HttpExchange *> waits = m_waits;
    for (HttpExchange *exchange : waits)
        exchange->abort();
}
