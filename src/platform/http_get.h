#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

class QEventLoop;
class QNetworkAccessManager;
class QTcpSocket;
class QUrl;

// Result of one HTTP GET. A failure is told apart from an empty document by `failure`.
struct HttpResult
{
    enum class Failure { None, NoConnection, Timeout, HttpStatus, TooLarge };

    Failure failure = Failure::None;
    int status = 0; // HTTP status code, 0 when no answer came
    QString text; // the decoded document (empty on failure)
    QByteArray body; // the raw bytes as received
    QByteArray contentType;
    QString errorText; // what went wrong, for the user or a log

    bool ok() const { return failure == Failure::None; }
};

// A GET that looks blocking to its caller: it waits in a nested event loop that keeps painting
// and timers running but holds user input until the answer is in. Every wait is bounded.
//
// Plain http:// answers are read here, on a socket of the program's own, so that an answer cut
// anywhere (inside a chunk included) is a failure and never a shorter document; https:// goes
// through Qt's network access.
class HttpGet
{
public:
    using Headers = QList<QPair<QByteArray, QByteArray>>;
    static constexpr qint64 kMaxBody = 16 * 1024 * 1024;

    HttpGet();
    ~HttpGet();
    HttpGet(const HttpGet &) = delete;
    HttpGet &operator=(const HttpGet &) = delete;

    // Decodes with the Content-Type charset, else UTF-8 when valid, else GB18030.
    HttpResult get(const QString &url, int timeoutMs, const Headers &headers = {});

    // Aborts every request in flight (their callers get a NoConnection failure).
    void abortAll();

    bool busy() const { return m_pending > 0; }

    static constexpr int kMaxRedirects = 20;

private:
    struct PlainExchange
    {
        QTcpSocket *socket;
        QEventLoop *loop;
        bool aborted;
    };

    HttpResult getPlain(QUrl url, int timeoutMs, const Headers &headers);
    // One request on a connection of its own; a redirect's target is left in `location`.
    HttpResult exchangePlain(const QUrl &url, int timeoutMs, qint64 deadlineMs, const Headers &headers,
                             QByteArray &location);
    HttpResult getWithQt(const QString &url, int timeoutMs, const Headers &headers);

    QNetworkAccessManager *m_manager = nullptr;
    QList<PlainExchange *> m_exchanges;
    int m_pending = 0;
    quint64 m_abortGeneration = 0;
};
