#include "platform/http_client.h"

#include <QEventLoop>
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
    QEventLoop loop;
    QObject::connect(&exchange, &HttpExchange::finished, &loop, &QEventLoop::quit);
    m_waits.append(&exchange);
    exchange.start();
    if (!exchange.isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    m_waits.removeOne(&exchange);
    return exchange.result();
}

void HttpClient::abortAll()
{
    const QList<HttpExchange *> waits = m_waits;
    for (HttpExchange *exchange : waits)
        exchange->abort();
}
