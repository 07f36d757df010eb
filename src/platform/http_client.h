#pragma once

#include "platform/http_exchange.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

class QNetworkAccessManager;
class QObject;

// The program's HTTP client. Asynchronous requests (start) emit their result; the blocking get
// waits for one in a nested event loop that keeps painting and timers running but holds user
// input until the answer is in. Both take the same path underneath (HttpExchange), so both get
// the same bounds and the same protection against cut answers.
class HttpClient
{
public:
    using Headers = HttpHeaders;
    static constexpr qint64 kMaxBody = HttpExchange::kMaxBody;
    static constexpr int kMaxRedirects = HttpExchange::kMaxRedirects;

    HttpClient();
    ~HttpClient();
    HttpClient(const HttpClient &) = delete;
    HttpClient &operator=(const HttpClient &) = delete;

    // Decodes with the Content-Type charset, else UTF-8 when valid, else GB18030.
    HttpResult get(const QString &url, int timeoutMs, const Headers &headers = {});

    // Starts a request; the exchange belongs to `parent` (delete it once finished, or to cancel).
    HttpExchange *start(const HttpRequest &request, QObject *parent);

    // Aborts every blocking get in flight (their callers get a NoConnection failure).
    void abortAll();

    bool busy() const { return !m_waits.isEmpty(); }

private:
    QNetworkAccessManager *manager();

    QNetworkAccessManager *m_manager = nullptr;
    QList<HttpExchange *> m_waits;
};
